#include "regex/regex.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "regex/offset_map.h"
#include "regex/pattern_dialect.h"
#include "regex/pcre2_handles.h"
#include "regex/replacement.h"
#include "text/codepage.h"
#include "text/markers.h"
#include "text/primitives.h"

namespace gavrel {

using regex_detail::CodeHandle;
using regex_detail::kUnsetOffset;

namespace {

// The ECMAScript / VBScript dialect in PCRE2 terms:
//   UTF               match on characters; a surrogate pair is one character
//   NEVER_UCP         \w \d \b stay ASCII; (*UCP) cannot switch that off
//   ALT_BSUX          \xHH and \uHHHH as in ECMAScript
//   ALLOW_EMPTY_CLASS [] never matches, [^] matches anything
//   DOLLAR_ENDONLY    without multiline, $ is the very end, not before a
//                     final line feed
//   MATCH_UNSET_BACKREF  a reference to a group that took no part matches
//                     the empty text
// and, in the compile context, BAD_ESCAPE_IS_LITERAL (\q is the letter q) and
// the newline convention ANYCRLF: "." stops at LF and CR, and with multiline
// ^ and $ match at LF, CR and CRLF.
constexpr std::uint32_t kDialectOptions = PCRE2_UTF | PCRE2_NEVER_UCP | PCRE2_ALT_BSUX |
                                          PCRE2_ALLOW_EMPTY_CLASS | PCRE2_DOLLAR_ENDONLY |
                                          PCRE2_MATCH_UNSET_BACKREF;

// Bounds on one search, so that a pattern with exponential backtracking ends
// instead of hanging (about a quarter of a second on (a+)+$). The match limit
// counts the interpreter's backtracking steps at one start position; a class
// repeated over a 10 MB match takes a handful. The heap limit, in KiB, bounds
// the memory of remembered backtracking points; the depth limit their
// nesting. Matching runs in the interpreter, not the JIT: the interpreter
// keeps its backtracking points on the heap under that limit, where the JIT
// would need a machine stack sized in advance for the longest match.
constexpr std::uint32_t kMatchLimit = 10'000'000;
constexpr std::uint32_t kDepthLimit = 10'000'000;
constexpr std::uint32_t kHeapLimitKiB = 256 * 1024;

// The out-position for a match or group that does not exist.
constexpr int kNoPosition = -2;

[[nodiscard]] PCRE2_SPTR Units(std::u16string_view s) {
  return reinterpret_cast<PCRE2_SPTR>(s.data());
}

// Code units of the character that starts at i: 2 for a surrogate pair.
[[nodiscard]] std::size_t CharWidthAt(std::u16string_view s, std::size_t i) {
  if (i + 1 < s.size() && s[i] >= 0xD800 && s[i] <= 0xDBFF && s[i + 1] >= 0xDC00 &&
      s[i + 1] <= 0xDFFF) {
    return 2;
  }
  return 1;
}

[[nodiscard]] CodeHandle Compile(std::u16string_view pattern, bool caseSensitive,
                                 bool multiline) {
  regex_detail::CompileContextHandle context(pcre2_compile_context_create(nullptr));
  if (!context) return nullptr;
  pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
  pcre2_set_compile_extra_options(context.get(), PCRE2_EXTRA_BAD_ESCAPE_IS_LITERAL);
  std::uint32_t options = kDialectOptions;
  if (!caseSensitive) options |= PCRE2_CASELESS;
  if (multiline) options |= PCRE2_MULTILINE;
  int error = 0;
  PCRE2_SIZE errorOffset = 0;
  return CodeHandle(pcre2_compile(Units(pattern), pattern.size(), options, &error,
                                  &errorOffset, context.get()));
}

}  // namespace

struct RegexObject::State {
  State(Text patternInForce, std::string_view text)
      : pattern(std::move(patternInForce)),
        subjectText(text),
        subject(TextToUtf16(text)),
        offsets(this->subjectText, subject) {}

  Text pattern;
  Text subjectText;        // as given, for byte positions
  std::u16string subject;  // what the engine reads
  std::size_t groupCount = 0;
  // Per match, (groupCount + 1) pairs of unit offsets: the whole match, then
  // each group; kUnsetOffset for a group that took no part.
  std::vector<std::size_t> bounds;
  // Filled in as positions are asked for; refers to subjectText and subject.
  regex_detail::OffsetMap offsets;

  [[nodiscard]] std::size_t Stride() const { return 2 * (groupCount + 1); }
  [[nodiscard]] std::size_t Count() const { return bounds.size() / Stride(); }
  [[nodiscard]] std::span<const std::size_t> Match(std::size_t index) const {
    return std::span<const std::size_t>(bounds).subspan(index * Stride(), Stride());
  }
  // The text of pair `pair` of match `index`, and its byte offset when asked.
  [[nodiscard]] Text Piece(std::size_t index, std::size_t pair, int* position) {
    const auto match = Match(index);
    const std::size_t start = match[2 * pair];
    const std::size_t end = match[2 * pair + 1];
    if (start == kUnsetOffset || end < start) {
      if (position != nullptr) *position = kNoPosition;
      return {};
    }
    if (position != nullptr) {
      *position = static_cast<int>(std::min<std::size_t>(offsets.ByteOffset(start), INT_MAX));
    }
    return Utf16ToText(std::u16string_view(subject).substr(start, end - start));
  }

  void Collect(const pcre2_code* code, bool global);
};

void RegexObject::State::Collect(const pcre2_code* code, bool global) {
  std::uint32_t captures = 0;
  pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &captures);
  groupCount = captures;

  regex_detail::MatchDataHandle data(pcre2_match_data_create_from_pattern(code, nullptr));
  regex_detail::MatchContextHandle context(pcre2_match_context_create(nullptr));
  if (!data || !context) return;
  pcre2_set_match_limit(context.get(), kMatchLimit);
  pcre2_set_depth_limit(context.get(), kDepthLimit);
  pcre2_set_heap_limit(context.get(), kHeapLimitKiB);

  const std::size_t length = subject.size();
  std::uint32_t options = 0;
  std::size_t start = 0;
  while (start <= length) {
    const int rc = pcre2_match(code, Units(subject), length, start, options, data.get(),
                               context.get());
    // The subject comes from a conversion that always gives valid UTF-16, and
    // the first search has checked it; checking it again from every start
    // would make a long run of matches quadratic.
    options |= PCRE2_NO_UTF_CHECK;
    // No match, or a limit reached: the matches found so far stand.
    if (rc <= 0) break;
    const PCRE2_SIZE* vector = pcre2_get_ovector_pointer(data.get());
    for (std::size_t pair = 0; pair <= groupCount; ++pair) {
      const bool set = pair < static_cast<std::size_t>(rc) && vector[2 * pair] != PCRE2_UNSET;
      bounds.push_back(set ? vector[2 * pair] : kUnsetOffset);
      bounds.push_back(set ? vector[2 * pair + 1] : kUnsetOffset);
    }
    if (!global) break;
    const std::size_t matchStart = vector[0];
    const std::size_t matchEnd = std::max<std::size_t>(vector[1], start);
    if (matchEnd > matchStart) {
      start = matchEnd;
    } else {
      // An empty match: the next search starts one character on, as in
      // ECMAScript, so that the same empty match is not found again.
      if (matchEnd >= length) break;
      start = matchEnd + CharWidthAt(subject, matchEnd);
    }
  }
}

RegexObject::RegexObject() = default;
RegexObject::~RegexObject() = default;
RegexObject::RegexObject(RegexObject&& other) noexcept = default;
RegexObject& RegexObject::operator=(RegexObject&& other) noexcept = default;

bool RegexObject::Create(std::string_view pattern, std::string_view subject, bool caseSensitive,
                         bool multiline, bool global, bool quoteToken) {
  state_.reset();
  // A zero byte ends a Text; the engine is not shown what lies beyond it.
  pattern = pattern.substr(0, pattern.find('\0'));
  subject = subject.substr(0, subject.find('\0'));
  Text inForce = quoteToken ? ReplaceText(pattern, kQuoteToken, "\"") : Text(pattern);
  const auto translated = regex_detail::TranslatePattern(TextToUtf16(inForce));
  if (!translated) return false;
  const CodeHandle code = Compile(*translated, caseSensitive, multiline);
  if (!code) return false;
  auto state = std::make_unique<State>(std::move(inForce), subject);
  state->Collect(code.get(), global);
  state_ = std::move(state);
  return true;
}

Text RegexObject::GetPattern() const { return state_ ? state_->pattern : Text(); }

Text RegexObject::ReplaceMatches(std::string_view replacement) const {
  if (!state_) return {};
  const std::u16string with = TextToUtf16(replacement);
  const std::u16string_view subject = state_->subject;
  std::u16string out;
  out.reserve(subject.size());
  std::size_t copied = 0;
  for (std::size_t i = 0; i < state_->Count(); ++i) {
    const auto match = state_->Match(i);
    if (match[0] < copied || match[1] < match[0]) continue;
    out += subject.substr(copied, match[0] - copied);
    regex_detail::AppendReplacement(out, with, subject, match);
    copied = match[1];
  }
  out += subject.substr(copied);
  return Utf16ToText(out);
}

int RegexObject::MatchCount() const {
  return state_ ? static_cast<int>(std::min<std::size_t>(state_->Count(), INT_MAX)) : 0;
}

Text RegexObject::MatchText(int i, int* position) const {
  if (i < 1 || i > MatchCount()) {
    if (position != nullptr) *position = kNoPosition;
    return {};
  }
  return state_->Piece(static_cast<std::size_t>(i - 1), 0, position);
}

Text RegexObject::SubMatchText(int i, int j, int* position) const {
  if (i < 1 || i > MatchCount() || j < 1 || j > SubMatchCount()) {
    if (position != nullptr) *position = kNoPosition;
    return {};
  }
  return state_->Piece(static_cast<std::size_t>(i - 1), static_cast<std::size_t>(j), position);
}

int RegexObject::SubMatchCount() const {
  return MatchCount() > 0 ? static_cast<int>(state_->groupCount) : 0;
}

}  // namespace gavrel
