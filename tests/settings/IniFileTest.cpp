#include <gtest/gtest.h>

#include <chrono>

#include "NamedRows.h"
#include "SettingsFileFixture.h"
#include "Utf16File.h"

// A new file ends its lines as the system's own programs end them.
#ifdef _WIN32
constexpr const char* kNewLine = "\r\n";
#else
constexpr const char* kNewLine = "\n";
#endif

TEST_F(SettingsFile, MissingFileIsCreatedWithTheSystemsLineEnds) {
  EXPECT_EQ(SaveTwoKeys(), "");
  EXPECT_EQ(Get(), std::string("[Main Setings]") + kNewLine + "Serial port=COM2" + kNewLine +
                       "Meter=NoType" + kNewLine);
}

TEST_F(SettingsFile, HoldingTheValuesSavedIsLeftAsItIs) {
  Put(kNotes + "[Main Setings]\r\nSerial port=COM2\r\nMeter=NoType\r\n");
  const auto hourAgo = fs::last_write_time(path_) - std::chrono::hours(1);
  fs::last_write_time(path_, hourAgo);
  EXPECT_EQ(SaveTwoKeys(), "");
  EXPECT_EQ(fs::last_write_time(path_), hourAgo);
}

TEST_P(UnreadableSettings, IsNeverWrittenOver) {
  GetParam().make(path_);
  const auto before = fs::symlink_status(path_).type();
  const std::string bytes = fs::is_regular_file(path_) ? Get() : "";
  IniFile settings(path_);
  EXPECT_EQ(settings.ReadString("Main Setings", "Meter", "NoType"), "NoType");
  EXPECT_EQ(SaveTwoKeys(), "Unable to write to " + path_);
  EXPECT_EQ(fs::symlink_status(path_).type(), before);
  if (fs::is_regular_file(path_)) {
    EXPECT_EQ(Get(), bytes);
  }
  EXPECT_EQ(Entries(), std::vector<std::string>{"kavel-setup.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnreadableSettings,
    ::testing::Values(
        UnreadableCase{"Directory", [](const std::string& path) { fs::create_directory(path); }},
        UnreadableCase{"Oversized",
                       [](const std::string& path) {
                         std::ofstream(path) << "[Main Setings]\n" << std::string(1 << 20, 'x');
                       }},
        UnreadableCase{"ReadFails",
                       [](const std::string& path) {
                         std::ofstream(path) << kNotes;
                         InjectFileFailure(FileStep::Read);
                       }}),
    RowName());

// A save that fails at any step leaves the old file exactly as it was and no
// temporary file behind.
class FailedSave : public SettingsFile, public ::testing::WithParamInterface<FileStep> {};

TEST_P(FailedSave, LeavesTheOldFile) {
  Put(kNotes);
  IniFile settings(path_);
  settings.WriteString("Main Setings", "Meter", "NoType");
  InjectFileFailure(GetParam());
  EXPECT_THROW(settings.UpdateFile(), Exception);
  EXPECT_EQ(Get(), kNotes);
  EXPECT_EQ(Entries(), std::vector<std::string>{"kavel-setup.ini"});
}

const char* const kStepNames[] = {"Read", "CreateTemporary", "Write", "Flush", "Close", "Rename"};

void PrintTo(FileStep step, std::ostream* out) { *out << kStepNames[static_cast<int>(step)]; }

std::string StepName(const ::testing::TestParamInfo<FileStep>& step) {
  return kStepNames[static_cast<int>(step.param)];
}

INSTANTIATE_TEST_SUITE_P(Steps, FailedSave,
                         ::testing::Values(FileStep::CreateTemporary, FileStep::Write,
                                           FileStep::Flush, FileStep::Close, FileStep::Rename),
                         StepName);

// Files as editors on Windows leave them are read, and saved in their own
// form with every byte but those of the changed values as it was.
struct FormCase {
  const char* name;
  std::string before;
  std::string after;
  friend void PrintTo(const FormCase& row, std::ostream* out) { *out << row.name; }
};

class SettingsForm : public SettingsFile, public ::testing::WithParamInterface<FormCase> {};

TEST_P(SettingsForm, IsReadAndSavedInItsOwnForm) {
  Put(GetParam().before);
  EXPECT_EQ(IniFile(path_).ReadString("Main Setings", "Serial port", ""), "COM1");
  EXPECT_EQ(SaveTwoKeys(), "");
  EXPECT_EQ(Get(), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Editors, SettingsForm,
    ::testing::Values(
        FormCase{
            "NotepadUnicode",
            Utf16File(u"; \u00DCber\r\n[Main Setings]\r\nSerial port=COM1\r\nMeter=NoType\r\n"),
            Utf16File(u"; \u00DCber\r\n[Main Setings]\r\nSerial port=COM2\r\nMeter=NoType\r\n")},
        FormCase{"LoneReturns", "[Main Setings]\rSerial port=COM1\r[Ports]\rCOM3=/dev/ttyUSB0\r",
                 "[Main Setings]\rSerial port=COM2\rMeter=NoType\r[Ports]\rCOM3=/dev/ttyUSB0\r"},
        FormCase{
            "MixedLineEnds",
            "; notes\r\n[Main Setings]\nSerial port=COM1\rMeter=DKL310Type\r\n[Ports]\nCOM3=x\r",
            "; notes\r\n[Main Setings]\nSerial port=COM2\rMeter=NoType\r\n[Ports]\nCOM3=x\r"}),
    RowName());
