#include "fmInfo_.h"

#include <QEvent>
#include <QMessageBox>

#include "HandlerGuard.h"
#include "ProgramFile.h"
#include "ui_fmInfo_.h"

TfmInfo::TfmInfo(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      ui_(std::make_unique<Ui::TfmInfo>()) {
  ui_->setupUi(this);
  setFixedSize(size());
  ConnectCommand(ui_->nnOK, &QPushButton::clicked, this, &TfmInfo::nnOKClick);
  ConnectCommand(ui_->nnAboutQt, &QPushButton::clicked, this, &TfmInfo::nnAboutQtClick);
  Guarded([this] { FormCreate(); });
}

TfmInfo::~TfmInfo() = default;

QLabel* TfmInfo::stVersion() const { return ui_->stVersion; }
QPushButton* TfmInfo::nnOK() const { return ui_->nnOK; }
QPushButton* TfmInfo::nnAboutQt() const { return ui_->nnAboutQt; }

void TfmInfo::FormCreate() {
  ui_->stVersion->setText(QString::fromStdString(GetFileVersionText()));
}

void TfmInfo::nnOKClick() { close(); }

// Qt's own box: its version, its licence and where its source is.
void TfmInfo::nnAboutQtClick() { QMessageBox::aboutQt(this); }

void TfmInfo::changeEvent(QEvent* event) {
  // The version stays: it is no text of the windows.
  if (event->type() == QEvent::LanguageChange) ui_->retranslateUi(this);
  QDialog::changeEvent(event);
}
