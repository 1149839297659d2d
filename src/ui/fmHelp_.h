#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfmHelp;
}
class QPlainTextEdit;
class QPushButton;

// The operating guide, read-only, in a window that can be resized and kept
// open beside the main window. OK and the close box only hide it.
// The window exists from the start; its view and button are made when it
// first shows or is first read: laying out the guide's view is the largest
// part of the window, and the program's start would pay it for a guide that
// may never be opened.
class TfmHelp : public QDialog {
  Q_OBJECT

 public:
  explicit TfmHelp(QWidget* parent);
  ~TfmHelp() override;

  void setVisible(bool visible) override;

  void bbOKClick();

  QPlainTextEdit* reHelp();
  QPushButton* bbOK();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  void MakeContent();
  // The guide in the language in use.
  void ShowGuide();

  std::unique_ptr<Ui::TfmHelp> ui_;
};
