#pragma once

#include <QString>
#include <QStringList>
#include <memory>

class QMessageBox;
class QWidget;

// Every message box the program shows goes through here, so that tests can
// record the boxes and script the answers.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // The plain message: the text, an OK button, no icon. details, when there
  // are any, wait behind a "Show Details..." button: why a port did not
  // open, what the system said.
  virtual void Information(const QString& text, const QString& details = {}) = 0;
  // A Yes/No question; true only for Yes. details as above: why it is asked.
  virtual bool Confirm(const QString& text, bool yesIsDefault, const QString& details = {}) = 0;
  // A warning of a change cut short with a button per choice, the last one
  // the default and the answer to the close box; answers the index of the
  // choice. details as above.
  virtual int Choose(const QString& text, const QStringList& choices,
                     const QString& details = {}) = 0;
  // The general failure report: error icon, OK, and details as above.
  virtual void Failure(const QString& text, const QString& details = {}) = 0;
};

// The boxes in use; the real ones unless a test installed others.
MessageBoxes& Boxes();
// Installs boxes (not owned); nullptr goes back to the real ones.
void InstallMessageBoxes(MessageBoxes* boxes);
// Details the next message or failure report carries besides its own, for
// what the user must learn with the outcome of a change: that the record of
// changes could not be written.
void AddDetailsToNextBox(const QString& details);

enum class BoxKind { Information, Confirmation, Failure, Choice };

// The box as the real implementation shows it. "\r" in the text breaks the
// line. yesIsDefault matters for a confirmation only.
std::unique_ptr<QMessageBox> BuildMessageBox(BoxKind kind, const QString& text,
                                             bool yesIsDefault = false, QWidget* parent = nullptr,
                                             const QString& details = {});
// A choice box as the real implementation shows it: a button per choice, in
// order, the last one the default and the answer to Escape.
std::unique_ptr<QMessageBox> BuildChoiceBox(const QString& text, const QStringList& choices,
                                            QWidget* parent = nullptr,
                                            const QString& details = {});
