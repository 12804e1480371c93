// Slices of Text and Bytes, and the conversions between them: out-of-range
// arguments give the empty value, zero bytes end a Text.
#include <gtest/gtest.h>

#include <string>

#include "text/text.h"

namespace gavrel {
namespace {

TEST(TextSlices, OutOfRangeGivesEmpty) {
  struct Case {
    const char* name;
    Text got, want;
  };
  const Case cases[] = {
      {"left 2", TextLeft("abc", 2), "ab"},
      {"left 0", TextLeft("abc", 0), ""},
      {"left negative", TextLeft("abc", -1), ""},
      {"left beyond", TextLeft("abc", 9), "abc"},
      {"right 2", TextRight("abc", 2), "bc"},
      {"right 0", TextRight("abc", 0), ""},
      {"right beyond", TextRight("abc", 9), "abc"},
      {"mid from 0", TextMid("abc", 0, 2), ""},
      {"mid from 4", TextMid("abc", 4, 1), ""},
      {"mid cut short", TextMid("abc", 2, 9), "bc"},
      {"mid n 0", TextMid("abc", 2, 0), ""},
      {"mid n negative", TextMid("abc", 2, -1), ""},
      {"mid on a second byte", TextMid("\xB0\x41x", 2, 1), "\x41"},
      {"blank text", BlankText(3), "   "},
      {"blank text 0", BlankText(0), ""},
      {"blank text negative", BlankText(-2), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.got, c.want);
  }
  EXPECT_EQ(TextLength("\xB0\x41x"), 3);
  EXPECT_EQ(TextLength(""), 0);
}

TEST(TextSlices, CharCodeIsTheSignedFirstByte) {
  EXPECT_EQ(CharCode("A"), 65);
  EXPECT_EQ(CharCode("\xB0\x41"), -80);
  EXPECT_EQ(CharCode("\x80"), -128);
  EXPECT_EQ(CharCode("\x7F"), 127);
  EXPECT_EQ(CharCode(""), 0);
}

TEST(TextAndBytes, ZeroByteEndsText) {
  EXPECT_EQ(BytesToText({0x61, 0x00, 0x62}), "a");
  EXPECT_EQ(BytesToText({0x00, 0x62}), "");
  EXPECT_EQ(BytesToText({0x61, 0xB0, 0x41}), "a\xB0\x41");
  EXPECT_EQ(BytesToText({}), "");
  EXPECT_EQ(TextToBytes("a\xB0"), (Bytes{0x61, 0xB0}));
  EXPECT_EQ(TextToBytes(""), Bytes{});
}

TEST(BytesSlices, StartBelowOneCountsAsOne) {
  const Bytes abc{0x61, 0x62, 0x63};
  struct Case {
    const char* name;
    Bytes got, want;
  };
  const Case cases[] = {
      {"mid from 0 for 2", BytesMid(abc, 0, 2), {0x61, 0x62}},
      {"mid from -5 for 1", BytesMid(abc, -5, 1), {0x61}},
      {"mid from 2 for 9", BytesMid(abc, 2, 9), {0x62, 0x63}},
      {"mid from 3 for 1", BytesMid(abc, 3, 1), {0x63}},
      {"mid beyond the end", BytesMid(abc, 4, 1), {}},
      {"mid negative n", BytesMid(abc, 1, -1), {}},
      {"left 2", BytesLeft(abc, 2), {0x61, 0x62}},
      {"left 0", BytesLeft(abc, 0), {}},
      {"left beyond", BytesLeft(abc, 9), abc},
      {"blank bytes", BlankBytes(2), {0x00, 0x00}},
      {"blank bytes 0", BlankBytes(0), {}},
      {"blank bytes negative", BlankBytes(-1), {}},
      {"concat", ConcatBytes({0x61, 0x00}, {0x00, 0x62}), {0x61, 0x00, 0x00, 0x62}},
      {"concat empties", ConcatBytes({}, {}), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.got, c.want);
  }
  EXPECT_EQ(BytesLength(abc), 3);
  EXPECT_EQ(BytesLength({}), 0);
}

TEST(BytesSlices, FromMemoryCopiesZeroBytesToo) {
  const unsigned char raw[] = {0x61, 0x00, 0x62};
  EXPECT_EQ(BytesFromMemory(raw, 3), (Bytes{0x61, 0x00, 0x62}));
  EXPECT_EQ(BytesFromMemory(raw, 0), Bytes{});
  EXPECT_EQ(BytesFromMemory(nullptr, 5), Bytes{});
  EXPECT_TRUE(Bytes{} == Bytes{});
  EXPECT_FALSE((Bytes{0x00}) == Bytes{});
}

}  // namespace
}  // namespace gavrel
