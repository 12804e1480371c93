#include "app/short_link_page.h"

#include <QAbstractButton>

#include "app/busy_cursor.h"
#include "lookups/lookups.h"

namespace gavrel {
namespace {

using K = ControlKind;

// Places from the tab control's top-left corner.
constexpr ControlRow kRows[] = {
    {K::MultiLineEdit, "编辑框_短链接输入", 8, 50, 232, 270, "", kColorBlack},
    {K::MultiLineEdit, "编辑框_长链接结果", 256, 50, 232, 270, "", kColorBlack},
    {K::Button, "按钮_短链接转长连接", 136, 328, 216, 32, "转换", kColorBlack},
};

}  // namespace

ShortLinkPage::ShortLinkPage(QTabWidget* tabs, Controls& ui) : TabPage(tabs) {
  AddControls(kRows);
  if (auto* run = qobject_cast<QAbstractButton*>(Control("按钮_短链接转长连接"))) {
    connect(run, &QAbstractButton::clicked, this, [&ui] {
      BusyCursor busy;
      ResolveShortLinks(ui);
    });
  }
}

}  // namespace gavrel
