// app/timed_notice.h
//
// The self-closing notice: an information box with an OK button and the
// caption "本信息框自动关闭". It has no owner window and is not modal, so the
// main window stays usable while it shows. The call waits in a local event
// loop (other events, clicks included, are handled meanwhile) and returns
// once the box has closed: on OK, on its close button, or after 1500 ms,
// whichever comes first. While the box is up the pointer is the ordinary
// arrow, even inside a tool that shows the busy cursor.
// Example: ShowTimedNoticeBox(QStringLiteral("请输入微信链接"));
#pragma once

#include <QString>

namespace gavrel {

inline constexpr int kNoticeLifetimeMs = 1500;
inline constexpr char kNoticeCaption[] = "本信息框自动关闭";

void ShowTimedNoticeBox(const QString& text);

}  // namespace gavrel
