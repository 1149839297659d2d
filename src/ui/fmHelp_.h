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
class TfmHelp : public QDialog {
  Q_OBJECT

 public:
  explicit TfmHelp(QWidget* parent);
  ~TfmHelp() override;

  void bbOKClick();

  QPlainTextEdit* reHelp() const;
  QPushButton* bbOK() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // The guide in the language in use.
  void ShowGuide();

  std::unique_ptr<Ui::TfmHelp> ui_;
};
