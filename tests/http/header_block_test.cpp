// The request header block and its helpers, as plain string tables.
#include <gtest/gtest.h>

#include <string>

#include "http/header_block.h"

namespace gavrel {
namespace {

constexpr const char* kUa =
    "User-Agent: Mozilla/5.0 (compatible; MSIE 9.0; Windows NT 6.1; WOW64; Trident/5.0)";
constexpr const char* kAccept = "Accept: text/html, application/xhtml+xml, */*";
constexpr const char* kEncoding = "Accept-Encoding: gbk, GB2312";
constexpr const char* kLanguage = "Accept-Language: zh-cn";
constexpr const char* kForm = "Content-Type: application/x-www-form-urlencoded";
constexpr const char* kCache = "Cache-Control: no-cache";

std::string Lines(std::initializer_list<std::string> lines) {
  std::string out;
  for (const std::string& l : lines) {
    if (!out.empty()) out += "\r\n";
    out += l;
  }
  return out;
}

TEST(BuildHeaderBlock, Cases) {
  struct Case {
    const char* name;
    std::string extra;
    int method;
    std::string cookies;
    bool defaults, normalize;
    std::string want;
  };
  const std::string five = Lines({kUa, kAccept, kEncoding, kLanguage, kCache});
  const Case cases[] = {
      {"all defaults: five lines, no CRLF after the last", "", 0, "", true, true, five},
      {"method 8 is no POST", "", 8, "", true, true, five},
      {"POST adds Content-Type before Cache-Control", "", 1, "", true, true,
       Lines({kUa, kAccept, kEncoding, kLanguage, kForm, kCache})},
      {"caller's user-agent suppresses the default and is capitalised", "user-agent: X", 0, "",
       true, true, Lines({"User-Agent: X", kAccept, kEncoding, kLanguage, kCache})},
      {"X-Accept with a blank suppresses the Accept default", "X-Accept: 1", 0, "", true, true,
       Lines({"X-Accept: 1", kUa, kEncoding, kLanguage, kCache})},
      {"Content-Type presence needs no blank after the colon", "content-type:x", 1, "", true,
       true, Lines({"Content-Type:x", kUa, kAccept, kEncoding, kLanguage, kCache})},
      {"keep-alive line removed", "Connection: keep-alive", 0, "", true, true, five},
      {"Keep-Alive (other case) stays", "Connection: Keep-Alive", 0, "", true, true,
       Lines({"Connection: Keep-Alive", kUa, kAccept, kEncoding, kLanguage, kCache})},
      {"close stays", "Connection: close", 0, "", true, true,
       Lines({"Connection: close", kUa, kAccept, kEncoding, kLanguage, kCache})},
      {"keep-alive as the last line, no CRLF behind it, stays", "Connection: keep-alive", 0, "",
       false, true, "Connection: keep-alive"},
      {"cookies become a Cookie line with CRLF", "", 0, "a=1; b=2", true, true,
       five + "\r\nCookie: a=1; b=2\r\n"},
      {"cookies holding a whole Cookie line", "", 0, "Cookie: a=1", true, true,
       five + "\r\nCookie: a=1\r\n"},
      {"caller's Cookie line wins over cookies", "Cookie: z=9", 0, "a=1", true, true,
       Lines({"Cookie: z=9", kUa, kAccept, kEncoding, kLanguage, kCache})},
      {"X-Cookie: counts as a Cookie line", "X-Cookie: q", 0, "a=1", false, true, "X-Cookie: q"},
      {"no defaults, no normalising: the line and CRLF", "a: 1", 0, "", false, false, "a: 1\r\n"},
      {"no defaults, normalising: capitalised, CRLF dropped", "a: 1", 0, "", false, true, "A: 1"},
      {"no normalising: Cookie line follows an empty line", "a: 1", 0, "k=v", false, false,
       "a: 1\r\n\r\nCookie: k=v\r\n"},
      {"nothing at all: empty block", "", 0, "", false, true, ""},
      {"cookies alone without defaults", "", 0, "k=v", false, true, "\r\nCookie: k=v\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BuildHeaderBlock(c.extra, c.method, c.cookies, c.defaults, c.normalize), c.want);
  }
}

TEST(NormalizeHeaderNames, Cases) {
  struct Case {
    const char* name;
    std::string block, want;
  };
  const Case cases[] = {
      {"each dash part capitalised", "x-requested-with: a", "X-Requested-With: a"},
      {"capitals stay", "USER-AGENT: b", "USER-AGENT: b"},
      {"value untouched", "accept: text/html; q=x-y", "Accept: text/html; q=x-y"},
      {"lines without colon and empty lines dropped", "host:x\r\n\r\nnocolon", "Host:x"},
      {"doubled dash keeps an empty part", "a--b: 1", "A--B: 1"},
      {"GBK lead byte is no letter", "\xB0\x61-c: 1", "\xB0\x61-C: 1"},
      {"no colon anywhere", "abc\r\ndef", ""},
      {"trailing CRLF dropped", "a: 1\r\nb: 2\r\n", "A: 1\r\nB: 2"},
      {"colon in value: only the name before the first colon", "referer: http://x",
       "Referer: http://x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(NormalizeHeaderNames(c.block), c.want);
  }
}

TEST(CapitalizeFirst, Cases) {
  EXPECT_EQ(CapitalizeFirst(""), "");
  EXPECT_EQ(CapitalizeFirst("abc"), "Abc");
  EXPECT_EQ(CapitalizeFirst("1bc"), "1bc");
  EXPECT_EQ(CapitalizeFirst("\xB0\x61"), "\xB0\x61");
}

TEST(GetHeaderValue, Cases) {
  struct Case {
    const char* name;
    std::string block, header, want;
  };
  const Case cases[] = {
      {"plain", "A: 1\r\nConnection: keep-alive", "Connection", "keep-alive"},
      {"longer name first, lacking the marker", "Connection-Extra: y\r\nConnection: keep-alive",
       "Connection", ""},
      {"case counts", "connection: close", "Connection", ""},
      {"after the last marker in the line", "X: a X: b", "X", "b"},
      {"absent", "A: 1", "B", ""},
      {"empty block", "", "A", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GetHeaderValue(c.block, c.header), c.want);
  }
}

}  // namespace
}  // namespace gavrel
