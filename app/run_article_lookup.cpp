#include "app/run_article_lookup.h"

#include "app/query_hints.h"
#include "lookups/lookups.h"
#include "text/codepage.h"
#include "text/markers.h"

namespace gavrel {

void RunArticleLookup(Controls& ui) {
  if (ui.GetControlTextColor(kArticleQueryBox) != kColorBlack) {
    ui.ShowTimedNotice(Utf8ToText("请输入微信链接"));
    return;
  }
  const Text address = TrimBlanks(ui.GetControlText(kArticleQueryBox));
  ui.SetControlText(kArticleQueryBox, address);

  const ArticleLookup found = LookupArticleAccount(address);
  const ArticleAccount& account = found.account;
  ui.SetControlText("编辑框_原始ID", account.originalId);
  ui.SetControlText("编辑框_微信号", account.wechatNumber);
  ui.SetControlText("编辑框_昵称", account.nickname);
  ui.SetControlText("编辑框_图文标题", account.title);
  ui.SetControlText("编辑框_图文简介", account.summary);
  ui.SetControlText("编辑框_发布日期", account.publishTime);
  ui.SetControlText("编辑框_微信链接1", ui.GetControlText(kArticleQueryBox));

  switch (found.outcome.kind) {
    case OutcomeKind::CopyToClipboard:
      ui.SetClipboardText(found.outcome.text);
      break;
    case OutcomeKind::ShowNotice:
      ui.ShowTimedNotice(found.outcome.text);
      break;
  }
}

}  // namespace gavrel
