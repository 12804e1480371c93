// http/utf8_page.cpp
//
// The mapping of every BMP character to its GB18030 bytes is taken once from
// iconv itself (one conversion of all BMP characters in order, then split by
// GB18030's self-delimiting byte layout), so both paths agree by
// construction. Characters beyond the BMP use GB18030's linear four-byte
// formula. One cheap pass bounds the output size, one pass decodes.
#include "http/utf8_page.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "text/codepage.h"

namespace gavrel {
namespace {

// A table entry: the GB18030 bytes of one character in output order (first
// byte lowest), 1, 2 or 4 of them, or kUnmapped.
constexpr std::uint32_t kUnmapped = 0xFFFFFFFF;
// U+FFFD in GB18030 (84 31 A4 37), which a failed conversion writes.
constexpr std::uint32_t kReplacement = 0x37A43184;

[[gnu::always_inline]] inline unsigned LengthOf(std::uint32_t code) {
  if (code < 0x80) return 1;
  if (code <= 0xFFFF) return 2;
  return 4;
}

class BmpTable {
 public:
  static const BmpTable* Get() {
    static const std::unique_ptr<BmpTable> table = Build();
    return table.get();
  }
  [[nodiscard]] std::uint32_t operator[](std::uint32_t cp) const { return codes_[cp]; }

 private:
  static std::unique_ptr<BmpTable> Build() {
    auto table = std::make_unique<BmpTable>();
    table->codes_.fill(kUnmapped);
    table->codes_[0] = 0;
    std::u16string all;
    all.reserve(0x10000);
    for (std::uint32_t cp = 1; cp <= 0xFFFF; ++cp) {
      if (cp >= 0xD800 && cp <= 0xDFFF) continue;
      all.push_back(static_cast<char16_t>(cp));
    }
    // GB18030 is self-delimiting: one byte 00-7F; two bytes whose second is
    // 40-FE; four bytes whose second is 30-39.
    const Text out = Utf16ToText(all);
    const auto* b = reinterpret_cast<const unsigned char*>(out.data());
    std::size_t i = 0, n = out.size();
    for (char16_t unit : all) {
      if (i >= n) return nullptr;
      std::uint32_t code;
      if (b[i] < 0x80) {
        code = b[i];
        i += 1;
      } else if (i + 1 < n && b[i + 1] >= 0x40) {
        code = b[i] | (std::uint32_t{b[i + 1]} << 8);
        i += 2;
      } else if (i + 3 < n) {
        code = b[i] | (std::uint32_t{b[i + 1]} << 8) | (std::uint32_t{b[i + 2]} << 16) |
               (std::uint32_t{b[i + 3]} << 24);
        i += 4;
      } else {
        return nullptr;
      }
      if (code == kReplacement && unit != 0xFFFD) code = kUnmapped;
      table->codes_[unit] = code;
    }
    if (i != n) return nullptr;  // the layout did not split as expected
    return table;
  }

  std::array<std::uint32_t, 0x10000> codes_{};
};

// GB18030's four-byte form of a character beyond the BMP, in output order.
std::uint32_t Supplementary(std::uint32_t cp) {
  std::uint32_t linear = cp - 0x10000;
  std::uint32_t b4 = 0x30 + linear % 10;
  linear /= 10;
  std::uint32_t b3 = 0x81 + linear % 126;
  linear /= 126;
  std::uint32_t b2 = 0x30 + linear % 10;
  linear /= 10;
  std::uint32_t b1 = 0x90 + linear;
  return b1 | (b2 << 8) | (b3 << 16) | (b4 << 24);
}

// The number of bytes of x whose bit 7 is set, when no other bit is: the
// bits moved down to bit 0 and summed by one multiplication (std::popcount
// would be a library call on the baseline x86-64 target).
[[gnu::always_inline]] inline std::size_t CountTopBits(std::uint64_t x) {
  return static_cast<std::size_t>(((x >> 7) * 0x0101010101010101ull) >> 56);
}

// How much longer than [p, end) its GB18030 form can be: 2 for each lead
// byte of a two-byte sequence (C0-DF), 1 for each longer one (E0-FF).
// Counted eight bytes at a time: bit 7 of each byte of w & (w << 1) is set
// when the byte is C0 or above, of w & (w << 1) & (w << 2) when E0 or above.
std::size_t GrowthBound(const unsigned char* p, const unsigned char* end) {
  constexpr std::uint64_t kTop = 0x8080808080808080ull;
  std::size_t twoPlus = 0, threePlus = 0;
  for (; end - p >= 8; p += 8) {
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    const std::uint64_t c0 = w & (w << 1) & kTop;
    twoPlus += CountTopBits(c0);
    threePlus += CountTopBits(c0 & (w << 2));
  }
  for (; p < end; ++p) {
    twoPlus += *p >= 0xC0;
    threePlus += *p >= 0xE0;
  }
  return 2 * twoPlus - threePlus;
}

// True when the 8 bytes at p are all ASCII (zero bytes are ruled out before).
[[gnu::always_inline]] inline bool AsciiWord(const unsigned char* p) {
  std::uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return (w & 0x8080808080808080ull) == 0;
}

[[gnu::always_inline]] inline bool Cont(unsigned char b) { return (b & 0xC0) == 0x80; }

// Writes the entry's bytes at o (always four stores: the output has room)
// and returns the position after its real length.
[[gnu::always_inline]] inline char* Put(char* o, std::uint32_t code) {
  const unsigned char bytes[4] = {
      static_cast<unsigned char>(code), static_cast<unsigned char>(code >> 8),
      static_cast<unsigned char>(code >> 16), static_cast<unsigned char>(code >> 24)};
  std::memcpy(o, bytes, 4);
  return o + LengthOf(code);
}

}  // namespace

bool IsUtf8Name(std::string_view charset) {
  auto folded = [](std::string_view s, std::string_view lower) {
    if (s.size() != lower.size()) return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
      char c = s[i];
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      if (c != lower[i]) return false;
    }
    return true;
  };
  return folded(charset, "utf-8") || folded(charset, "utf8");
}

std::optional<Text> DecodeUtf8Page(const Bytes& body) {
  const BmpTable* table = BmpTable::Get();
  if (table == nullptr) return std::nullopt;
  const unsigned char* p = body.data();
  const void* zero = body.empty() ? nullptr : std::memchr(p, 0, body.size());
  const unsigned char* stop =
      zero != nullptr ? static_cast<const unsigned char*>(zero) : p + body.size();

  // An upper bound of the output: a two-byte sequence may become four bytes,
  // a three-byte one four; plus room for one whole four-byte store.
  const std::size_t bound = static_cast<std::size_t>(stop - p) + GrowthBound(p, stop) + 4;
  Text out(bound, '\0');
  char* o = out.data();

  while (p < stop) {
    if (stop - p >= 8 && AsciiWord(p)) {
      std::memcpy(o, p, 8);
      o += 8;
      p += 8;
      continue;
    }
    const unsigned char b0 = *p;
    if (b0 < 0x80) {
      *o++ = static_cast<char>(b0);
      ++p;
      continue;
    }
    std::uint32_t cp;
    unsigned n;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
      // Chinese text comes in runs of three-byte characters: a whole run
      // is taken here.
      do {
        if (stop - p < 3 || !Cont(p[1]) || !Cont(p[2])) return std::nullopt;
        cp = ((p[0] & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
        if (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        const std::uint32_t code = (*table)[cp];
        if (code == kUnmapped) return std::nullopt;
        o = Put(o, code);
        p += 3;
      } while (p < stop && *p >= 0xE0 && *p <= 0xEF);
      continue;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      if (stop - p < 2 || !Cont(p[1])) return std::nullopt;
      cp = ((b0 & 0x1Fu) << 6) | (p[1] & 0x3Fu);
      n = 2;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
      if (stop - p < 4 || !Cont(p[1]) || !Cont(p[2]) || !Cont(p[3])) return std::nullopt;
      cp = ((b0 & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) | (p[3] & 0x3Fu);
      if (cp < 0x10000 || cp > 0x10FFFF) return std::nullopt;
      n = 4;
    } else {
      return std::nullopt;  // a continuation byte, C0, C1 or F5-FF where a character starts
    }
    const std::uint32_t code = cp <= 0xFFFF ? (*table)[cp] : Supplementary(cp);
    if (code == kUnmapped) return std::nullopt;
    o = Put(o, code);
    p += n;
  }
  out.resize(static_cast<std::size_t>(o - out.data()));
  return out;
}

}  // namespace gavrel
