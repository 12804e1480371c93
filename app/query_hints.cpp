#include "app/query_hints.h"

#include <string>

#include "app/project_links.h"
#include "text/codepage.h"

namespace gavrel {

Text ArticleLinkHint() {
  return Utf8ToText(std::string("请输入微信文章链接，如：") + kExampleArticleAddress);
}

Text AccountQueryHint() {
  return Utf8ToText("请选择输入微信号|原始ID|昵称，如：青禾札记、qinghenotes、gh_5a0e2d9b7c31");
}

void ClearHint(Controls& ui, std::string_view box) {
  ui.SetControlText(box, {});
  ui.SetControlTextColor(box, kColorBlack);
}

void RestoreHint(Controls& ui, std::string_view box, std::string_view hint) {
  if (!ui.GetControlText(box).empty()) return;
  ui.SetControlTextColor(box, kColorHintGrey);
  ui.SetControlText(box, hint);
}

}  // namespace gavrel
