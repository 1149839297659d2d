#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include "MainWindowFixture.h"
#include "fmHelp_.h"
#include "fmOption_.h"

// What the dialogs make only when they first show, as the user meets it.
using FirstShowing = MainWindowFixture;

TEST_F(FirstShowing, OptionsBoxesCompleteNothingTheUserDidNotType) {
  WriteSettings(PortsBinding("COM1"));
  TForm1& form = Start();
  const ModalRun run = RunModalFrom(form.mmOption(), [&](QWidget*) {
    form.fmOption->cbCOM()->setFocus();  // lists the ports, COM1 among them
    QTest::keyClicks(form.fmOption->cbCOM()->lineEdit(), "C");
    QTest::keyClicks(form.fmOption->cbMeterType()->lineEdit(), "T");
    EXPECT_EQ(form.fmOption->cbCOM()->currentText(), "C");
    EXPECT_EQ(form.fmOption->cbMeterType()->currentText(), "T");
  });
  EXPECT_EQ(run.modal, static_cast<QWidget*>(form.fmOption));
}

TEST_F(FirstShowing, HelpViewIsNamedForAScreenReader) {
  TForm1& form = Start();
  form.mmHelpMe()->trigger();
  QAccessibleInterface* view =
      QAccessible::queryAccessibleInterface(form.fmHelp->findChild<QPlainTextEdit*>("reHelp"));
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->text(QAccessible::Name), "Setup program of KAVEL S.A. devices (TVA-740 type)");
}
