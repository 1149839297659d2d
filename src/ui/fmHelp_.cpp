#include "fmHelp_.h"

#include <QCoreApplication>
#include <QEvent>

#include "HandlerGuard.h"
#include "ui_fmHelp_.h"

namespace {

// The guide, one text for its translators; its lines break where the
// English one's always did, and the blanks at either end of a line belong to it.
const char* const kGuide = QT_TRANSLATE_NOOP(
    "TfmHelp",
    "Setup program of KAVEL S.A. devices (TVA-740 type) \n"
    "\n"
    "  Attention: During the application process the device should be connected \n"
    "to the computer by the suitable cable (ZT-LINK) and it should be turned \n"
    "on in data transmission mode.\n"
    "\n"
    "  The parameters that can be set-up in particular devices:\n"
    "  RCD - AUTO measurement's setup\n"
    "\n"
    "  Follow the instructions below:\n"
    "\n"
    "  1) After running the application select from the main  menu -> command \n"
    "[Options], select:\n"
    "  - the serial port to which the device is connected, the application will \n"
    "enable the setup of ports available only in the computer,\n"
    "  - device's type, you can (without earlier device's type setup) start -> \n"
    "command [Transmission test] that will identify the device connected,\n"
    "  - there is an option to run a test connecting the device, command \n"
    "[Transmission test].\n"
    "\n"
    "  2) Depending on the type of connected device the appropriate \n"
    "configuration functions will be available in option [Commands] from the main \n"
    "menu.\n"
    "  - a start of the function makes reading device's current setup,\n"
    "  - set-up demanded positions and send to the device -> command [Set-up] \n"
    "or  cancel changes -> command [Cancel].\n"
    "\n"
    "  3) Close running of the program. The program will automatically save its \n"
    "setup.\n");

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
  ShowGuide();
  // A selection stays as visible as it was while the view had the focus.
  QPalette palette = ui_->reHelp->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  ui_->reHelp->setPalette(palette);
  ConnectCommand(ui_->bbOK, &QPushButton::clicked, this, &TfmHelp::bbOKClick);
}

void TfmHelp::ShowGuide() {
  const QString guide = QCoreApplication::translate("TfmHelp", kGuide);
  ui_->reHelp->setPlainText(guide);
  // The view has no label beside it; a screen reader names it by the guide's title.
  ui_->reHelp->setAccessibleName(guide.section(QLatin1Char('\n'), 0, 0).trimmed());
}

void TfmHelp::changeEvent(QEvent* event) {
  // Content not made yet is made in the language in use when first shown.
  if (event->type() == QEvent::LanguageChange && ui_) {
    ui_->retranslateUi(this);
    ShowGuide();
  }
  QDialog::changeEvent(event);
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
