// The fast UTF-8 page decoder must give exactly what iconv gives.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "http/utf8_page.h"
#include "text/codepage.h"

namespace gavrel {
namespace {

std::string Utf8Of(std::uint32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += static_cast<char>(cp);
  } else if (cp < 0x800) {
    s += static_cast<char>(0xC0 | (cp >> 6));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += static_cast<char>(0xE0 | (cp >> 12));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (cp >> 18));
    s += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return s;
}

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(DecodeUtf8Page, SameAsIconvForEveryBmpCharacterAndBeyond) {
  // A few private-use characters have no GB18030 form in iconv; those (and
  // only those few) are left to iconv, which writes U+FFFD per byte.
  std::string all;
  int leftToIconv = 0;
  for (std::uint32_t cp = 1; cp <= 0xFFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    std::string one = Utf8Of(cp);
    if (DecodeUtf8Page(B(one))) {
      all += one;
    } else {
      ++leftToIconv;
      EXPECT_TRUE(cp >= 0xE000 && cp <= 0xF8FF) << std::hex << cp;
    }
  }
  EXPECT_LT(leftToIconv, 100);
  for (std::uint32_t cp : {0x10000u, 0x1F600u, 0x1F9D1u, 0x20000u, 0x2A6D6u, 0xE0001u, 0x10FFFFu})
    all += Utf8Of(cp);
  Bytes body = B(all);
  std::optional<Text> fast = DecodeUtf8Page(body);
  ASSERT_TRUE(fast.has_value());
  EXPECT_TRUE(*fast == *DecodeCharset(body, "utf-8"));
}

TEST(DecodeUtf8Page, Cases) {
  struct Case {
    const char* name;
    std::string body;
    bool fast;  // false: left to iconv
  };
  const Case cases[] = {
      {"empty", "", true},
      {"ascii", "<p>abc</p>", true},
      {"byte order mark kept as iconv keeps it", "\xEF\xBB\xBFx", true},
      {"zero byte ends the text; junk behind it does not matter",
       std::string("\xE4\xB8\xAD\0\xFF", 5), true},
      {"overlong form", "a\xC0\x80", false},
      {"encoded surrogate", "\xED\xA0\x80", false},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", false},
      {"cut off at the end", "\xE4\xB8", false},
      {"lone continuation byte", "\x80", false},
      {"byte FF", "a\xFF", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Bytes body = B(c.body);
    std::optional<Text> fast = DecodeUtf8Page(body);
    ASSERT_EQ(fast.has_value(), c.fast);
    if (fast) {
      EXPECT_EQ(*fast, *DecodeCharset(body, "UTF-8"));
    }
  }
}

TEST(IsUtf8Name, Cases) {
  EXPECT_TRUE(IsUtf8Name("utf-8"));
  EXPECT_TRUE(IsUtf8Name("UTF-8"));
  EXPECT_TRUE(IsUtf8Name("Utf8"));
  EXPECT_FALSE(IsUtf8Name("utf-16"));
  EXPECT_FALSE(IsUtf8Name("utf-8x"));
  EXPECT_FALSE(IsUtf8Name(""));
}

}  // namespace
}  // namespace gavrel
