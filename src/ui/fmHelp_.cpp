#include "fmHelp_.h"

#include <QStringList>

#include "HandlerGuard.h"
#include "ui_fmHelp_.h"

namespace {

// The guide, a line each; the blanks at either end of a line belong to it.
const QStringList kGuideLines = {
    QStringLiteral("Setup program of KAVEL S.A. devices (TVA-740 type) "),
    QString(),
    QStringLiteral("  Attention: During the application process the device should be connected "),
    QStringLiteral("to the computer by the suitable cable (ZT-LINK) and it should be turned "),
    QStringLiteral("on in data transmission mode."),
    QString(),
    QStringLiteral("  The parameters that can be set-up in particular devices:"),
    QStringLiteral("  RCD - AUTO measurement's setup"),
    QString(),
    QStringLiteral("  Follow the instructions below:"),
    QString(),
    QStringLiteral("  1) After running the application select from the main  menu -> command "),
    QStringLiteral("[Options], select:"),
    QStringLiteral("  - the serial port to which the device is connected, the application will "),
    QStringLiteral("enable the setup of ports available only in the computer,"),
    QStringLiteral("  - device's type, you can (without earlier device's type setup) start -> "),
    QStringLiteral("command [Transmission test] that will identify the device connected,"),
    QStringLiteral("  - there is an option to run a test connecting the device, command "),
    QStringLiteral("[Transmission test]."),
    QString(),
    QStringLiteral("  2) Depending on the type of connected device the appropriate "),
    QStringLiteral("configuration functions will be available in option [Commands] from the main "),
    QStringLiteral("menu."),
    QStringLiteral("  - a start of the function makes reading device's current setup,"),
    QStringLiteral("  - set-up demanded positions and send to the device -> command [Set-up] "),
    QStringLiteral("or  cancel changes -> command [Cancel]."),
    QString(),
    QStringLiteral("  3) Close running of the program. The program will automatically save its "),
    QStringLiteral("setup."),
    QString(),
};

// The first size; the user's own size is kept from one showing to the next.
constexpr int kInitialWidth = 389;
constexpr int kInitialHeight = 432;

}  // namespace

TfmHelp::TfmHelp(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
  // The name its form gives it, by which it is found before it is made.
  setObjectName(QStringLiteral("TfmHelp"));
}

TfmHelp::~TfmHelp() = default;

void TfmHelp::setVisible(bool visible) {
  if (visible) MakeContent();
  QDialog::setVisible(visible);
}

void TfmHelp::MakeContent() {
  if (ui_) return;
  ui_ = std::make_unique<Ui::TfmHelp>();
  ui_->setupUi(this);
  resize(kInitialWidth, kInitialHeight);
  ui_->reHelp->setPlainText(kGuideLines.join(QLatin1Char('\n')));
  // The view has no label beside it; a screen reader names it by the guide's title.
  ui_->reHelp->setAccessibleName(kGuideLines.first().trimmed());
  // A selection stays as visible as it was while the view had the focus.
  QPalette palette = ui_->reHelp->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  ui_->reHelp->setPalette(palette);
  ConnectCommand(ui_->bbOK, &QPushButton::clicked, this, &TfmHelp::bbOKClick);
}

QPlainTextEdit* TfmHelp::reHelp() {
  MakeContent();
  return ui_->reHelp;
}
QPushButton* TfmHelp::bbOK() {
  MakeContent();
  return ui_->bbOK;
}

void TfmHelp::bbOKClick() { close(); }
