#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Exception.h"
#include "IniFile.h"
#include "NamedRows.h"
#include "ScratchDir.h"
#include "Utf16File.h"

namespace fs = std::filesystem;

namespace {

// A folder of the test's own with a settings file in it.
class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (dir_ / "kavel-setup.ini").string();
  }
  void TearDown() override {
    InjectFileFailure(std::nullopt);
  }

  void Put(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
  std::string Get() const { return Contents(path_); }
  static std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }
  // What the program does at shutdown; the failure's text, or "" when saved.
  std::string SaveTwoKeys() {
    IniFile settings(path_);
    settings.WriteString("Main Setings", "Serial port", "COM2");
    settings.WriteString("Main Setings", "Meter", "NoType");
    try {
      settings.UpdateFile();
      return "";
    } catch (const Exception& failure) {
      return failure.Message;
    }
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.Path())) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  ScratchDir dir_;  // removed with everything in it when the test ends
  std::string path_;
};

const std::string kNotes = "; the workshop's notes\r\n[Ports]\r\nCOM3=/dev/ttyUSB0\r\n";

}  // namespace

TEST_F(SettingsFile, SaveChangesOnlyTheTwoLinesAndKeepsTheMode) {
  Put(kNotes + "[Main Setings]\r\nSerial port=COM1\r\n");
  ::chmod(path_.c_str(), 0640);
  EXPECT_EQ(SaveTwoKeys(), "");
  EXPECT_EQ(Get(), kNotes + "[Main Setings]\r\nSerial port=COM2\r\nMeter=NoType\r\n");
  struct stat status {};
  ASSERT_EQ(::stat(path_.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"kavel-setup.ini"});
}

TEST_F(SettingsFile, MissingFileIsCreated) {
  EXPECT_EQ(SaveTwoKeys(), "");
  EXPECT_EQ(Get(), "[Main Setings]\nSerial port=COM2\nMeter=NoType\n");
}

TEST_F(SettingsFile, SymbolicLinkKeepsPointingAtTheNewContent) {
  fs::create_directory(dir_ / "elsewhere");
  const fs::path target = dir_ / "elsewhere" / "real.ini";
  std::ofstream(target) << kNotes;
  fs::create_symlink("elsewhere/real.ini", path_);
  EXPECT_EQ(SaveTwoKeys(), "");
  EXPECT_TRUE(fs::is_symlink(path_));
  EXPECT_EQ(Contents(target), kNotes + "[Main Setings]\r\nSerial port=COM2\r\nMeter=NoType\r\n");
}

// Things at the settings path that are no settings file: they are read as
// empty and never written over.
struct UnreadableCase {
  const char* name;
  void (*make)(const std::string& path);
  friend void PrintTo(const UnreadableCase& row, std::ostream* out) { *out << row.name; }
};

class UnreadableSettings : public SettingsFile,
                           public ::testing::WithParamInterface<UnreadableCase> {};

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
        UnreadableCase{"Fifo", [](const std::string& path) { ::mkfifo(path.c_str(), 0600); }},
        UnreadableCase{"LinkToDevice",
                       [](const std::string& path) { fs::create_symlink("/dev/full", path); }},
        UnreadableCase{"Oversized",
                       [](const std::string& path) {
                         std::ofstream(path) << "[Main Setings]\n" << std::string(1 << 20, 'x');
                       }},
        UnreadableCase{"ReadFails",
                       [](const std::string& path) {
                         std::ofstream(path) << kNotes;
                         InjectFileFailure(FileStep::Read);
                       }},
        UnreadableCase{"NoReadPermission",
                       [](const std::string& path) {
                         std::ofstream(path) << kNotes;
                         ::chmod(path.c_str(), 0200);
                         // Root reads it all the same; the failure stands in.
                         if (::geteuid() == 0) InjectFileFailure(FileStep::Read);
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

TEST_F(SettingsFile, FullFilesystemLeavesTheOldFile) {
  const fs::path mount = dir_ / "small";
  fs::create_directory(mount);
  const std::string command = "mount -t tmpfs -o size=8k tmpfs " + mount.string() + " 2>/dev/null";
  if (std::system(command.c_str()) != 0) GTEST_SKIP() << "cannot mount a small filesystem here";
  path_ = (mount / "kavel-setup.ini").string();
  Put(kNotes);
  // Fill what is left, so the new content cannot be written.
  std::ofstream(mount / "filler", std::ios::binary) << std::string(64 * 1024, 'x');
  IniFile settings(path_);
  settings.WriteString("Notes", "Long", std::string(6000, 'n'));
  EXPECT_THROW(settings.UpdateFile(), Exception);
  EXPECT_EQ(Get(), kNotes);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator(mount)) left.push_back(entry.path().filename());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"filler", "kavel-setup.ini"}));
  std::system(("umount " + mount.string()).c_str());
}

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
