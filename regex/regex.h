// regex/regex.h
//
// One regular expression applied to one subject text, with its matches kept
// for later questions. Patterns use the ECMAScript / VBScript dialect and are
// matched on characters: the subject is read as UTF-16, every result comes
// back as Text.
// Example:
//   RegexObject re;
//   re.Create("[a-zA-z]+://[^\\s]*", "see http://a.b/c and ftp://d");
//   re.MatchCount() == 2;  re.MatchText(2) == "ftp://d"
#pragma once

#include <memory>
#include <string_view>

#include "text/types.h"

namespace gavrel {

// Not copyable; moving hands the compiled pattern and the matches over and
// leaves the source as a fresh object (no pattern, no matches).
//
// The dialect:
//   - "." is any character except a line break (LF or CR); with multiline
//     on, ^ and $ also match at LF, CR and CRLF; without it $ is the very end.
//   - \w, \d and \b are ASCII only; \s is ECMAScript's white space: tab, LF,
//     VT, FF, CR, space, U+00A0, U+1680, U+2000-U+200A, U+2028, U+2029,
//     U+202F, U+205F, U+3000 (the full-width space) and U+FEFF; \S the rest.
//   - Ranges compare character codes, so A-z also admits [ \ ] ^ _ and `.
//   - \xHH and \uHHHH name characters; an escaped character with no meaning
//     stands for itself; [] never matches and [^] matches any character.
//   - With case ignored, letters match in either case, including non-ASCII.
// Limits: one search that backtracks more than about ten million steps (a
// run-away pattern such as (a+)+$ on "aaa...ab", or a lazy repeat over ten
// million characters), or whose remembered backtracking points pass 256 MB
// (a group repeated about a million times), stops there: no match is
// reported for it or after it, and the matches found before it are kept.
// Patterns made of classes and simple repeats, such as the address pattern,
// take subjects of any length in one match. The search itself tries each
// start position in turn, so a pattern that begins with a repeat scans a
// long run of that repeat again from each of its characters when the run
// leads to no match: "[a-zA-z]+://" over 80,000 letters in a row takes
// seconds, and the time grows with the square of the run. A lookbehind in
// front, "(?<![a-zA-z])[a-zA-z]+://", finds the same matches and scans each
// run once.
// A zero byte ends the pattern and the subject, as it ends every Text.
class RegexObject final {
 public:
  RegexObject();
  ~RegexObject();
  RegexObject(RegexObject&& other) noexcept;
  RegexObject& operator=(RegexObject&& other) noexcept;
  RegexObject(const RegexObject&) = delete;
  RegexObject& operator=(const RegexObject&) = delete;

  // Compiles pattern and collects its matches in subject, replacing whatever
  // an earlier Create left. Case is ignored unless caseSensitive; global
  // collects every match left to right without overlaps (an empty match moves
  // the next search on by one character), otherwise only the first. With
  // quoteToken every "#引号" (kQuoteToken) in the pattern becomes one double
  // quote first. True when the pattern compiled, whether or not anything
  // matched; false for an invalid pattern, after which the object answers as
  // a fresh one.
  bool Create(std::string_view pattern, std::string_view subject, bool caseSensitive = false,
              bool multiline = true, bool global = true, bool quoteToken = false);

  // The pattern in force (after the quote-token replacement); empty before a
  // successful Create.
  [[nodiscard]] Text GetPattern() const;

  // The subject with the kept matches replaced by replacement, in which $&
  // is the match, $1 to $99 its groups (empty when a group took no part), $`
  // and $' the text before and after it and $$ a dollar sign; any other $
  // stands for itself. Empty before a successful Create.
  [[nodiscard]] Text ReplaceMatches(std::string_view replacement) const;

  // The number of kept matches; 0 before a successful Create.
  [[nodiscard]] int MatchCount() const;

  // The text of match i (1-based); empty when i is outside 1..MatchCount().
  // When position is given it receives the 0-based byte offset of the match
  // in the subject as given, or -2 when there is no match i. The text itself
  // is the match's characters encoded again, so where the subject held a
  // broken byte sequence the text holds U+FFFD instead.
  [[nodiscard]] Text MatchText(int i, int* position = nullptr) const;

  // The text of capture group j (1-based) of match i; empty for a group that
  // took no part and for indexes out of range. position as for MatchText,
  // with the offset of the group itself (-2 when it took no part).
  [[nodiscard]] Text SubMatchText(int i, int j, int* position = nullptr) const;

  // The number of capture groups of the pattern when there is at least one
  // match; 0 otherwise.
  [[nodiscard]] int SubMatchCount() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace gavrel
