// lookups/short_links.cpp
//
// ResolveShortLinks: every address in the pasted text, fetched in order,
// turned into the article's permanent link, one line each.
#include <optional>
#include <string_view>

#include "http/http.h"
#include "lookups/lookups.h"
#include "regex/regex.h"
#include "text/markers.h"

namespace gavrel {
namespace {

constexpr std::string_view kInputBox = "编辑框_短链接输入";
constexpr std::string_view kResultBox = "编辑框_长链接结果";

// A scheme of letters (the class A-z also admits [ \ ] ^ _ and `), "://",
// then everything up to the next white space.
//
// The lookbehind changes no match: a match never begins right after a scheme
// character, since the search would have begun it at that character already
// (and a match ends at white space, so the next search starts at one). What
// it saves is time: without it a long run of letters that leads to no "://"
// is scanned again from each of its characters, quadratic in its length, so
// that a pasted text of a few hundred thousand letters would freeze the
// window for minutes. With it each run is scanned once.
constexpr std::string_view kAddressPattern = "(?<![a-zA-z])[a-zA-z]+://[^\\s]*";

// The permanent link an article page carries in its script: the quoted
// value after "msg_link", with each "\x26amp;" escape turned into "&".
[[nodiscard]] Text PermanentLinkFrom(std::string_view page) {
  const Text piece = TextBetween(page, "msg_link", "user_uin");
  const Text value = TextBetween(piece, "\"", "\"");
  return ReplaceBatch(value, std::nullopt, 1, false, "\\x26amp;", "&");
}

}  // namespace

void ResolveShortLinks(Controls& ui) {
  ui.SetControlText(kResultBox, "");
  const Text subject = ui.GetControlText(kInputBox);
  // Case ignored, multi-line, every match. Should the pattern not compile,
  // the object counts no match and the run goes on as for a text without
  // addresses.
  RegexObject addresses;
  addresses.Create(kAddressPattern, subject, false, true, true);

  const int count = addresses.MatchCount();
  for (int i = 1; i <= count; ++i) {
    Text line = PermanentLinkFrom(WebVisit(addresses.MatchText(i)));
    line += "\r\n";
    // Appending keeps a long run linear; the user sees the list grow.
    ui.AppendControlText(kResultBox, line);
  }

  ui.SetClipboardText(ui.GetControlText(kResultBox));
  ui.SetControlText(kInputBox, "");
}

}  // namespace gavrel
