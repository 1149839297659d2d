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

  // Opens Options as the menu does and types into the language box.
  void PickLanguage(const QString& text) {
    RunModalFrom(form_->mmOption(), [&](QWidget*) {
      QLineEdit& box = *form_->fmOption->cbLanguage()->lineEdit();
      box.clear();
      QTest::keyClicks(&box, text);
    });
  }

  QStringList MenuTitles() const {
    QStringList titles;
    for (QAction* item : form_->menuBar()->actions()) titles << item->text();
    return titles;
  }
};

QString Plain(QString text) { return text.remove(QLatin1Char('&')); }

}  // namespace

TEST(LanguageChoice, UsersInterfaceLanguagesAndTheBoxText) {
  EXPECT_EQ(LanguageOfUser({"pl-PL", "pl"}), UiLanguage::Polish);
  EXPECT_EQ(LanguageOfUser({"de-DE", "pl"}), UiLanguage::Polish);
  EXPECT_EQ(LanguageOfUser({"en-US", "pl-PL"}), UiLanguage::English);
  EXPECT_EQ(LanguageOfUser({"de-DE"}), UiLanguage::English);
  EXPECT_EQ(LanguageNamed("polski"), UiLanguage::Polish);
  for (const char* other : {"english", "", "Polski", "deutsch"})
    EXPECT_EQ(LanguageNamed(other), UiLanguage::English) << other;
}

TEST_F(Languages, PickedInTheBoxRetranslatesOpenWindowsAndIsKept) {
  WriteSettings("[Main Setings]\nMeter=NoType\n");
  Start().fmHelp->show();
  const QString englishStatus = form_->StatusLine();
  PickLanguage("polski");
  EXPECT_EQ(MenuTitles(), (QStringList{"&Plik", "&Konfiguracja", "&Opcje", "Pomo&c"}));
  EXPECT_EQ(form_->fmHelp->windowTitle(), "Pomoc");
  EXPECT_TRUE(form_->fmHelp->reHelp()->toPlainText().startsWith("Program konfiguracyjny"));
  EXPECT_EQ(form_->StatusLine(), "Nie wybrano portu szeregowego");
  form_->FormDestroy();
  EXPECT_NE(ReadSettings().find("\nLanguage=polski\n"), std::string::npos) << ReadSettings();
  EXPECT_EQ(ChosenLanguage({settingsPath_, {}}), UiLanguage::Polish);

  // And back: every English text as the program has always written it.
  Start();
  PickLanguage("english");
  EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&Configuration", "&Option", "&Help"}));
  EXPECT_EQ(form_->StatusLine(), englishStatus);
  form_->FormDestroy();
  EXPECT_EQ(ChosenLanguage({settingsPath_, {}}), UiLanguage::English);
}

TEST_F(Languages, KeyWrittenOnlyOnceChosen) {
  WriteSettings("[Main Setings]\nMeter=NoType\n");
  Start().FormDestroy();
  EXPECT_EQ(ReadSettings().find("Language"), std::string::npos) << ReadSettings();
}

TEST_F(Languages, MenusDialogsAndQuestionsSpeakPolish) {
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
  EXPECT_EQ(form.fmChangeVoltage->windowTitle(), "Napięcie znamionowe");
  EXPECT_EQ(form.fmChangeVoltage->findChild<QLabel*>("stCurrent")->text(),
            "Ustawione obecnie\nnapięcie znamionowe");
  EXPECT_EQ(form.fmChangeVoltage->bbOK()->text(), "Ustaw");
  EXPECT_EQ(form.fmOption->findChild<QLabel*>("stLanguage")->text(), "Język:");
  EXPECT_EQ(form.fmOption->bbTransmitionTest()->text(), "Test transmisji");
  EXPECT_EQ(form.fmSetupAUTO->windowTitle(), "Ustawienia trybu AUTO pomiaru RCD");
  EXPECT_EQ(form.fmSetupAUTO->OptionBoxes()[0]->accessibleName(),
            "Czas zadziałania przy 0,5×IΔn, dodatnia półfala");
  EXPECT_TRUE(form.fmHelp->reHelp()->toPlainText().contains("port szeregowy"));
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
    buttons << button->text();
  EXPECT_TRUE(buttons.contains("Pokaż szczegóły...")) << buttons.join('|').toStdString();
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
        if (label->buddy()) text = Plain(text);  // the mnemonic's mark is not drawn
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
