#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class TfmSetupAUTO;
}
class QCheckBox;
class QPushButton;
class RcdTestLabel;
class MeterHost;

// Which measurements the tester's automatic RCD sequence runs: the AUTO-mode
// option byte, a check box per bit. Read at every opening; written only after
// the tripping-option check, a confirmation and a fresh identification.
class TfmSetupAUTO : public QDialog {
  Q_OBJECT

 public:
  TfmSetupAUTO(MeterHost& host, QWidget* parent);
  ~TfmSetupAUTO() override;

  // Reads the byte (FormShow), then runs the dialog modally.
  int ShowModal();

  void FormShow();
  void bbCheckAllClick();
  void bbCheckBaseClick();
  void bbClearAllClick();
  void bbOKClick();
  void bbCancelClick();

  // The eight option boxes, indexed by their bit in the byte.
  const std::array<QCheckBox*, 8>& OptionBoxes() const { return optionBoxes_; }
  QCheckBox* cbUb() const;
  QCheckBox* cbRe() const;
  QPushButton* bbCheckAll() const;
  QPushButton* bbCheckBase() const;
  QPushButton* bbClearAll() const;
  QPushButton* bbOK() const;
  QPushButton* bbCancel() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // Names each option box for a screen reader, in the language in use.
  void NameOptionBoxes();
  // Checks each box whose bit is set in the byte and unchecks the others.
  void ShowByte(std::uint8_t byte);
  // The byte the checked boxes make.
  std::uint8_t ByteShown() const;

  MeterHost& host_;
  std::unique_ptr<Ui::TfmSetupAUTO> ui_;
  std::array<QCheckBox*, 8> optionBoxes_;
  std::array<RcdTestLabel*, 8> optionPictures_;
};
