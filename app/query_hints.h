// app/query_hints.h
//
// The grey hints of the two query boxes. Whether a box shows its hint is
// recorded in its text colour alone: kColorHintGrey means the hint is
// showing, kColorBlack that the box holds the user's input.
//   ClearHint   empties the box and makes it black, whatever it holds.
//   RestoreHint puts the hint back, grey, only when the box is exactly
//               empty; a box holding blanks keeps its text and colour.
// Example: RestoreHint(ui, kArticleQueryBox, ArticleLinkHint());
#pragma once

#include <string_view>

#include "lookups/controls.h"
#include "text/types.h"

namespace gavrel {

inline constexpr char kArticleQueryBox[] = "编辑框_查询公众号id";
inline constexpr char kAccountQueryBox[] = "编辑框2_查询最新文章";

// "请输入微信文章链接，如：" directly followed by an example article address.
[[nodiscard]] Text ArticleLinkHint();
// "请选择输入微信号|原始ID|昵称，如：青禾札记、qinghenotes、gh_5a0e2d9b7c31".
[[nodiscard]] Text AccountQueryHint();

void ClearHint(Controls& ui, std::string_view box);
// Sets the colour before the text.
void RestoreHint(Controls& ui, std::string_view box, std::string_view hint);

}  // namespace gavrel
