// tests/lookups/article_fixture.h
//
// The pages the tools' tests serve: fixture files of tests/lookups/data, and
// an article page grown to a realistic size by a deterministic body of
// invented paragraphs.
// Example: std::string page = GrownArticlePage(2 * 1024 * 1024);
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace gavrel::testing {

// The bytes of tests/lookups/data/<name>; empty when the file cannot be read.
[[nodiscard]] std::string ReadLookupFixture(std::string_view name);

// article_page.html (UTF-8) with paragraphs put in at its "<!--article-body-->"
// line until the page holds at least atLeastBytes. The paragraphs are the same
// on every run and hold none of the markers the tools search for.
[[nodiscard]] std::string GrownArticlePage(std::size_t atLeastBytes);

// text with every occurrence of from replaced by to; from must not be empty.
[[nodiscard]] std::string ReplaceAll(std::string text, std::string_view from,
                                     std::string_view to);

}  // namespace gavrel::testing
