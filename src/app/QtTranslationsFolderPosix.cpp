#include <QLibraryInfo>

#include "QtTranslationsFolder.h"

// The distribution's package of Qt's translations fills Qt's own folder.
QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }
