#include "text/iconv_converter.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace gavrel::detail {
namespace {

// iconv_open's failure value, (iconv_t)-1.
const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1));
constexpr std::size_t kChunk = 16 * 1024;

bool InRange(unsigned char b, unsigned char lo, unsigned char hi) { return b >= lo && b <= hi; }

// What replaces one bad sequence, and how many input bytes it covers.
struct Replacement {
  std::size_t skip;
  bool euro;  // the lone byte 0x80 of GBK: the euro sign rather than U+FFFD
};

// GB18030 sequences are one byte (00-7F), two bytes (81-FE, then 40-7E or
// 80-FE) or four bytes (81-FE, 30-39, 81-FE, 30-39). A bad sequence that has
// the shape of a whole character is dropped whole; otherwise only its first
// byte goes, so an ASCII byte after a broken lead byte survives.
Replacement Gb18030Replacement(const unsigned char* in, std::size_t left) {
  const unsigned char b0 = in[0];
  if (b0 == 0x80) return {1, true};
  if (!InRange(b0, 0x81, 0xFE) || left < 2) return {1, false};
  const unsigned char b1 = in[1];
  if (InRange(b1, 0x40, 0x7E) || InRange(b1, 0x80, 0xFE)) return {2, false};
  if (!InRange(b1, 0x30, 0x39)) return {1, false};
  if (left == 2) return {2, false};  // a four-byte character cut off by the end
  if (!InRange(in[2], 0x81, 0xFE)) return {1, false};
  if (left == 3) return {3, false};
  if (!InRange(in[3], 0x30, 0x39)) return {1, false};
  return {4, false};
}

Replacement ReplacementFor(SourceRule rule, const unsigned char* in, std::size_t left) {
  switch (rule) {
    case SourceRule::kGb18030:
      return Gb18030Replacement(in, left);
    case SourceRule::kUnit16:
      return {left < 2 ? left : 2, false};
    case SourceRule::kUnit32:
      return {left < 4 ? left : 4, false};
    case SourceRule::kByte:
    default:
      return {1, false};
  }
}

std::string_view ReplacementBytes(Target target, bool euro) {
  switch (target) {
    case Target::kGb18030:
      return euro ? std::string_view("\xA2\xE3") : std::string_view("\x84\x31\xA4\x37");
    case Target::kUtf16Le:
      return euro ? std::string_view("\xAC\x20", 2) : std::string_view("\xFD\xFF", 2);
    case Target::kUtf8:
    default:
      return euro ? std::string_view("\xE2\x82\xAC") : std::string_view("\xEF\xBF\xBD");
  }
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

}  // namespace

std::optional<Iconv> Iconv::Open(const std::string& to, const std::string& from) {
  iconv_t cd = iconv_open(to.c_str(), from.c_str());
  if (cd == kNoDescriptor) return std::nullopt;
  return Iconv(cd);
}

Iconv::Iconv(Iconv&& other) noexcept : cd_(std::exchange(other.cd_, kNoDescriptor)) {}

Iconv& Iconv::operator=(Iconv&& other) noexcept {
  if (this != &other) {
    if (cd_ != kNoDescriptor) iconv_close(cd_);
    cd_ = std::exchange(other.cd_, kNoDescriptor);
  }
  return *this;
}

Iconv::~Iconv() {
  if (cd_ != kNoDescriptor) iconv_close(cd_);
}

const char* TargetName(Target target) {
  switch (target) {
    case Target::kGb18030:
      return "GB18030";
    case Target::kUtf16Le:
      return "UTF-16LE";
    case Target::kUtf8:
    default:
      return "UTF-8";
  }
}

SourceRule RuleForCharset(std::string_view charset) {
  const std::string name = Upper(charset);
  const auto starts = [&name](std::string_view prefix) { return name.starts_with(prefix); };
  if (starts("UTF-16") || starts("UTF16") || starts("UCS-2") || starts("UCS2") ||
      name == "UNICODE" || starts("UNICODELITTLE") || starts("UNICODEBIG")) {
    return SourceRule::kUnit16;
  }
  if (starts("UTF-32") || starts("UTF32") || starts("UCS-4") || starts("UCS4")) {
    return SourceRule::kUnit32;
  }
  if (starts("GB") || name == "CP936" || name == "EUC-CN" || name == "EUCCN" ||
      name == "WINDOWS-936" || name == "MS936") {
    return SourceRule::kGb18030;
  }
  return SourceRule::kByte;
}

std::string ConvertLenient(const Iconv& cd, std::string_view input, SourceRule rule,
                           Target target) {
  std::string out;
  out.reserve(input.size() + input.size() / 2);
  char chunk[kChunk];

  // iconv's interface takes a non-const input pointer but never writes through it.
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  iconv(cd.Get(), nullptr, nullptr, nullptr, nullptr);  // start from the initial state

  while (inLeft > 0) {
    char* outPtr = chunk;
    std::size_t outLeft = kChunk;
    const std::size_t before = inLeft;
    const std::size_t result = iconv(cd.Get(), &in, &inLeft, &outPtr, &outLeft);
    const int error = errno;
    out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
    if (result != static_cast<std::size_t>(-1)) continue;
    if (error == E2BIG && (inLeft != before || outPtr != chunk)) continue;
    if (error == EILSEQ || error == EINVAL) {
      const Replacement r =
          ReplacementFor(rule, reinterpret_cast<const unsigned char*>(in), inLeft);
      out.append(ReplacementBytes(target, r.euro));
      in += r.skip;
      inLeft -= r.skip;
      continue;
    }
    // Anything else would repeat forever: the rest of the input is unreadable.
    out.append(ReplacementBytes(target, false));
    break;
  }

  char* outPtr = chunk;
  std::size_t outLeft = kChunk;
  iconv(cd.Get(), nullptr, nullptr, &outPtr, &outLeft);  // shift back to the initial state
  out.append(chunk, static_cast<std::size_t>(outPtr - chunk));
  return out;
}

}  // namespace gavrel::detail
