#include "Language.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLocale>
#include <QTranslator>

#include "IniFile.h"
#include "SettingsKeys.h"

namespace {

UiLanguage languageInUse = UiLanguage::English;
QString qtTranslationsFolder;

// The program's own, built into it, and Qt's; installed for Polish only.
QTranslator& ProgramTranslator() {
  static QTranslator translator;
  return translator;
}

QTranslator& QtTranslator() {
  static QTranslator translator;
  return translator;
}

// Our own Polish of the few texts of Qt's that the windows show, built into
// the program: the Windows folder carries no Qt translation, and on Linux
// it comes after Qt's own, so that both systems say the same words.
QTranslator& QtTextsTranslator() {
  static QTranslator translator;
  return translator;
}

}  // namespace

QString LanguageName(UiLanguage language) {
  return language == UiLanguage::Polish ? QStringLiteral("polski") : QStringLiteral("english");
}

namespace {

QString Normalised(const QString& name) {
  QString letters;
  for (const QChar c : name) {
    if (!c.isSpace()) letters += c.toLower();
  }
  return letters;
}

}  // namespace

UiLanguage LanguageNamed(const QString& name) {
  return Normalised(name) == LanguageName(UiLanguage::Polish) ? UiLanguage::Polish
                                                               : UiLanguage::English;
}

bool NamesALanguage(const QString& name) {
  const QString letters = Normalised(name);
  return letters == LanguageName(UiLanguage::Polish) || letters == LanguageName(UiLanguage::English);
}

UiLanguage LanguageOfUser(const QStringList& uiLanguages) {
  for (const QString& tag : uiLanguages) {
    const QString language = tag.section(QLatin1Char('-'), 0, 0).toLower();
    if (language == QLatin1String("pl")) return UiLanguage::Polish;
    if (language == QLatin1String("en")) return UiLanguage::English;
  }
  return UiLanguage::English;
}

UiLanguage ChosenLanguage(const SettingsFileLocation& settingsFile) {
  const std::string kept = IniFile(settingsFile).ReadString(kMainSection, kLanguageKey, "");
  if (!kept.empty()) return LanguageNamed(QString::fromStdString(kept));
  return LanguageOfUser(QLocale::system().uiLanguages());
}

void UseQtTranslationsFrom(const QString& folder) { qtTranslationsFolder = folder; }

void UseLanguage(UiLanguage language) {
  if (language == languageInUse) return;
  languageInUse = language;
  if (language == UiLanguage::Polish) {
    // A program without Qt's translations installed still speaks its own
    // Polish; Qt's buttons then stay English.
    if (QtTranslator().load(QStringLiteral("qtbase_pl"), qtTranslationsFolder))
      QCoreApplication::installTranslator(&QtTranslator());
    if (QtTextsTranslator().load(QStringLiteral(":/i18n/qt-texts_pl.qm")))
      QCoreApplication::installTranslator(&QtTextsTranslator());
    if (ProgramTranslator().load(QStringLiteral(":/i18n/kavel-setup_pl.qm")))
      QCoreApplication::installTranslator(&ProgramTranslator());
  } else {
    QCoreApplication::removeTranslator(&ProgramTranslator());
    QCoreApplication::removeTranslator(&QtTranslator());
    QCoreApplication::removeTranslator(&QtTextsTranslator());
  }
  // Qt posts the windows their LanguageChange; they retranslate now, so
  // that whoever chose sees the windows in the language chosen.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

UiLanguage LanguageInUse() { return languageInUse; }
