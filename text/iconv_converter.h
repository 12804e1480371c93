// text/iconv_converter.h
//
// Internal to the text toolkit: one owner for an iconv_t, and a lenient
// conversion loop over it that never fails as a whole. An invalid (or
// unconvertible) input sequence is dropped and U+FFFD written in its place;
// the rest converts. The input is fed through a fixed-size output chunk, so
// the work is linear in the input's length.
// Example:
//   auto cd = Iconv::Open("UTF-8", "GB18030");
//   ConvertLenient(*cd, "\xB0\xA1", SourceRule::kGb18030, Target::kUtf8) == "啊"
#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace gavrel::detail {

// Owns one conversion descriptor; move-only, closed on destruction.
class Iconv {
 public:
  // Empty optional when iconv does not know one of the two charsets.
  [[nodiscard]] static std::optional<Iconv> Open(const std::string& to, const std::string& from);

  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  Iconv(Iconv&& other) noexcept;
  Iconv& operator=(Iconv&& other) noexcept;
  ~Iconv();

  [[nodiscard]] iconv_t Get() const { return cd_; }

 private:
  explicit Iconv(iconv_t cd) : cd_(cd) {}
  iconv_t cd_;
};

// How many bytes a bad input sequence spans, by the layout of the source.
enum class SourceRule {
  kGb18030,  // GB18030 layout (also GBK, GB2312); the lone byte 0x80 is the euro sign
  kUnit16,   // two-byte code units (UTF-16, UCS-2)
  kUnit32,   // four-byte code units (UTF-32, UCS-4)
  kByte,     // anything else: drop one byte at a time
};

// The encodings this toolkit converts into; each knows its U+FFFD and euro.
enum class Target { kGb18030, kUtf16Le, kUtf8 };

// iconv's name for a target.
[[nodiscard]] const char* TargetName(Target target);

// The source rule that fits a charset name as a page or caller spells it.
[[nodiscard]] SourceRule RuleForCharset(std::string_view charset);

// All of input converted through cd (which must convert into target).
[[nodiscard]] std::string ConvertLenient(const Iconv& cd, std::string_view input,
                                         SourceRule rule, Target target);

}  // namespace gavrel::detail
