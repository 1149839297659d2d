#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTest>
#include <QTextDocument>

#include "Language.h"
#include "MainWindowFixture.h"
#include "Messages.h"
#include "fmChanges_.h"
#include "fmHelp_.h"
#include "fmInfo_.h"
#include "fmOption_.h"
#include "fmSetupAUTO_.h"

namespace {

// The program's windows, speaking the language the test asks for; English
// again for the tests after it.
class Languages : public MainWindowFixture {
 protected:
  void TearDown() override {
    MainWindowFixture::TearDown();
    UseLanguage(UiLanguage::English);
  }

  // Opens Options as the menu does, types into the language box, then does
  // the rest (the dialog is closed after, as its close box does).
  void PickLanguage(const QString& text, const std::function<void()>& then = {}) {
    RunModalFrom(form_->mmOption(), [&](QWidget*) {
      QLineEdit& box = *form_->fmOption->cbLanguage()->lineEdit();
      box.selectAll();
      QTest::keyClicks(&box, text);
      if (then) then();
    });
  }

};

QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

}  // namespace

TEST(LanguageChoice, UsersInterfaceLanguagesAndTheBoxText) {
  EXPECT_EQ(LanguageOfUser({"pl-PL", "pl"}), UiLanguage::Polish);
  EXPECT_EQ(LanguageOfUser({"de-DE", "pl"}), UiLanguage::Polish);
  EXPECT_EQ(LanguageOfUser({"en-US", "pl-PL"}), UiLanguage::English);
  EXPECT_EQ(LanguageOfUser({"de-DE"}), UiLanguage::English);
  for (const char* polish : {"polski", "Polski", " POL ski "})
    EXPECT_EQ(LanguageNamed(polish), UiLanguage::Polish) << polish;
  for (const char* other : {"english", "", "pol", "deutsch"})
    EXPECT_EQ(LanguageNamed(other), UiLanguage::English) << other;
  EXPECT_FALSE(NamesALanguage("pol"));
  EXPECT_TRUE(NamesALanguage("English "));
}

TEST_F(Languages, PickedShowsAtOnceOkKeepsItCancelPutsItBack) {
  Remember("COM2", "TVA740v2_299Type");
  Start().fmHelp->show();
  const QString englishStatus = form_->StatusLine();
  const QString optionItem = QCoreApplication::translate("TForm1", "&Option");
  PickLanguage("Polski", [&] {
    // Retranslated at once by the translator in use, the help window too.
    EXPECT_EQ(form_->mmOption()->text(), QCoreApplication::translate("TForm1", "&Option"));
    EXPECT_NE(form_->mmOption()->text(), optionItem);
    EXPECT_NE(form_->fmHelp->windowTitle(), "Help");
    EXPECT_NE(form_->StatusLine(), englishStatus);
    form_->fmOption->bbOK()->click();
  });
  // Kept at once, not only at shutdown.
  EXPECT_NE(ReadSettings().find("\nLanguage=polski\n"), std::string::npos) << ReadSettings();
  const QString polishStatus = form_->StatusLine();

  // Half typed, nothing changes; named, English shows; Cancel puts Polish back.
  PickLanguage("engl", [&] {
    EXPECT_EQ(LanguageInUse(), UiLanguage::Polish);
    QTest::keyClicks(form_->fmOption->cbLanguage()->lineEdit(), "ish");
    EXPECT_EQ(LanguageInUse(), UiLanguage::English);
    EXPECT_NE(form_->StatusLine(), polishStatus);
    form_->fmOption->bbCancel()->click();
  });
  EXPECT_EQ(LanguageInUse(), UiLanguage::Polish);
  EXPECT_EQ(form_->StatusLine(), polishStatus);
  form_->FormDestroy();
  EXPECT_EQ(ChosenLanguage({settingsPath_, {}}), UiLanguage::Polish);
}

TEST_F(Languages, KeyWrittenOnlyOnceChosen) {
  WriteSettings("[Main Setings]\nMeter=NoType\n");
  Start().FormDestroy();
  EXPECT_EQ(ReadSettings().find("Language"), std::string::npos) << ReadSettings();
}

TEST_F(Languages, QtsOwnButtonsSpeakPolish) {
  UseLanguage(UiLanguage::Polish);
  // Qt's own buttons, from Qt's translations.
  const auto question = BuildMessageBox(BoxKind::Confirmation, kChangeVoltageQuestion);
  EXPECT_EQ(Plain(question->button(QMessageBox::Yes)->text()), "Tak");
  EXPECT_EQ(Plain(question->button(QMessageBox::No)->text()), "Nie");
  const auto report = BuildMessageBox(BoxKind::Failure, "x", false, nullptr, "details");
  QStringList buttons;
  for (QAbstractButton* button : report->findChildren<QAbstractButton*>())
    buttons << button->text();
  EXPECT_TRUE(buttons.contains("Pokaż szczegóły...")) << buttons.join('|').toStdString();
}

// The first start without a port and a saved port that does not open are
// one English message and two Polish ones.
TEST_F(Languages, NoPortSavedAndPortNotOpeningToldApartInPolish) {
  QStringList texts;
  QStringList advice;  // why COM9 did not open
  for (UiLanguage language : {UiLanguage::English, UiLanguage::Polish}) {
    UseLanguage(language);
    for (const char* port : {"", "COM9"}) {
      WriteSettings(std::string("[Main Setings]\nSerial port=") + port + "\nMeter=NoType\n");
      Start();
      texts << boxes_.shown.back().text.remove(port) + "|" + form_->StatusLine();
    }
    advice << boxes_.shown.back().details;
  }
  EXPECT_EQ(texts[0], texts[1]);
  EXPECT_NE(texts[2], texts[3]);
  EXPECT_NE(texts[0], texts[2]);
  EXPECT_TRUE(advice[0].startsWith("port COM9")) << advice[0].toStdString();
  EXPECT_NE(advice[1], advice[0]);
}

// What each window must show whatever the language: its known size, no two
// items of one menu on one key, and every text whole within its control.
class WindowsInEachLanguage : public Languages, public ::testing::WithParamInterface<UiLanguage> {
 protected:
  void SetUp() override {
    Languages::SetUp();
    UseLanguage(GetParam());
    Start();
  }
};

TEST_P(WindowsInEachLanguage, KeepTheirSizesAndMnemonicsDiffer) {
  EXPECT_EQ(form_->fmOption->size(), QSize(362, 212));
  EXPECT_EQ(form_->fmSetupAUTO->size(), QSize(451, 342));
  EXPECT_EQ(form_->fmChangeVoltage->size(), QSize(391, 173));
  std::vector<QList<QAction*>> menus{form_->menuBar()->actions()};
  for (QMenu* menu : form_->findChildren<QMenu*>()) menus.push_back(menu->actions());
  std::vector<QStringList> texts;
  for (const QList<QAction*>& items : menus) {
    texts.emplace_back();
    for (QAction* item : items) texts.back() << item->text();
  }
  // Each dialog's buttons and the labels that lead to a box.
  for (QWidget* window : std::initializer_list<QWidget*>{form_->fmOption, form_->fmSetupAUTO,
                                                         form_->fmChangeVoltage, form_->fmInfo,
                                                         form_->fmHelp}) {
    texts.emplace_back();
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
      texts.back() << button->text();
    for (QLabel* label : window->findChildren<QLabel*>())
      if (label->buddy()) texts.back() << label->text();
  }
  for (const QStringList& window : texts) {
    QStringList keys;
    for (const QString& text : window) {
      const qsizetype mark = text.indexOf(QLatin1Char('&'));
      if (mark >= 0) keys << text.mid(mark + 1, 1).toLower();
    }
    const qsizetype marked = keys.size();
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), marked) << window.join(' ').toStdString();
  }
}

TEST_P(WindowsInEachLanguage, TextsFitTheirControls) {
  form_->mmChanges()->trigger();
  for (QWidget* window : std::initializer_list<QWidget*>{
           form_.get(), form_->fmOption, form_->fmSetupAUTO, form_->fmChangeVoltage, form_->fmInfo,
           form_->fmHelp, form_->fmChanges}) {
    for (QWidget* control : window->findChildren<QWidget*>()) {
      QString text;
      int room = control->width();
      auto* label = qobject_cast<QLabel*>(control);
      if (label && !qobject_cast<QStatusBar*>(label->parentWidget())) {
        QTextDocument rich;
        rich.setHtml(label->text());
        text = Qt::mightBeRichText(label->text()) ? rich.toPlainText() : label->text();
        if (label->buddy()) text = Plain(text);  // the access key shows underlined
        room -= 2 * label->frameWidth();
      } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        text = Plain(button->text());
      } else if (auto* option = qobject_cast<QRadioButton*>(control)) {
        text = option->text();
        room -= 13;  // the round button beside it
      } else if (auto* header = qobject_cast<QHeaderView*>(control)) {
        for (int i = 0; i < header->count(); ++i)
          EXPECT_LE(header->isSectionHidden(i) ? 0 : header->sectionSizeHint(i),
                    header->sectionSize(i))
              << header->model()->headerData(i, Qt::Horizontal).toString().toStdString();
      }
      for (const QString& line : text.split(QLatin1Char('\n')))
        EXPECT_LE(control->fontMetrics().horizontalAdvance(line), room)
            << control->objectName().toStdString() << ": " << line.toStdString();
    }
  }
  EXPECT_LE(form_->fontMetrics().horizontalAdvance(form_->StatusLine()), form_->width());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, WindowsInEachLanguage,
                         ::testing::Values(UiLanguage::English, UiLanguage::Polish),
                         [](const auto& row) { return LanguageName(row.param).toStdString(); });
