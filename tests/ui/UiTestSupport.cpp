#include "UiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QTimer>
#include <QWidget>

void RecordingBoxes::Information(const QString& text, const QString& details) {
  shown.push_back({BoxKind::Information, text, false, details});
}

bool RecordingBoxes::Confirm(const QString& text, bool yesIsDefault, const QString& details) {
  shown.push_back({BoxKind::Confirmation, text, yesIsDefault, details});
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

int RecordingBoxes::Choose(const QString& text, const QStringList& offered,
                           const QString& details) {
  shown.push_back({BoxKind::Choice, text, false, details});
  if (choices.empty()) return static_cast<int>(offered.size()) - 1;
  const int choice = choices.front();
  choices.pop_front();
  return choice;
}

void RecordingBoxes::Failure(const QString& text, const QString& details) {
  shown.push_back({BoxKind::Failure, text, false, details});
}

ModalRun RunModalFrom(QAction* item, const std::function<void(QWidget*)>& action) {
  ModalRun run;
  QTimer watch;
  int ticks = 0;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    // A dialog acted on before it is the active window may lose the focus
    // its first showing gives; a platform that never activates it gets a
    // second at most.
    if (QApplication::activeWindow() != modal && ++ticks < 100) return;
    watch.stop();
    run.modal = modal;
    if (action) action(modal);
    run.leftOpen = modal->isVisible();
    if (run.leftOpen) modal->close();
  });
  watch.start(10);
  item->trigger();
  return run;
}
