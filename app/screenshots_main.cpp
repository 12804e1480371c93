// Saves a picture of each page of the window, for the README:
//   gavrel_screenshots <folder>  ->  <folder>/screenshot-page1.png ... page3.png
//                                    and <folder>/icon.png (the program icon, 64 px)
// The window is the real one, as the program opens it; each page is
// selected in turn and the client area is grabbed.
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTest>

#include "app/artwork.h"
#include "app/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2) {
    std::fputs("usage: gavrel_screenshots <folder>\n", stderr);
    return 2;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.exists() && !QDir().mkpath(folder.path())) {
    std::fprintf(stderr, "gavrel_screenshots: cannot make %s\n", argv[1]);
    return 1;
  }

  gavrel::MainWindow window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    std::fputs("gavrel_screenshots: the window was never shown\n", stderr);
    return 1;
  }
  for (int page = 0; page < window.tabs()->count(); ++page) {
    window.tabs()->setCurrentIndex(page);
    QTest::qWait(200);
    const QString path = folder.filePath(QStringLiteral("screenshot-page%1.png").arg(page + 1));
    if (!window.grab().save(path)) {
      std::fprintf(stderr, "gavrel_screenshots: cannot write %s\n", qPrintable(path));
      return 1;
    }
    std::printf("%s\n", qPrintable(path));
  }
  const QString icon = folder.filePath(QStringLiteral("icon.png"));
  if (!gavrel::ProgramIcon().pixmap(64, 64).save(icon)) {
    std::fprintf(stderr, "gavrel_screenshots: cannot write %s\n", qPrintable(icon));
    return 1;
  }
  std::printf("%s\n", qPrintable(icon));
  return 0;
}
