// app/article_page.h
//
// Page 1, "查询公众号id": the article-link lookup. Its query box clears on
// every focus it gains and takes its hint back when left empty; 按钮_提取公众号ID
// runs RunArticleLookup under the busy cursor; 按钮1 to 按钮6 and 按钮13 copy the
// box of their row.
// Example: tabs->addTab(new ArticlePage(tabs, ui), "查询公众号id");
#pragma once

#include "app/tab_page.h"

namespace gavrel {

class ArticlePage final : public TabPage {
 public:
  ArticlePage(QTabWidget* tabs, Controls& ui);
};

}  // namespace gavrel
