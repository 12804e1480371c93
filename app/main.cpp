// The program: the window and its message loop, nothing else. Nothing is
// read at start-up and nothing is saved at the end.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include <QApplication>

#include "app/artwork.h"
#include "app/main_window.h"

namespace {

bool IsSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

// Qt aborts with a terse "could not connect to display" when there is no
// display; say plainly what is missing instead, before Qt tries.
bool HasDisplay() {
  if (IsSet("QT_QPA_PLATFORM")) {
    const std::string_view platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform.starts_with("xcb") && !platform.starts_with("wayland")) return true;
  }
  return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  if (!HasDisplay()) {
    std::fputs(
        "gavrel: no graphical display to open the window on (neither DISPLAY nor\n"
        "WAYLAND_DISPLAY is set). Start it from a desktop session, over ssh -X, or\n"
        "under a virtual display such as: xvfb-run -a bash scripts/run.sh\n",
        stderr);
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Gavrel"));
  QApplication::setWindowIcon(gavrel::ProgramIcon());

  gavrel::MainWindow window;
  window.show();
  return QApplication::exec();
}
