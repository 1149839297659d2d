#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
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

#include "IniFile.h"
#include "Language.h"
#include "MainWindowFixture.h"
#include "Messages.h"
#include "SettingsKeys.h"
#include "fmHelp_.h"
#include "fmInfo_.h"
#include "fmOption_.h"
#include "fmSetupAUTO_.h"

namespace {

// The program's windows, speaking the language the test asks for; English
// again for the tests after it.
class LanguageFixture : public MainWindowFixture {
 protected:
  void TearDown() override {
    MainWindowFixture::TearDown();
    UseLanguage(UiLanguage::English);
  }

  // Types into the language box key by key, as a user does.
  void TypeLanguage(const QString& text) {
    QComboBox& box = *form_->fmOption->cbLanguage();
    box.lineEdit()->clear();
    QTest::keyClicks(box.lineEdit(), text);
  }

  std::vector<QWidget*> Windows() {
    return {form_.get(),   form_->fmOption, form_->fmSetupAUTO, form_->fmChangeVoltage,
            form_->fmInfo, form_->fmHelp};
  }
};

using PolishWindows = LanguageFixture;

QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

QStringList MenuTitles(TForm1& form) {
  QStringList titles;
  for (QAction* item : form.menuBar()->actions()) titles << item->text();
  return titles;
}

}  // namespace

TEST(LanguageChoice, UsersInterfaceLanguagesAndTheBoxText) {
  const struct {
    QStringList uiLanguages;
    UiLanguage expected;
  } users[] = {
      {{"pl-PL", "pl"}, UiLanguage::Polish},    {{"pl"}, UiLanguage::Polish},
      {{"de-DE", "pl-PL"}, UiLanguage::Polish}, {{"en-US", "pl-PL"}, UiLanguage::English},
      {{"de-DE", "de"}, UiLanguage::English},   {{}, UiLanguage::English},
  };
  for (const auto& user : users)
    EXPECT_EQ(LanguageOfUser(user.uiLanguages), user.expected)
        << user.uiLanguages.join(' ').toStdString();
  EXPECT_EQ(LanguageNamed("polski"), UiLanguage::Polish);
  for (const char* other : {"english", "", "Polski", "polish", "deutsch"})
    EXPECT_EQ(LanguageNamed(other), UiLanguage::English) << other;
}

TEST_F(LanguageFixture, PickedInTheBoxRetranslatesOpenWindowsAndIsKept) {
  WriteSettings("[Main Setings]\nMeter=NoType\n");
  TForm1& form = Start();
  form.fmHelp->show();
  form.fmInfo->show();
  const QString englishStatus = form.StatusLine();
  RunModalFrom(form.mmOption(), [&](QWidget* dialog) {
    TypeLanguage("polski");
    EXPECT_EQ(dialog->windowTitle(), "Opcje");
  });
  EXPECT_EQ(MenuTitles(form), (QStringList{"&Plik", "&Konfiguracja", "&Opcje", "Pomo&c"}));
  EXPECT_EQ(form.fmHelp->windowTitle(), "Pomoc");
  EXPECT_TRUE(form.fmHelp->reHelp()->toPlainText().startsWith("Program konfiguracyjny"));
  EXPECT_EQ(form.fmInfo->windowTitle(), "O programie");
  EXPECT_EQ(form.StatusLine(), "Nie wybrano portu szeregowego");
  form.FormDestroy();
  EXPECT_EQ(IniFile(settingsPath_).ReadString(kMainSection, kLanguageKey, ""), "polski");
  EXPECT_EQ(ChosenLanguage({settingsPath_, {}}), UiLanguage::Polish);

  // And back: the windows speak English as the program has always written it.
  Start();
  RunModalFrom(form_->mmOption(), [&](QWidget*) {
    EXPECT_EQ(form_->fmOption->cbLanguage()->currentText(), "polski");
    TypeLanguage("english");
  });
  EXPECT_EQ(MenuTitles(*form_), (QStringList{"&File", "&Configuration", "&Option", "&Help"}));
  EXPECT_EQ(form_->StatusLine(), englishStatus);
  form_->FormDestroy();
  EXPECT_EQ(ChosenLanguage({settingsPath_, {}}), UiLanguage::English);
}

TEST_F(LanguageFixture, KeyWrittenOnlyOnceChosen) {
  WriteSettings("[Main Setings]\nMeter=NoType\n");
  Start().FormDestroy();
  EXPECT_EQ(ReadSettings().find("Language"), std::string::npos) << ReadSettings();
  // A file that keeps the language keeps it, among the other keys.
  WriteSettings("[Main Setings]\nLanguage=polski\nMeter=NoType\n");
  UseLanguage(ChosenLanguage({settingsPath_, {}}));
  Start().FormDestroy();
  EXPECT_NE(ReadSettings().find("[Main Setings]\nLanguage=polski\n"), std::string::npos)
      << ReadSettings();
}

TEST_F(PolishWindows, MenusDialogsAndQuestionsSpeakPolish) {
  Remember("COM2", "TVA740v2_299Type");
  UseLanguage(UiLanguage::Polish);
  TForm1& form = Start();
  EXPECT_EQ(form.windowTitle(), "Program konfiguracyjny urządzeń KAVEL S.A. (typ QSN-740)");
  EXPECT_EQ(form.StatusLine(), "Port: COM2 TVA740 v2");
  QStringList items;
  for (QAction* item : {form.mmExit(), form.mmSetupAuto(), form.mmChangeVoltage(), form.mmOption(),
                        form.mmHelpMe(), form.mmInfo()})
    items << item->text();
  EXPECT_EQ(items, (QStringList{"&Zakończ", "Tryb &AUTO pomiaru RCD", "&Napięcie znamionowe",
                                "&Opcje", "Pomoc", "&O programie..."}));

  TfmChangeVoltage& voltage = *form.fmChangeVoltage;
  EXPECT_EQ(voltage.windowTitle(), "Napięcie znamionowe");
  EXPECT_EQ(voltage.findChild<QLabel*>("stCurrent")->text(),
            "Ustawione obecnie\nnapięcie znamionowe");
  EXPECT_EQ(voltage.bbOK()->text(), "Ustaw");
  EXPECT_EQ(voltage.bbCancel()->text(), "Anuluj");

  TfmOption& options = *form.fmOption;
  EXPECT_EQ(options.findChild<QLabel*>("stLanguage")->text(), "Język:");
  EXPECT_EQ(options.findChild<QLabel*>("stMeterType")->text(), "Miernik:");
  EXPECT_EQ(options.bbTransmitionTest()->text(), "Test transmisji");
  EXPECT_EQ(options.cbLanguage()->itemText(1), "polski");

  TfmSetupAUTO& autoMode = *form.fmSetupAUTO;
  EXPECT_EQ(autoMode.windowTitle(), "Ustawienia trybu AUTO pomiaru RCD");
  EXPECT_EQ(autoMode.bbCheckAll()->text(), "Zaznacz wszystkie");
  EXPECT_EQ(autoMode.OptionBoxes()[0]->accessibleName(),
            "Czas zadziałania przy 0,5×IΔn, dodatnia półfala");

  const QString guide = form.fmHelp->reHelp()->toPlainText();
  EXPECT_TRUE(guide.contains("port szeregowy")) << guide.toStdString();
  EXPECT_EQ(form.fmHelp->reHelp()->accessibleName(),
            "Program konfiguracyjny urządzeń KAVEL S.A. (typ TVA-740)");
  EXPECT_EQ(form.fmInfo->findChild<QLabel*>("st2")->text(), "Wersja:");

  // Qt's own buttons, from Qt's translations.
  const auto question = BuildMessageBox(BoxKind::Confirmation, kChangeVoltageQuestion);
  EXPECT_EQ(question->windowTitle(), "Potwierdzenie");
  EXPECT_EQ(question->text(), "Zmienić napięcie znamionowe miernika?");
  EXPECT_EQ(Plain(question->button(QMessageBox::Yes)->text()), "Tak");
  EXPECT_EQ(Plain(question->button(QMessageBox::No)->text()), "Nie");
  const auto report = BuildMessageBox(BoxKind::Failure, "x", false, nullptr, "details");
  QStringList buttons;
  for (QAbstractButton* button : report->findChildren<QAbstractButton*>())
    buttons << Plain(button->text());
  EXPECT_TRUE(buttons.contains(QString::fromUtf8("Pokaż szczegóły...")))
      << buttons.join('|').toStdString();
}

TEST_F(PolishWindows, VoltageChangeAskedAndReportedInPolish) {
  Remember("COM2", "TVA740v2_299Type");
  UseLanguage(UiLanguage::Polish);
  Start();
  boxes_.answers = {true};
  RunModalFrom(form_->mmChangeVoltage(), [&](QWidget*) {
    form_->fmChangeVoltage->rb230()->setChecked(true);
    form_->fmChangeVoltage->bbOK()->click();
  });
  ASSERT_EQ(boxes_.shown.size(), 2u);
  EXPECT_EQ(boxes_.shown[0].text, "Zmienić napięcie znamionowe miernika?");
  EXPECT_EQ(boxes_.shown[1].text, "OK. Napięcie znamionowe miernika zmieniono na 230 V.");
}

// What each window must show whatever the language: every text whole within
// its control, and no two items of one menu on the same key.
class WindowsInEachLanguage : public LanguageFixture,
                              public ::testing::WithParamInterface<UiLanguage> {};

TEST_P(WindowsInEachLanguage, TextsFitTheirControlsAndMnemonicsDiffer) {
  UseLanguage(GetParam());
  Start();
  // The dialogs keep the sizes the technicians know, whatever they say.
  EXPECT_EQ(form_->fmOption->size(), QSize(362, 212));
  EXPECT_EQ(form_->fmSetupAUTO->size(), QSize(451, 342));
  EXPECT_EQ(form_->fmChangeVoltage->size(), QSize(391, 173));
  EXPECT_EQ(form_->fmInfo->size(), QSize(381, 185));
  for (QWidget* window : Windows()) {
    for (QWidget* control : window->findChildren<QWidget*>()) {
      QString text;
      int room = control->width();
      if (qobject_cast<QStatusBar*>(control->parentWidget())) {
        continue;  // the status line has the window's width, below
      } else if (auto* label = qobject_cast<QLabel*>(control)) {
        QTextDocument rich;
        rich.setHtml(label->text());
        text = label->textFormat() == Qt::PlainText || !Qt::mightBeRichText(label->text())
                   ? label->text()
                   : rich.toPlainText();
        room -= 2 * label->frameWidth();
      } else if (auto* button = qobject_cast<QPushButton*>(control)) {
        text = Plain(button->text());
      } else if (auto* option = qobject_cast<QRadioButton*>(control)) {
        text = option->text();
        room -= 13;  // the round button beside it
      } else {
        continue;
      }
      for (const QString& line : text.split(QLatin1Char('\n')))
        EXPECT_LE(control->fontMetrics().horizontalAdvance(line), room)
            << window->objectName().toStdString() << "." << control->objectName().toStdString()
            << ": " << line.toStdString();
    }
  }
  EXPECT_LE(form_->fontMetrics().horizontalAdvance(form_->StatusLine()), form_->width());
  std::vector<QList<QAction*>> menus{form_->menuBar()->actions()};
  for (QMenu* menu : form_->findChildren<QMenu*>()) menus.push_back(menu->actions());
  for (const QList<QAction*>& items : menus) {
    QStringList keys;
    for (QAction* item : items) {
      const qsizetype mark = item->text().indexOf(QLatin1Char('&'));
      if (mark >= 0) keys << item->text().mid(mark + 1, 1).toLower();
    }
    const qsizetype marked = keys.size();
    keys.removeDuplicates();
    EXPECT_EQ(keys.size(), marked) << keys.join(' ').toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowsInEachLanguage,
                         ::testing::Values(UiLanguage::English, UiLanguage::Polish),
                         [](const auto& row) { return LanguageName(row.param).toStdString(); });
