#include "TesterExchange.h"

#include <QApplication>
#include <QEvent>

namespace {

// Swallows the user's input to every window: clicks, keys, the close box.
class InputBlocker : public QObject {
 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::Shortcut:
      case QEvent::ShortcutOverride:
      case QEvent::Wheel:
      case QEvent::ContextMenu:
        return true;
      case QEvent::Close:
        return event->spontaneous();
      default:
        return false;
    }
  }
};

int depth = 0;
InputBlocker* blocker = nullptr;

void BlockInput() {
  if (!qApp || blocker) return;
  blocker = new InputBlocker;
  qApp->installEventFilter(blocker);
  QApplication::setOverrideCursor(Qt::BusyCursor);
}

void UnblockInput() {
  if (!blocker) return;
  QApplication::restoreOverrideCursor();
  delete blocker;  // also removes the filter
  blocker = nullptr;
}

}  // namespace

TesterExchange::TesterExchange() {
  if (depth++ == 0) BlockInput();
}

TesterExchange::~TesterExchange() {
  if (--depth == 0) UnblockInput();
}

TesterExchangePause::TesterExchangePause() { UnblockInput(); }

TesterExchangePause::~TesterExchangePause() {
  if (depth > 0) BlockInput();
}

bool TesterExchange::Running() { return depth > 0; }
