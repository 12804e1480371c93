// app/latest_article_page.h
//
// Page 2, "搜索订阅号最新文章": the latest-article search. Its query box clears
// on every left press on it (also while it has the focus), but not when the
// Tab key brings the focus in; it takes its hint back when left empty.
// 按钮_提取最新文章 runs SearchLatestArticle under the busy cursor; 按钮7 to
// 按钮12 copy the box of their row.
// Example: tabs->addTab(new LatestArticlePage(tabs, ui), "搜索订阅号最新文章");
#pragma once

#include "app/tab_page.h"

namespace gavrel {

class LatestArticlePage final : public TabPage {
 public:
  LatestArticlePage(QTabWidget* tabs, Controls& ui);
};

}  // namespace gavrel
