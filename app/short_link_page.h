// app/short_link_page.h
//
// Page 3, "短链接转长连接": two multi-line boxes side by side, the text holding
// short links on the left and the list of permanent links on the right, and
// 按钮_短链接转长连接, which runs ResolveShortLinks under the busy cursor.
// Example: tabs->addTab(new ShortLinkPage(tabs, ui), "短链接转长连接");
#pragma once

#include "app/tab_page.h"

namespace gavrel {

class ShortLinkPage final : public TabPage {
 public:
  ShortLinkPage(QTabWidget* tabs, Controls& ui);
};

}  // namespace gavrel
