// Conversions between Text (GB18030) and UTF-16 / UTF-8 / named charsets:
// round trips, characters outside GBK, invalid input turning into U+FFFD,
// the lone byte 0x80 as the euro sign, and the terminator rules.
#include <gtest/gtest.h>

#include <string>

#include "text/text.h"

namespace gavrel {
namespace {

// GB18030 bytes of U+FFFD and of the euro sign.
const std::string kReplacement = "\x84\x31\xA4\x37";
const std::string kEuro = "\xA2\xE3";

Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }

TEST(WideBytes, TerminatorRules) {
  EXPECT_EQ(ToWideBytes(""), Bytes{});
  EXPECT_EQ(ToWideBytes("", true), Bytes{});
  EXPECT_EQ(ToWideBytes("A"), (Bytes{0x41, 0x00, 0x00, 0x00}));
  EXPECT_EQ(ToWideBytes("A", true), (Bytes{0x41, 0x00}));
  EXPECT_EQ(ToWideBytes("\xD6\xD0"), (Bytes{0x2D, 0x4E, 0x00, 0x00}));  // U+4E2D
  EXPECT_EQ(ToWideBytes(std::string_view("a\0b", 3), true), (Bytes{0x61, 0x00}));

  EXPECT_EQ(WideToText({0x41, 0x00, 0x00, 0x00, 0x42, 0x00}), "A");  // the NUL unit ends it
  EXPECT_EQ(WideToText({0x41, 0x00, 0x42}), "A");                    // odd last byte ignored
  EXPECT_EQ(WideToText({}), "");
  EXPECT_EQ(WideToText({0x00, 0x00, 0x41, 0x00}), "");
  EXPECT_EQ(WideToText({0x2D, 0x4E}), "\xD6\xD0");
}

TEST(WideBytes, RoundTripKeepsGbkBytesAndCharactersOutsideGbk) {
  const std::string texts[] = {
      "plain ascii",
      "\xD6\xD0\xCE\xC4 mixed \xB0\xA1",      // 中文 ... 啊
      "\x94\x39\xFC\x36",                     // U+1F600, a four-byte GB18030 character
      "\xA1\xA1\xA3\xB1\xA1\xAA\xA1\xA4",     // full-width space, digit one, dashes, dot
      "\x81\x30\x81\x30",                     // the first four-byte code, U+0080
      "\xFE\xFE",                             // user-defined area
  };
  for (const auto& t : texts) {
    SCOPED_TRACE(::testing::PrintToString(t));
    EXPECT_EQ(WideToText(ToWideBytes(t)), t);
    EXPECT_EQ(Utf16ToText(TextToUtf16(t)), t);
    EXPECT_EQ(Utf8ToText(TextToUtf8(t)), t);
  }
  EXPECT_EQ(TextToUtf16("\x94\x39\xFC\x36"), (std::u16string{0xD83D, 0xDE00}));
}

TEST(WideBytes, EveryGbkCharacterKeepsItsTwoBytes) {
  std::string all;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      all.push_back(static_cast<char>(lead));
      all.push_back(static_cast<char>(trail));
    }
  }
  // A few codes of the user-defined area decode to characters beyond U+FFFF,
  // so the count of units is not checked; none may be lost or replaced.
  const std::u16string units = TextToUtf16(all);
  EXPECT_EQ(units.find(u'\xFFFD'), std::u16string::npos);
  EXPECT_EQ(Utf16ToText(units), all);
}

TEST(Conversions, InvalidInputBecomesReplacementAndTheRestConverts) {
  struct Case {
    const char* name;
    std::string text;
    std::string utf8;
  };
  const Case cases[] = {
      {"lone 0x80 is the euro sign", "a\x80" "b", "a\xE2\x82\xAC" "b"},
      {"0xFF is never valid", "a\xFF" "b", "a\xEF\xBF\xBD" "b"},
      {"lead byte at the end", "ab\xB0", "ab\xEF\xBF\xBD"},
      {"broken four-byte code keeps the ascii after it", "\x81\x30" "Ab",
       "\xEF\xBF\xBD" "0Ab"},
      {"four-byte code cut off at the end", "x\x81\x30\x81", "x\xEF\xBF\xBD"},
      {"unassigned four-byte code dropped whole", "a\x84\x31\xA5\x30" "b",
       "a\xEF\xBF\xBD" "b"},
      {"lead byte before a control byte", "\xB0\n", "\xEF\xBF\xBD\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TextToUtf8(c.text), c.utf8);
  }
  EXPECT_EQ(TextToUtf16("\x80"), u"\u20AC");
  EXPECT_EQ(WideToText(ToWideBytes("\x80")), kEuro);
  EXPECT_EQ(TextToUtf16("a\xFF"), u"a\uFFFD");
}

TEST(Conversions, UnpairedSurrogatesBecomeReplacement) {
  EXPECT_EQ(Utf16ToText(std::u16string{u'a', 0xD800, u'b'}), "a" + kReplacement + "b");
  EXPECT_EQ(Utf16ToText(std::u16string{u'a', 0xDC00}), "a" + kReplacement);
  EXPECT_EQ(Utf16ToText(std::u16string{0xD83D}), kReplacement);
  EXPECT_EQ(Utf16ToText(std::u16string{0xD83D, 0xDE00}), "\x94\x39\xFC\x36");
  EXPECT_EQ(WideToText({0x00, 0xD8, 0x41, 0x00}), kReplacement + "A");
  EXPECT_EQ(Utf16ToText(std::u16string{u'a', 0, u'b'}), "a");  // Text holds no zero byte
}

TEST(Conversions, Utf8Input) {
  EXPECT_EQ(Utf8ToText(u8"中文"), "\xD6\xD0\xCE\xC4");
  EXPECT_EQ(Utf8ToText("\xF0\x9F\x98\x80"), "\x94\x39\xFC\x36");
  EXPECT_EQ(Utf8ToText(u8"未获得原始ID"), "\xCE\xB4\xBB\xF1\xB5\xC3\xD4\xAD\xCA\xBC" "ID");
  EXPECT_EQ(Utf8ToText("a\xC3" "b"), "a" + kReplacement + "b");
  EXPECT_EQ(Utf8ToText("\xED\xA0\x80"), kReplacement + kReplacement + kReplacement);
  EXPECT_EQ(Utf8ToText(""), "");
  EXPECT_EQ(TextToUtf8(""), "");
}

TEST(DecodeCharset, NamesInAnyCaseAndUnknownNames) {
  const Bytes zhong = B("\xE4\xB8\xAD");  // 中 in UTF-8
  struct Case {
    const char* name;
    Bytes bytes;
    std::string charset;
    std::optional<Text> want;
  };
  const Case cases[] = {
      {"utf-8 lower case", zhong, "utf-8", "\xD6\xD0"},
      {"UTF-8 upper case", zhong, "UTF-8", "\xD6\xD0"},
      {"gbk", B("\xD6\xD0"), "gbk", "\xD6\xD0"},
      {"gb2312", B("\xD6\xD0"), "GB2312", "\xD6\xD0"},
      {"big5", B("\xA4\xA4"), "big5", "\xD6\xD0"},
      {"iso-8859-1", B("caf\xE9"), "iso-8859-1", "caf\xA8\xA6"},
      {"utf-16le", B(std::string_view("\x2D\x4E" "A\0", 4)), "UTF-16LE", "\xD6\xD0" "A"},
      {"cut at the first zero", B(std::string_view("a\0b", 3)), "utf-8", "a"},
      {"invalid utf-8 byte", B("a\xFF" "b"), "utf-8", "a" + kReplacement + "b"},
      {"empty bytes", Bytes{}, "utf-8", ""},
      {"unknown name", zhong, "no-such-charset", std::nullopt},
      {"empty name", zhong, "", std::nullopt},
      {"iconv option suffix", zhong, "utf-8//IGNORE", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeCharset(c.bytes, c.charset), c.want);
  }
}

TEST(Conversions, LargeInputConvertsWhole) {
  // Far larger than one conversion chunk, with pairs straddling chunk edges.
  std::string big;
  while (big.size() < (3u << 20)) big += "ab\xD6\xD0\x94\x39\xFC\x36x";
  const std::u16string units = TextToUtf16(big);
  EXPECT_EQ(Utf16ToText(units), big);
  EXPECT_EQ(Utf8ToText(TextToUtf8(big)), big);
}

}  // namespace
}  // namespace gavrel
