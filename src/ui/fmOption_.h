#pragma once

#include <QDialog>
#include <memory>

#include "Language.h"

namespace Ui {
class TfmOption;
}
class QComboBox;
class QPushButton;
class OptionHost;

// Where the technician chooses the port and the device type. A port typed or
// picked opens at once; the transmission test shows what is connected; OK
// accepts the device only when the tester identified agrees with it.
class TfmOption : public QDialog {
  Q_OBJECT

 public:
  TfmOption(OptionHost& host, QWidget* parent);
  ~TfmOption() override;

  // Refreshes the boxes (FormShow), then runs the dialog modally.
  int ShowModal();

  // The port box's text, and putting one there the way the program does:
  // that opens nothing.
  QString PortText() const;
  void SetPortText(const QString& text);

  void FormCreate();
  void FormShow();
  void cbCOMEnter();
  void cbCOMChange();
  void cbLanguageChange();
  void cbLanguageExit();
  void bbTransmitionTestClick();
  void bbOKClick();
  void bbCancelClick();

  // The boxes as the user meets them: editable, the port box with its text.
  QComboBox* cbLanguage();
  QComboBox* cbCOM();
  QComboBox* cbMeterType();
  QPushButton* bbTransmitionTest() const;
  QPushButton* bbOK() const;
  QPushButton* bbCancel() const;

 protected:
  void changeEvent(QEvent* event) override;
  // Neither Enter nor Escape closes the dialog or presses a button.
  void keyPressEvent(QKeyEvent* event) override;
  // Cancel and the close box: the language goes back to the one in use when
  // the dialog opened.
  void reject() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Puts the name of the meter's port into the port box when it is open.
  void ShowOpenPort();
  // Sets the device box to the device type of a code the program serves;
  // other codes leave it.
  void ShowDeviceOf(std::uint8_t code);
  // Makes the three boxes editable, once: when the dialog first shows or a
  // box is first read. An editable box's line, list and completer are most
  // of what making the dialog costs, and the program's start would pay it
  // for a dialog that may never open.
  void MakeBoxesEditable();

  OptionHost& host_;
  std::unique_ptr<Ui::TfmOption> ui_;
  bool boxesEditable_ = false;
  QString portText_;  // the port box's text until the box is editable
  // The language when the dialog opened, and whether the user has picked
  // one since: OK keeps a picked one, Cancel puts the other back.
  UiLanguage languageAtOpen_ = UiLanguage::English;
  bool languagePicked_ = false;
};
