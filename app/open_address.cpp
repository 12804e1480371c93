#include "app/open_address.h"

#include <QDesktopServices>
#include <QUrl>

#include "app/widget_controls.h"

namespace gavrel {

void OpenAddress(std::string_view address) {
  const QUrl url(TextToQString(address), QUrl::TolerantMode);
  if (url.isValid()) QDesktopServices::openUrl(url);
}

}  // namespace gavrel
