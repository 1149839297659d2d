#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "MainWindowFixture.h"
#include "fmOption_.h"

// The Options dialog's boxes, made editable at its first showing, as the user
// meets them: Shift+Tab goes round in the form's order, and a box completes
// nothing the user did not type.
using FirstShowing = MainWindowFixture;
TEST_F(FirstShowing, OptionsBoxes) {
  WriteSettings(PortsBinding("COM1"));
  TfmOption& dialog = *Start().fmOption;
  QStringList ring;
  const ModalRun run = RunModalFrom(form_->mmOption(), [&](QWidget*) {
    dialog.bbOK()->setFocus();
    for (int i = 0; i < 6; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
      ring << QApplication::focusWidget()->objectName();
    }
    dialog.cbCOM()->setFocus();  // lists the ports, COM1 among them
    QTest::keyClicks(dialog.cbCOM()->lineEdit(), "C");
    QTest::keyClicks(dialog.cbMeterType()->lineEdit(), "T");
    EXPECT_EQ(dialog.cbCOM()->currentText(), "C");
    EXPECT_EQ(dialog.cbMeterType()->currentText(), "T");
  });
  EXPECT_EQ(run.modal, static_cast<QWidget*>(&dialog));
  EXPECT_EQ(ring,
            QString("bbTransmitionTest cbMeterType cbCOM cbLanguage bbCancel bbOK").split(' '));
}
