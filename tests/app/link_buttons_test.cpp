// The three link buttons hand their addresses to the desktop's handler for
// the scheme. The test registers itself as that handler for http, https and
// tencent, so no browser or messenger starts.
#include <QDesktopServices>
#include <QTabWidget>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

#include "app/image_button.h"
#include "app/project_links.h"
#include "window_fixture.h"

using namespace gavrel;
using namespace gavrel::testing;

class UrlSink final : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened << url; }
};

class LinkButtonsTest final : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    for (const char* scheme : {"http", "https", "tencent"}) {
      QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &sink_, "open");
    }
  }
  void cleanupTestCase() {
    for (const char* scheme : {"http", "https", "tencent"}) {
      QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
  }
  void init() {
    window_ = OpenMainWindow();
    QVERIFY(window_);
    sink_.opened.clear();
  }
  void cleanup() { window_.reset(); }

  void eachButtonOpensItsAddress_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("address");
    QTest::newRow("update page") << QStringLiteral("超级按钮3") << QString::fromUtf8(kUpdatePageAddress);
    QTest::newRow("chat") << QStringLiteral("超级按钮1") << QString::fromUtf8(kChatAddress);
    QTest::newRow("press site") << QStringLiteral("超级按钮2") << QString::fromUtf8(kPressSiteAddress);
  }
  void eachButtonOpensItsAddress() {
    QFETCH(QString, button);
    QFETCH(QString, address);
    for (int page : {0, 2}) {  // visible and working whatever page is selected
      sink_.opened.clear();
      window_->tabs()->setCurrentIndex(page);
      auto* link = window_->findChild<ImageButton*>(button);
      QVERIFY(link && link->isVisible());
      Click(link);
      QTRY_COMPARE(sink_.opened.size(), 1);
      QCOMPARE(sink_.opened.at(0).toString(QUrl::FullyEncoded), address);
    }
  }

  void addressesPointAtNobodyReal() {
    const QUrl update(QString::fromUtf8(kUpdatePageAddress));
    const QUrl press(QString::fromUtf8(kPressSiteAddress));
    QCOMPARE(update.scheme(), QStringLiteral("https"));
    QCOMPARE(press.scheme(), QStringLiteral("http"));
    for (const QUrl& url : {update, press, QUrl(QString::fromUtf8(kProjectSite))}) {
      QVERIFY2(url.host().endsWith(QLatin1String(".example")) ||
                   url.host() == QLatin1String("gavrel.example"),
               qPrintable(url.toString()));
    }
    // The chat address: uin, Site and Menu, in that order.
    const QUrl chat(QString::fromUtf8(kChatAddress));
    QCOMPARE(chat.scheme(), QStringLiteral("tencent"));
    QVERIFY(QString::fromUtf8(kChatAddress).startsWith(QLatin1String("tencent://message/?uin=")));
    const auto items = QUrlQuery(chat).queryItems();
    QCOMPARE(items.size(), 3);
    QCOMPARE(items.at(0).first, QStringLiteral("uin"));
    QCOMPARE(items.at(1).first, QStringLiteral("Site"));
    QCOMPARE(items.at(2), (QPair<QString, QString>(QStringLiteral("Menu"), QStringLiteral("yes"))));
    QCOMPARE(items.at(1).second, QString::fromUtf8(kProjectSite));
    // Messenger numbers start at 10000, so this one belongs to no account.
    QVERIFY(QString::fromUtf8(kMessengerNumber).toInt() < 10000);
    QCOMPARE(items.at(0).second, QString::fromUtf8(kMessengerNumber));
    QVERIFY(window_->windowTitle().contains(QString::fromUtf8(kMessengerNumber)));
    QVERIFY(window_->windowTitle().endsWith(QString::fromUtf8(kProjectSite)));
  }

  void captionsPicturesAndTooltips() {
    auto* feedback = Control<ImageButton>(*window_, "超级按钮1");
    QVERIFY(feedback->text().isEmpty());
    QCOMPARE(feedback->picture().deviceIndependentSize().toSize(), QSize(77, 22));
    QCOMPARE(feedback->toolTip(), QStringLiteral("反馈问题"));

    auto* press = Control<ImageButton>(*window_, "超级按钮2");
    QCOMPARE(press->text(), QString::fromUtf8(kPressButtonCaption));
    QVERIFY(!press->toolTip().isEmpty());
    QVERIFY(press->picture().isNull());

    QCOMPARE(Control<ImageButton>(*window_, "超级按钮3")->text(), QStringLiteral("检查更新"));
  }

 private:
  UrlSink sink_;
  std::unique_ptr<MainWindow> window_;
};

QTEST_MAIN(LinkButtonsTest)
#include "link_buttons_test.moc"
