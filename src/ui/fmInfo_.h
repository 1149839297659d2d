#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TfmInfo;
}
class QLabel;
class QPushButton;

// Says which program this is, its version, who makes it, and that it uses
// Qt under the LGPL-3, with Qt's own box. Shown without
// modality; OK and the close box only hide it.
class TfmInfo : public QDialog {
  Q_OBJECT

 public:
  explicit TfmInfo(QWidget* parent);
  ~TfmInfo() override;

  void FormCreate();
  void nnOKClick();
  void nnAboutQtClick();

  QLabel* stVersion() const;
  QPushButton* nnOK() const;
  QPushButton* nnAboutQt() const;

 protected:
  void changeEvent(QEvent* event) override;

 private:
  std::unique_ptr<Ui::TfmInfo> ui_;
};
