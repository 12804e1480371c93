#include "app/main_window.h"

#include <string>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>

#include "app/article_page.h"
#include "app/artwork.h"
#include "app/control_factory.h"
#include "app/image_button.h"
#include "app/latest_article_page.h"
#include "app/open_address.h"
#include "app/project_links.h"
#include "app/short_link_page.h"
#include "app/window_fonts.h"
#include "text/codepage.h"

namespace gavrel {
namespace {

struct LinkButtonRow {
  ControlRow row;
  const char* tooltip;
  const char* address;
  bool songTypeFont;
};

// Places in the client area, under the tab control; visible on every page.
constexpr LinkButtonRow kLinkButtons[] = {
    {{ControlKind::ImageButton, "超级按钮3", 19, 375, 104, 32, "检查更新", kColorBlack},
     "",
     kUpdatePageAddress,
     false},
    {{ControlKind::ImageButton, "超级按钮1", 199, 379, 77, 22, "", kColorBlack},
     "反馈问题",
     kChatAddress,
     true},
    {{ControlKind::ImageButton, "超级按钮2", 352, 377, 110, 27, kPressButtonCaption, kColorBlack},
     kPressButtonTooltip,
     kPressSiteAddress,
     true},
};

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      ui_(this) {
  setWindowTitle(QString::fromStdString(WindowCaption()));
  setWindowIcon(ProgramIcon());
  setFixedSize(kClientWidth, kClientHeight);
  setFont(DefaultControlFont());
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);
  setAutoFillBackground(true);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("高级选择夹"));
  tabs_->setGeometry(0, 0, 504, 368);
  tabs_->setFixedSize(504, 368);
  tabs_->setFocusPolicy(Qt::NoFocus);
  tabs_->tabBar()->setFocusPolicy(Qt::NoFocus);
  tabs_->tabBar()->setFont(SongTypeFont());
  tabs_->setUsesScrollButtons(false);

  pages_ = {new ArticlePage(tabs_, ui_), new LatestArticlePage(tabs_, ui_),
            new ShortLinkPage(tabs_, ui_)};
  tabs_->addTab(pages_[0], QStringLiteral("查询公众号id"));
  tabs_->addTab(pages_[1], QStringLiteral("搜索订阅号最新文章"));
  tabs_->addTab(pages_[2], QStringLiteral("短链接转长连接"));
  tabs_->setCurrentIndex(0);
  pages_[0]->SetControlsVisible(true);
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int current) {
    for (int i = 0; i < static_cast<int>(pages_.size()); ++i) {
      pages_[static_cast<std::size_t>(i)]->SetControlsVisible(i == current);
    }
  });

  AddLinkButtons();
  CentreOnPrimaryScreen();

  // The window's created event: with the focus on the note, no edit box
  // holds it when the window first shows, so both hints stay.
  ui_.FocusControl("透明标签1");
}

MainWindow::~MainWindow() {
  const auto children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (QWidget* child : children) delete child;
}

void MainWindow::AddLinkButtons() {
  for (const LinkButtonRow& link : kLinkButtons) {
    auto* button = static_cast<ImageButton*>(MakeControl(link.row, this));
    if (link.songTypeFont) button->setFont(SongTypeFont());
    if (*link.tooltip != '\0') button->setToolTip(QString::fromUtf8(link.tooltip));
    const std::string address = link.address;
    connect(button, &ImageButton::clicked, this,
            [address] { OpenAddress(Utf8ToText(address)); });
  }
  if (auto* feedback = findChild<ImageButton*>(QStringLiteral("超级按钮1"))) {
    feedback->setPicture(FeedbackPicture());
  }
}

void MainWindow::CentreOnPrimaryScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  // The outer size counts the frame where the platform already knows it;
  // move() places the frame's top-left corner.
  const QRect area = screen->geometry();
  const QSize outer = frameGeometry().size();
  move(area.x() + (area.width() - outer.width()) / 2,
       area.y() + (area.height() - outer.height()) / 2);
}

void MainWindow::showEvent(QShowEvent* event) {
  if (!shownBefore_) {
    shownBefore_ = true;
    CentreOnPrimaryScreen();
  }
  QWidget::showEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Reaches the window only when the focused control did not take the key.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace gavrel
