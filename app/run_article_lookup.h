// app/run_article_lookup.h
//
// The click handler of 按钮_提取公众号ID, over the control operations only.
//   1. The query box still grey (its hint showing): the notice
//      "请输入微信链接", and nothing else changes. Only the colour is tested.
//   2. The box's text, with leading and trailing ASCII spaces removed, is
//      written back before the request starts.
//   3. LookupArticleAccount with that address.
//   4. The seven result boxes are written in order, empty fields included,
//      so each run replaces every result of the one before; the link box
//      takes what the query box holds at that moment (the user may have
//      changed it while the lookup waited).
//   5. The outcome: its text to the clipboard, or its notice.
// Example: button->clicked -> RunArticleLookup(ui)
#pragma once

#include "lookups/controls.h"

namespace gavrel {

void RunArticleLookup(Controls& ui);

}  // namespace gavrel
