#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>

#include "Messages.h"

namespace {

class QtMessageBoxes : public MessageBoxes {
 public:
  void Information(const QString& text, const QString& details) override {
    BuildMessageBox(BoxKind::Information, text, false, QApplication::activeWindow(), details)
        ->exec();
  }
  bool Confirm(const QString& text, bool yesIsDefault, const QString& details) override {
    return BuildMessageBox(BoxKind::Confirmation, text, yesIsDefault, QApplication::activeWindow(),
                           details)
               ->exec() == QMessageBox::Yes;
  }
  int Choose(const QString& text, const QStringList& choices, const QString& details) override {
    const auto box = BuildChoiceBox(text, choices, QApplication::activeWindow(), details);
    box->exec();
    const qsizetype chosen = box->buttons().indexOf(box->clickedButton());
    return static_cast<int>(chosen < 0 ? choices.size() - 1 : chosen);
  }
  void Failure(const QString& text, const QString& details) override {
    BuildMessageBox(BoxKind::Failure, text, false, QApplication::activeWindow(), details)->exec();
  }
};

QtMessageBoxes realBoxes;
MessageBoxes* installedBoxes = nullptr;
QString detailsForNextBox;

QString WithDetailsForNextBox(const QString& details) {
  const QString waiting = std::exchange(detailsForNextBox, QString());
  if (waiting.isEmpty()) return details;
  return details.isEmpty() ? waiting : details + QStringLiteral("\n\n") + waiting;
}

// Hands the boxes in use the details waiting for the next message: a
// question is not where an outcome is told.
class NextBoxDetails : public MessageBoxes {
 public:
  void Information(const QString& text, const QString& details) override {
    Target().Information(text, WithDetailsForNextBox(details));
  }
  bool Confirm(const QString& text, bool yesIsDefault, const QString& details) override {
    return Target().Confirm(text, yesIsDefault, details);
  }
  int Choose(const QString& text, const QStringList& choices, const QString& details) override {
    return Target().Choose(text, choices, details);
  }
  void Failure(const QString& text, const QString& details) override {
    Target().Failure(text, WithDetailsForNextBox(details));
  }

 private:
  static MessageBoxes& Target() { return installedBoxes ? *installedBoxes : realBoxes; }
};

NextBoxDetails boxesInUse;

}  // namespace

MessageBoxes& Boxes() { return boxesInUse; }

void AddDetailsToNextBox(const QString& details) {
  if (details.isEmpty()) return;
  detailsForNextBox = WithDetailsForNextBox(details);
}

void InstallMessageBoxes(MessageBoxes* boxes) { installedBoxes = boxes; }

std::unique_ptr<QMessageBox> BuildMessageBox(BoxKind kind, const QString& text, bool yesIsDefault,
                                             QWidget* parent, const QString& details) {
  auto box = std::make_unique<QMessageBox>(parent);
  box->setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
  box->setTextFormat(Qt::PlainText);
  // Qt adds its "Show Details..." button beside OK only for a box with them.
  if (!details.isEmpty()) box->setDetailedText(details);
  switch (kind) {
    case BoxKind::Information:
      box->setWindowTitle(kApplicationTitle);
      box->setIcon(QMessageBox::NoIcon);
      box->setStandardButtons(QMessageBox::Ok);
      break;
    case BoxKind::Confirmation:
      box->setWindowTitle(kConfirmationCaption);
      box->setIcon(QMessageBox::Question);
      box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box->setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
      box->setEscapeButton(QMessageBox::No);
      break;
    case BoxKind::Choice:
      // BuildChoiceBox adds a button per choice.
      box->setWindowTitle(kCutShortCaption);
      box->setIcon(QMessageBox::Warning);
      break;
    case BoxKind::Failure:
      box->setWindowTitle(kApplicationTitle);
      box->setIcon(QMessageBox::Critical);
      box->setStandardButtons(QMessageBox::Ok);
      break;
  }
  return box;
}

std::unique_ptr<QMessageBox> BuildChoiceBox(const QString& text, const QStringList& choices,
                                            QWidget* parent, const QString& details) {
  auto box = BuildMessageBox(BoxKind::Choice, text, false, parent, details);
  for (const QString& choice : choices) box->addButton(choice, QMessageBox::ActionRole);
  // The last choice is the one that changes nothing: Enter and Escape both.
  QAbstractButton* last = box->buttons().back();
  box->setDefaultButton(qobject_cast<QPushButton*>(last));
  box->setEscapeButton(last);
  return box;
}
