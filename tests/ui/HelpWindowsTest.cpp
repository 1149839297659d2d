#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "MainWindowFixture.h"
#include "fmHelp_.h"
#include "fmInfo_.h"
#include "fmOption_.h"

namespace {

using HelpWindows = MainWindowFixture;

QString Label(QWidget* window, const char* name) {
  return window->findChild<QLabel*>(name)->text();
}

}  // namespace

TEST_F(HelpWindows, AboutShowsTheStampedVersionAndInventedContacts) {
  TfmInfo& about = *Start().fmInfo;
  EXPECT_EQ(about.windowTitle(), "About...");
  EXPECT_EQ(about.size(), QSize(381, 185));
  EXPECT_EQ(about.minimumSize(), about.maximumSize());
  // This test program is stamped 1.0.2.31 by its build.
  EXPECT_EQ(about.stVersion()->text(), "1.0.2.31");
  EXPECT_EQ(Label(&about, "st1"), "KAVEL S.A. devices' setup");
  EXPECT_EQ(Label(&about, "st2"), "Version:");
  EXPECT_EQ(Label(&about, "st3"), "KAVEL S.A.");
  EXPECT_TRUE(about.findChild<QLabel*>("st3")->font().bold());
  // Contacts that reach nobody: a telephone number of the range set aside
  // for drama (020 7946 0000 to 0999) and the reserved example.com domain.
  const QString telephone = Label(&about, "st7");
  EXPECT_TRUE(telephone.startsWith("tel. +44 20 7946 0")) << telephone.toStdString();
  EXPECT_EQ(telephone.size(), QString("tel. +44 20 7946 0000").size());
  EXPECT_TRUE(Label(&about, "st4").endsWith("@kavel.example.com"));
  EXPECT_TRUE(Label(&about, "st8").endsWith(".example.com"));
  // Street, town, telephone, e-mail, web, one under the other.
  int previous = -1;
  for (const char* line : {"st5", "st6", "st7", "st4", "st8"}) {
    const int top = about.findChild<QLabel*>(line)->y();
    EXPECT_GT(top, previous) << line;
    previous = top;
  }
  EXPECT_EQ(about.nnOK()->geometry().bottomRight().x(), 381 - 9);
  // The LGPL's notice, and Qt's own box from the button beside it.
  EXPECT_TRUE(Label(&about, "stQt").contains("LGPL-3"));
  bool qtBox = false;  // Qt's box goes when closed
  QTimer::singleShot(0, [&qtBox] {
    QWidget* box = QApplication::activeModalWidget();
    qtBox = qobject_cast<QMessageBox*>(box) != nullptr;
    if (box) box->close();
  });
  about.nnAboutQt()->click();
  EXPECT_TRUE(qtBox);
}

TEST_F(HelpWindows, GuideIsReadOnlyAndKeepsItsSelection) {
  TfmHelp& help = *Start().fmHelp;
  QPlainTextEdit& view = *help.reHelp();
  EXPECT_EQ(help.windowTitle(), "Help");
  EXPECT_EQ(view.blockCount(), 30);
  const QTextDocument& guide = *view.document();
  EXPECT_EQ(guide.findBlockByNumber(0).text(),
            "Setup program of KAVEL S.A. devices (TVA-740 type) ");
  EXPECT_EQ(guide.findBlockByNumber(11).text(),
            "  1) After running the application select from the main  menu -> command ");
  EXPECT_EQ(guide.findBlockByNumber(25).text(), "or  cancel changes -> command [Cancel].");
  EXPECT_EQ(guide.findBlockByNumber(29).text(), "");
  EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(view.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_FALSE(view.focusPolicy() & Qt::TabFocus);

  form_->mmHelpMe()->trigger();
  const QString text = view.toPlainText();
  view.setFocus();
  QTest::keyClicks(&view, "typed");
  QTest::keyClick(&view, Qt::Key_Delete);
  EXPECT_EQ(view.toPlainText(), text);

  QTextCursor selection(view.document());
  selection.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
  view.setTextCursor(selection);
  help.bbOK()->setFocus();
  EXPECT_TRUE(view.textCursor().hasSelection());
  EXPECT_EQ(view.palette().color(QPalette::Inactive, QPalette::Highlight),
            view.palette().color(QPalette::Active, QPalette::Highlight));
}

TEST_F(HelpWindows, HelpResizesDownToItsSmallestAndKeepsItsSize) {
  TfmHelp& help = *Start().fmHelp;
  form_->mmHelpMe()->trigger();
  help.resize(20, 20);
  EXPECT_EQ(help.size(), QSize(200, 75));
  help.resize(600, 500);
  QApplication::processEvents();
  EXPECT_EQ(help.reHelp()->geometry().left(), 0);
  EXPECT_EQ(help.reHelp()->geometry().top(), 0);
  EXPECT_EQ(help.reHelp()->width(), 600);
  const QRect ok = help.bbOK()->geometry();
  EXPECT_EQ(ok.size(), QSize(100, 25));
  EXPECT_NEAR(ok.right(), 599, 6);
  EXPECT_NEAR(ok.bottom(), 499, 6);
  EXPECT_GE(ok.top(), help.reHelp()->geometry().bottom());

  help.bbOK()->click();
  EXPECT_FALSE(help.isVisible());
  form_->mmHelpMe()->trigger();
  EXPECT_EQ(help.size(), QSize(600, 500));
}

TEST_F(HelpWindows, BothOpenBesideAUsableMainWindow) {
  TForm1& form = Start();
  form.mmInfo()->trigger();
  form.mmHelpMe()->trigger();
  form.mmInfo()->trigger();  // open already: only raised
  EXPECT_TRUE(form.fmInfo->isVisible());
  EXPECT_TRUE(form.fmHelp->isVisible());
  EXPECT_EQ(form.findChildren<TfmInfo*>().size(), 1);
  EXPECT_EQ(form.findChildren<TfmHelp*>().size(), 1);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  EXPECT_EQ(RunModalFrom(form.mmOption()).modal, static_cast<QWidget*>(form.fmOption));

  form.fmInfo->nnOK()->click();
  EXPECT_FALSE(form.fmInfo->isVisible());
  EXPECT_TRUE(form.fmHelp->isVisible());
}
