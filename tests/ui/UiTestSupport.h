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
  };

  RecordingBoxes() { InstallMessageBoxes(this); }
  ~RecordingBoxes() override { InstallMessageBoxes(nullptr); }

  void Information(const QString& text) override;
  bool Confirm(const QString& text, bool yesIsDefault) override;
  void Failure(const QString& text) override;

  std::vector<Box> shown;
  std::deque<bool> answers;
};

// Runs action on the modal window once it is up (and returns at once when
// none comes up within a few seconds, so that no test hangs).
void WhenModalShown(std::function<void(class QWidget*)> action);
