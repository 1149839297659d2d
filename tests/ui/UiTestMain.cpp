#include <gtest/gtest.h>

#include <QApplication>

#include "ChangeRecord.h"
#include "Language.h"
#include "QtTranslationsFolder.h"
#include "ScratchDir.h"

// The windows under test are real widgets, drawn without a display. A test
// that forgets to name a record of changes of its own writes to one in a
// folder of this run's, removed at its end, never to the user's.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const ScratchDir runsOwn;
  if (qEnvironmentVariableIsEmpty(kRecordVariable))
    qputenv(kRecordVariable, QByteArray::fromStdString((runsOwn / "changes.jsonl").string()));
  QApplication application(argc, argv);
  UseQtTranslationsFrom(QtTranslationsFolder());
  // Whatever the machine's locale, the windows speak English unless a test
  // asks for Polish.
  UseLanguage(UiLanguage::English);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
