#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "MessageBoxes.h"

// Records every box instead of showing it; confirmations take the scripted
// answers in order (No when none is left).
class RecordingBoxes : public MessageBoxes {
 public:
  struct Box {
    BoxKind kind;
    QString text;
    bool yesIsDefault;
    QString details;
  };

  RecordingBoxes() { InstallMessageBoxes(this); }
  ~RecordingBoxes() override { InstallMessageBoxes(nullptr); }

  void Information(const QString& text, const QString& details) override;
  bool Confirm(const QString& text, bool yesIsDefault, const QString& details) override;
  int Choose(const QString& text, const QStringList& choices, const QString& details) override;
  void Failure(const QString& text, const QString& details) override;

  std::vector<Box> shown;
  std::deque<bool> answers;
  std::deque<int> choices;  // the last choice when none is left
};

class QAction;
class QWidget;

// What came of a menu item that may open a modal window.
struct ModalRun {
  QWidget* modal = nullptr;  // the window that came up, or nullptr
  bool leftOpen = false;     // the action left it open (it was closed after)
};

// Triggers the item; when a modal window comes up, runs action in it and
// closes it if the action left it open. The watch ends with the call, so
// nothing of it reaches a later test, and a window that never comes up
// leaves the call returning with the item's handler.
ModalRun RunModalFrom(QAction* item, const std::function<void(QWidget*)>& action = {});
