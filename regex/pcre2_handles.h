// regex/pcre2_handles.h
//
// Owners for the PCRE2 16-bit objects: each frees its object when it goes,
// none can be copied. Include this instead of <pcre2.h> so that the code
// unit width is always 16.
// Example: CodeHandle code(pcre2_compile(...));  // freed at scope end
#pragma once

#ifndef PCRE2_CODE_UNIT_WIDTH
#define PCRE2_CODE_UNIT_WIDTH 16
#endif
#include <pcre2.h>

#include <memory>

namespace gavrel::regex_detail {

struct CodeFree {
  void operator()(pcre2_code* p) const noexcept { pcre2_code_free(p); }
};
struct CompileContextFree {
  void operator()(pcre2_compile_context* p) const noexcept { pcre2_compile_context_free(p); }
};
struct MatchContextFree {
  void operator()(pcre2_match_context* p) const noexcept { pcre2_match_context_free(p); }
};
struct MatchDataFree {
  void operator()(pcre2_match_data* p) const noexcept { pcre2_match_data_free(p); }
};

using CodeHandle = std::unique_ptr<pcre2_code, CodeFree>;
using CompileContextHandle = std::unique_ptr<pcre2_compile_context, CompileContextFree>;
using MatchContextHandle = std::unique_ptr<pcre2_match_context, MatchContextFree>;
using MatchDataHandle = std::unique_ptr<pcre2_match_data, MatchDataFree>;

}  // namespace gavrel::regex_detail
