#include "app/control_events.h"

#include <utility>

#include <QEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>

namespace gavrel {
namespace {

bool MovesFocusWithinWindow(const QFocusEvent* event) {
  const Qt::FocusReason reason = event->reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

class ControlEventFilter final : public QObject {
 public:
  ControlEventFilter(QWidget* widget, ControlEventHandlers handlers)
      : QObject(widget), handlers_(std::move(handlers)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::FocusIn:
        if (handlers_.gotFocus && MovesFocusWithinWindow(static_cast<QFocusEvent*>(event))) {
          handlers_.gotFocus();
        }
        break;
      case QEvent::FocusOut:
        if (handlers_.lostFocus && MovesFocusWithinWindow(static_cast<QFocusEvent*>(event))) {
          handlers_.lostFocus();
        }
        break;
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        if (handlers_.leftPressed &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
          handlers_.leftPressed();
        }
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);  // the control still gets the event
  }

 private:
  ControlEventHandlers handlers_;
};

}  // namespace

void WatchControlEvents(QWidget* widget, ControlEventHandlers handlers) {
  if (widget == nullptr) return;
  widget->installEventFilter(new ControlEventFilter(widget, std::move(handlers)));
}

}  // namespace gavrel
