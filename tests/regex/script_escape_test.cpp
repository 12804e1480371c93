// ScriptEscape: escape() over the UTF-16 form of a Text, with the apostrophe
// kept and the optional bracket, punctuation and prefix passes.
#include <gtest/gtest.h>

#include <string>

#include "text/codepage.h"
#include "text/escape.h"

namespace gavrel {
namespace {

struct Case {
  const char* name;
  const char* text;  // UTF-8, turned into Text
  bool brackets;
  bool punctuation;
  const char* prefix;  // UTF-8, turned into Text
  const char* want;    // UTF-8; ASCII unless the prefix brings in more
};

void RunCases(const Case* begin, const Case* end) {
  for (const Case* c = begin; c != end; ++c) {
    SCOPED_TRACE(c->name);
    const Text got =
        ScriptEscape(Utf8ToText(c->text), c->brackets, c->punctuation, Utf8ToText(c->prefix));
    EXPECT_EQ(TextToUtf8(got), c->want);
  }
}

TEST(ScriptEscapeTest, EscapeRule) {
  const Case cases[] = {
      {"empty", "", false, false, "", ""},
      {"space", "a b", false, false, "", "a%20b"},
      {"CJK", "中文", false, false, "", "%u4E2D%u6587"},
      {"letters, digits and the seven", "AZaz09@*_+-./", false, false, "", "AZaz09@*_+-./"},
      {"tilde", "~", false, false, "", "%7E"},
      {"exclamation", "!", false, false, "", "%21"},
      {"percent sign", "100%", false, false, "", "100%25"},
      {"Latin-1 is two digits", "café", false, false, "", "caf%E9"},
      {"control characters", "\t\x01", false, false, "", "%09%01"},
      {"full-width space", "\u3000", false, false, "", "%u3000"},
      {"euro sign", "€", false, false, "", "%u20AC"},
      {"emoji is two units", "😀", false, false, "", "%uD83D%uDE00"},
      {"backslash", "a\\b", false, false, "", "a%5Cb"},
      {"line breaks", "a\nb\r\n", false, false, "", "a%0Ab%0D%0A"},
      {"double quote", "\"", false, false, "", "%22"},
  };
  RunCases(std::begin(cases), std::end(cases));
}

TEST(ScriptEscapeTest, ApostropheComesOutUnescaped) {
  const Case cases[] = {
      {"apostrophe", "it's", false, false, "", "it's"},
      {"right single quotation mark", "it\u2019s", false, false, "", "it's"},
      {"both, between escapes", "'中\u2019 ", false, false, "", "'%u4E2D'%20"},
      {"left single quotation mark is escaped", "\u2018", false, false, "", "%u2018"},
  };
  RunCases(std::begin(cases), std::end(cases));
}

TEST(ScriptEscapeTest, BracketAndPunctuationPasses) {
  const Case cases[] = {
      {"braces escaped", "{x}", false, false, "", "%7Bx%7D"},
      {"braces passed", "{x}", true, false, "", "{x}"},
      {"all six brackets passed", "{[(x)]}", true, false, "", "{[(x)]}"},
      {"brackets pass leaves punctuation", "(a:b)", true, false, "", "(a%3Ab)"},
      {"punctuation escaped", "a:b,c\"", false, false, "", "a%3Ab%2Cc%22"},
      {"punctuation passed", "a:b,c\"", false, true, "", "a:b,c\""},
      {"punctuation pass leaves brackets", "[a,b]", false, true, "", "%5Ba,b%5D"},
      {"both passes", "{\"k\":[1,2]}", true, true, "", "{\"k\":[1,2]}"},
      // An escaped percent sign keeps a literal "%7B" of the input from
      // looking like an escaped brace.
      {"literal escape text is not unescaped", "%7B%3A", true, true, "", "%257B%253A"},
  };
  RunCases(std::begin(cases), std::end(cases));
}

TEST(ScriptEscapeTest, UnicodePrefix) {
  const Case cases[] = {
      {"replaced", "中", false, false, "U+", "U+4E2D"},
      {"only the %u form", "é中", false, false, "U+", "%E9U+4E2D"},
      {"kept with its own blanks", "中", false, false, " \\u", " \\u4E2D"},
      {"blank prefix ignored", "中", false, false, "  ", "%u4E2D"},
      {"full-width blank prefix ignored", "中", false, false, "\u3000", "%u4E2D"},
      {"%u itself", "中", false, false, "%u", "%u4E2D"},
      {"a literal %u of the input is not a prefix", "%u", false, false, "U+", "%25u"},
      {"with every pass", "{中:'}", true, true, "\\u", "{\\u4E2D:'}"},
      {"non-ASCII prefix", "中", false, false, "码", "码4E2D"},
  };
  RunCases(std::begin(cases), std::end(cases));
}

}  // namespace
}  // namespace gavrel
