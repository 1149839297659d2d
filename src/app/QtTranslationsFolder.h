#pragma once

#include <QString>

// Where Qt's own translations (qtbase_pl.qm) are found: Qt's translations
// folder on Linux, translations/ beside the program on Windows.
QString QtTranslationsFolder();
