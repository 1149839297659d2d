#pragma once

#include <QString>
#include <QStringList>

#include "SettingsLocation.h"

// The language the windows speak. English is the program's own; Polish is
// the technicians' own, Qt's buttons and dialogs included. Texts raised below
// the windows (the port's, the tester's, the system's) stay as they are.
enum class UiLanguage { English, Polish };

// The names the Options dialog's "Language:" box lists and the settings file
// keeps: "english" and "polski", matched whatever the letter case and blanks
// ("Polski ", "POL SKI"). Any other text means English.
QString LanguageName(UiLanguage language);
UiLanguage LanguageNamed(const QString& name);
// Whether the text names one of the languages, as LanguageNamed matches.
bool NamesALanguage(const QString& name);

// The language of a user's interface languages, most wanted first
// (QLocale::uiLanguages()): Polish when "pl" comes before "en", else English.
UiLanguage LanguageOfUser(const QStringList& uiLanguages);

// The language kept in the settings file; without one, the user's own.
UiLanguage ChosenLanguage(const SettingsFileLocation& settingsFile);

// Where Qt's own translations lie (Qt's buttons and dialogs): the program's
// start names the folder its platform keeps them in. Without it Qt's texts
// stay English.
void UseQtTranslationsFrom(const QString& folder);

// Makes the windows speak the language: every open window is retranslated
// before this returns. The program chooses once before its windows exist,
// then again when the user picks in the language box.
void UseLanguage(UiLanguage language);
UiLanguage LanguageInUse();
