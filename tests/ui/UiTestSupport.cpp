#include "UiTestSupport.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <memory>

void RecordingBoxes::Information(const QString& text) {
  shown.push_back({BoxKind::Information, text, false});
}

bool RecordingBoxes::Confirm(const QString& text, bool yesIsDefault) {
  shown.push_back({BoxKind::Confirmation, text, yesIsDefault});
  if (answers.empty()) return false;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

void RecordingBoxes::Failure(const QString& text) {
  shown.push_back({BoxKind::Failure, text, false});
}

void WhenModalShown(std::function<void(QWidget*)> action) {
  auto tries = std::make_shared<int>(0);
  auto timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, tries, action] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal || ++*tries > 500) {
      timer->stop();
      timer->deleteLater();
      if (modal) action(modal);
    }
  });
  timer->start();
}
