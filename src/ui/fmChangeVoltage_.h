#pragma once

#include <QDialog>
#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class TfmChangeVoltage;
}
class QLabel;
class QPushButton;
class QRadioButton;
class MeterHost;

// Shows the tester's nominal mains voltage and switches it between 220 V and
// 230 V, only after a confirmation and a fresh identification of the tester.
class TfmChangeVoltage : public QDialog {
  Q_OBJECT

 public:
  TfmChangeVoltage(MeterHost& host, QWidget* parent);
  ~TfmChangeVoltage() override;

  // Reads the voltage (FormShow), then runs the dialog modally.
  int ShowModal();

  void FormShow();
  void bbOKClick();
  void bbCancelClick();

  QRadioButton* rb220() const;
  QRadioButton* rb230() const;
  QLabel* plVoltage() const;
  QPushButton* bbOK() const;
  QPushButton* bbCancel() const;

 protected:
  // Retranslates the dialog; the voltage read stays on its panel.
  void changeEvent(QEvent* event) override;

 private:
  void DescribePanel();

  MeterHost& host_;
  std::unique_ptr<Ui::TfmChangeVoltage> ui_;
  std::optional<std::uint16_t> voltageShown_;  // the voltage on the panel, once read
};
