#pragma once

#include <QDialog>
#include <memory>

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
  void bbTransmitionTestClick();
  void bbOKClick();
  void bbCancelClick();

  QComboBox* cbLanguage() const;
  QComboBox* cbCOM() const;
  QComboBox* cbMeterType() const;
  QPushButton* bbTransmitionTest() const;
  QPushButton* bbOK() const;
  QPushButton* bbCancel() const;

 protected:
  void changeEvent(QEvent* event) override;
  // Neither Enter nor Escape closes the dialog or presses a button.
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Puts the name of the meter's port into the port box when it is open.
  void ShowOpenPort();
  // Sets the device box to the device type of a code the program serves;
  // other codes leave it.
  void ShowDeviceOf(std::uint8_t code);

  OptionHost& host_;
  std::unique_ptr<Ui::TfmOption> ui_;
};
