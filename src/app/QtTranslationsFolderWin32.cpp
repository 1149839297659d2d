#include <QCoreApplication>

#include "QtTranslationsFolder.h"

// The programs' folder carries Qt's translations beside Qt's DLLs.
QString QtTranslationsFolder() {
  return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
}
