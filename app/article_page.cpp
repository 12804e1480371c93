#include "app/article_page.h"

#include <QAbstractButton>

#include "app/busy_cursor.h"
#include "app/control_events.h"
#include "app/query_hints.h"
#include "app/run_article_lookup.h"

namespace gavrel {
namespace {

using K = ControlKind;
constexpr std::uint32_t kBlack = kColorBlack;
constexpr std::uint32_t kGrey = kColorHintGrey;

// Places from the tab control's top-left corner, row by row, left to right.
// The query box gets its hint text when the page is built.
constexpr ControlRow kRows[] = {
    {K::TransparentLabel, "透明标签2", 16, 37, 64, 20, "微信链接：", kBlack},
    {K::SingleLineEdit, "编辑框_查询公众号id", 73, 37, 409, 21, "", kGrey},
    {K::TransparentLabel, "透明标签1", 16, 72, 256, 24, "*提取完成后，程序将自动复制微信号/原始ID", kGrey},
    {K::Button, "按钮_提取公众号ID", 302, 68, 180, 32, "提取", kBlack},
    {K::TransparentLabel, "透明标签3", 16, 112, 64, 20, "原始 ID ：", kBlack},
    {K::SingleLineEdit, "编辑框_原始ID", 73, 113, 353, 21, "", kBlack},
    {K::Button, "按钮1", 426, 111, 56, 24, "复制", kBlack},
    {K::TransparentLabel, "透明标签4", 16, 152, 64, 20, "微信号  ：", kBlack},
    {K::SingleLineEdit, "编辑框_微信号", 73, 153, 353, 21, "", kBlack},
    {K::Button, "按钮2", 426, 151, 56, 24, "复制", kBlack},
    {K::TransparentLabel, "透明标签5", 16, 192, 64, 20, "微信昵称：", kBlack},
    {K::SingleLineEdit, "编辑框_昵称", 73, 193, 353, 21, "", kBlack},
    {K::Button, "按钮3", 426, 191, 56, 24, "复制", kBlack},
    {K::TransparentLabel, "透明标签17", 16, 225, 64, 20, "发布时间：", kBlack},
    {K::SingleLineEdit, "编辑框_发布日期", 73, 226, 353, 21, "", kBlack},
    {K::Button, "按钮13", 426, 224, 56, 24, "复制", kBlack},
    {K::TransparentLabel, "透明标签6", 16, 261, 64, 20, "图文标题：", kBlack},
    {K::SingleLineEdit, "编辑框_图文标题", 73, 262, 353, 21, "", kBlack},
    {K::Button, "按钮4", 426, 260, 56, 24, "复制", kBlack},
    {K::TransparentLabel, "透明标签7", 16, 301, 64, 20, "图文简介：", kBlack},
    {K::SingleLineEdit, "编辑框_图文简介", 73, 302, 353, 21, "", kBlack},
    {K::Button, "按钮5", 426, 300, 56, 24, "复制", kBlack},
    {K::TransparentLabel, "透明标签8", 16, 337, 64, 20, "微信链接：", kBlack},
    {K::SingleLineEdit, "编辑框_微信链接1", 73, 337, 353, 21, "", kBlack},
    {K::Button, "按钮6", 426, 335, 56, 24, "复制", kBlack},
};

constexpr CopyPair kCopyPairs[] = {
    {"按钮1", "编辑框_原始ID"},     {"按钮2", "编辑框_微信号"},     {"按钮3", "编辑框_昵称"},
    {"按钮13", "编辑框_发布日期"},  {"按钮4", "编辑框_图文标题"},   {"按钮5", "编辑框_图文简介"},
    {"按钮6", "编辑框_微信链接1"},
};

}  // namespace

ArticlePage::ArticlePage(QTabWidget* tabs, Controls& ui) : TabPage(tabs) {
  AddControls(kRows);
  ui.SetControlText(kArticleQueryBox, ArticleLinkHint());
  WireCopyButtons(kCopyPairs, ui);

  WatchControlEvents(Control(kArticleQueryBox),
                     {.gotFocus = [&ui] { ClearHint(ui, kArticleQueryBox); },
                      .lostFocus = [&ui] { RestoreHint(ui, kArticleQueryBox, ArticleLinkHint()); },
                      .leftPressed = {}});

  if (auto* run = qobject_cast<QAbstractButton*>(Control("按钮_提取公众号ID"))) {
    connect(run, &QAbstractButton::clicked, this, [&ui] {
      BusyCursor busy;
      RunArticleLookup(ui);
    });
  }
}

}  // namespace gavrel
