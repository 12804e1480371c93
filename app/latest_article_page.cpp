#include "app/latest_article_page.h"

#include <QAbstractButton>

#include "app/busy_cursor.h"
#include "app/control_events.h"
#include "app/query_hints.h"
#include "lookups/lookups.h"

namespace gavrel {
namespace {

using K = ControlKind;
constexpr std::uint32_t kBlack = kColorBlack;
constexpr std::uint32_t kGrey = kColorHintGrey;

// Places from the tab control's top-left corner, row by row, left to right.
// The query box gets its hint text when the page is built.
constexpr ControlRow kRows[] = {
    {K::TransparentLabel, "透明标签9", 16, 36, 92, 20, "微信ID|昵称：", kBlack},
    {K::SingleLineEdit, "编辑框2_查询最新文章", 104, 36, 374, 21, "", kGrey},
    {K::TransparentLabel, "透明标签10", 16, 71, 256, 24, "*提取完成后，程序将自动复制最新文章链接", kGrey},
    {K::Button, "按钮_提取最新文章", 298, 67, 180, 32, "提取", kBlack},
    {K::TransparentLabel, "透明标签11", 16, 111, 64, 20, "微信昵称：", kBlack},
    {K::SingleLineEdit, "编辑框2_微信昵称", 71, 112, 353, 21, "", kBlack},
    {K::Button, "按钮7", 424, 110, 56, 24, "复制", kBlack},
    {K::TransparentLabel, "透明标签12", 16, 151, 64, 20, "微信号  ：", kBlack},
    {K::SingleLineEdit, "编辑框2_微信号", 71, 152, 353, 21, "", kBlack},
    {K::Button, "按钮8", 424, 150, 56, 24, "复制", kBlack},
    {K::TransparentLabel, "透明标签13", 16, 192, 64, 20, "最新文章：", kBlack},
    {K::SingleLineEdit, "编辑框2_最新文章", 71, 194, 353, 21, "", kBlack},
    {K::Button, "按钮9", 424, 192, 56, 24, "复制", kBlack},
    {K::TransparentLabel, "透明标签14", 16, 229, 64, 20, "图文标题：", kBlack},
    {K::SingleLineEdit, "编辑框2_图文标题", 72, 230, 353, 21, "", kBlack},
    {K::Button, "按钮10", 425, 228, 56, 24, "复制", kBlack},
    {K::TransparentLabel, "透明标签15", 16, 269, 64, 20, "图文简介：", kBlack},
    {K::SingleLineEdit, "编辑框2_图文简介", 72, 270, 353, 21, "", kBlack},
    {K::Button, "按钮11", 425, 268, 56, 24, "复制", kBlack},
    {K::TransparentLabel, "透明标签16", 16, 310, 64, 20, "原始 ID ：", kBlack},
    {K::SingleLineEdit, "编辑框2_原始ID", 72, 312, 353, 21, "", kBlack},
    {K::Button, "按钮12", 425, 310, 56, 24, "复制", kBlack},
};

constexpr CopyPair kCopyPairs[] = {
    {"按钮7", "编辑框2_微信昵称"},  {"按钮8", "编辑框2_微信号"},    {"按钮9", "编辑框2_最新文章"},
    {"按钮10", "编辑框2_图文标题"}, {"按钮11", "编辑框2_图文简介"}, {"按钮12", "编辑框2_原始ID"},
};

}  // namespace

LatestArticlePage::LatestArticlePage(QTabWidget* tabs, Controls& ui) : TabPage(tabs) {
  AddControls(kRows);
  ui.SetControlText(kAccountQueryBox, AccountQueryHint());
  WireCopyButtons(kCopyPairs, ui);

  WatchControlEvents(Control(kAccountQueryBox),
                     {.gotFocus = {},
                      .lostFocus = [&ui] { RestoreHint(ui, kAccountQueryBox, AccountQueryHint()); },
                      .leftPressed = [&ui] { ClearHint(ui, kAccountQueryBox); }});

  if (auto* run = qobject_cast<QAbstractButton*>(Control("按钮_提取最新文章"))) {
    connect(run, &QAbstractButton::clicked, this, [&ui] {
      BusyCursor busy;
      SearchLatestArticle(ui);
    });
  }
}

}  // namespace gavrel
