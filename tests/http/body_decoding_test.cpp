// Re-decoding a body by its declared charset.
#include <gtest/gtest.h>

#include <string>

#include "http/body_decoding.h"
#include "text/codepage.h"
#include "text/primitives.h"

namespace gavrel {
namespace {

Bytes B(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST(DecodeBody, Cases) {
  const std::string zhUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文 in UTF-8
  const Text zh = Utf8ToText("中文");                      // in GB18030/GBK: D6 D0 CE C4
  const std::string zhBig5 = "\xA4\xA4\xA4\xE5";           // 中文 in Big5
  const std::string pad(1100, ' ');
  struct Case {
    const char* name;
    std::string body;
    Text want;
  };
  const Case cases[] = {
      {"utf-8 declared", "<meta charset=\"utf-8\">" + zhUtf8, "<meta charset=\"utf-8\">" + zh},
      {"http-equiv form, capitals in the tag",
       "<META http-equiv=\"Content-Type\" content=\"text/html; CHARSET=UTF-8\">" + zhUtf8,
       "<META http-equiv=\"Content-Type\" content=\"text/html; CHARSET=UTF-8\">" + zh},
      {"big5 declared", "<meta charset=big5>" + zhBig5, "<meta charset=big5>" + zh},
      {"gbk left alone", "<meta charset=gbk>" + zhUtf8, "<meta charset=gbk>" + zhUtf8},
      {"gb2312 left alone", "<meta charset=gb2312>" + zhUtf8, "<meta charset=gb2312>" + zhUtf8},
      {"GBK in capitals decodes as GBK: same text", "<meta charset=GBK>" + zh,
       "<meta charset=GBK>" + zh},
      // 81 40 and A9 41 are GBK characters outside GB2312.
      {"GB2312 in capitals decodes as GBK: GBK characters kept",
       "<meta charset=\"GB2312\">\x81\x40" + zh + "\xA9\x41",
       "<meta charset=\"GB2312\">\x81\x40" + zh + "\xA9\x41"},
      {"Gb2312 in mixed case too", "<meta charset=Gb2312>\x81\x40", "<meta charset=Gb2312>\x81\x40"},
      {"unknown charset keeps the plain conversion", "<meta charset=no-such-set>" + zhUtf8,
       "<meta charset=no-such-set>" + zhUtf8},
      {"meta and charset on different lines: no match", "<meta\ncharset=utf-8>" + zhUtf8,
       "<meta\ncharset=utf-8>" + zhUtf8},
      {"declaration beyond byte 1024 not seen", pad + "<meta charset=utf-8>" + zhUtf8,
       pad + "<meta charset=utf-8>" + zhUtf8},
      {"no meta at all", zhUtf8, zhUtf8},
      {"zero byte before the meta hides it", std::string("a\0", 2) + "<meta charset=utf-8>" + zhUtf8,
       "a"},
      {"zero byte after a utf-8 meta ends the text",
       "<meta charset=utf-8>" + zhUtf8 + std::string("\0", 1) + "tail",
       "<meta charset=utf-8>" + zh},
      {"empty body", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeBody(B(c.body)), c.want);
  }
}

TEST(DeclaredCharset, CaptureKeepsCase) {
  EXPECT_EQ(DeclaredCharset("<meta charset='Shift_JIS'>"), "Shift_JIS");
  EXPECT_EQ(DeclaredCharset("<meta name=x><meta charset=utf-8>"), "utf-8");
  EXPECT_EQ(DeclaredCharset("charset=utf-8"), "");
}

}  // namespace
}  // namespace gavrel
