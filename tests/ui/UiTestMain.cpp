#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>

#include "ChangeRecord.h"
#include "Language.h"

// The windows under test are real widgets, drawn without a display. A test
// that forgets to name a record of changes of its own writes to one in the
// temporary folder, never to the user's.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty(kRecordVariable)) {
    const auto record = std::filesystem::temp_directory_path() / "kavel-ui-tests-changes.jsonl";
    qputenv(kRecordVariable, QByteArray::fromStdString(record.string()));
  }
  QApplication application(argc, argv);
  // Whatever the machine's locale, the windows speak English unless a test
  // asks for Polish.
  UseLanguage(UiLanguage::English);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
