#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ChangeRecord.h"
#include "EnvironmentSetting.h"
#include "PolishLocale.h"
#include "RecordedLines.h"
#include "RegionalFormat.h"
#include "ScratchDir.h"
#include "SettingsLocation.h"

// The program applies the user's locale; in Polish a decimal comma would
// make "40," a number if the record were read by the locale.
TEST(RecordInPolish, ReadsAndWritesAsInC) {
  const ScratchDir scratch;
  const ChangeRecord record(scratch / "changes.jsonl");
  std::vector<ChangeLine> pending;
  {
    const PolishLocale polish;
    EXPECT_EQ(record.Append(HalfChangedLine()), "");
    pending = record.Pending();
  }
  ASSERT_EQ(pending.size(), 1u);
  EXPECT_EQ(pending[0].locations[1].address, 126);
  EXPECT_EQ(pending[0].from, 220);
}

// A spreadsheet on a desktop whose numbers take a decimal comma reads CSV
// with ";"; the process's own locale is left as it was.
TEST(RecordInPolish, ListSeparatorOfTheUsersNumbers) {
  for (const auto& [locale, separator] : {std::pair{"pl_PL.UTF-8", ";"}, std::pair{"C", ","}}) {
    const EnvironmentSetting all("LC_ALL", locale);
    EXPECT_EQ(ListSeparator(), separator) << locale;
  }
  EXPECT_STREQ(setlocale(LC_NUMERIC, nullptr), "C");
}

TEST(RecordFolder, TheUsersOwnIsPrivateAndAFileNameAloneWorks) {
  const ScratchDir scratch;
  const EnvironmentSetting state("XDG_STATE_HOME", (scratch / "state").c_str());
  const EnvironmentSetting chosen(kRecordVariable, nullptr);
  EXPECT_EQ(ChangeRecord(ChangeRecordPath()).Append(HalfChangedLine()), "");
  struct stat folder {};
  ASSERT_EQ(stat((scratch / "state" / "kavel-setup").c_str(), &folder), 0);
  EXPECT_EQ(folder.st_mode & 0777, 0700u);

  // A record named in the working folder, as a lab's script may name it; it
  // is writable for the group whatever the umask, so that a shared folder
  // serves everyone there.
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(scratch.Path());
  const mode_t umaskBefore = umask(022);
  const EnvironmentSetting here(kRecordVariable, "changes.jsonl");
  EXPECT_EQ(ChangeRecord(ChangeRecordPath()).Append(HalfChangedLine()), "");
  umask(umaskBefore);
  std::filesystem::current_path(before);
  struct stat file {};
  ASSERT_EQ(stat((scratch / "changes.jsonl").c_str(), &file), 0);
  EXPECT_EQ(file.st_mode & 0777, 0664u);
}

// Without HOME (a service, sudo's reset environment) the record of changes
// and the settings both start from the password database's home.
TEST(UserStateFolder, WithoutHomeTheSameHomeAsTheSettings) {
  const EnvironmentSetting config("XDG_CONFIG_HOME", nullptr);
  const EnvironmentSetting state("XDG_STATE_HOME", nullptr);
  const EnvironmentSetting home("HOME", nullptr);
  ASSERT_FALSE(UserHomeFolder().empty());
  EXPECT_EQ(UserStateFolder(), UserHomeFolder() / ".local" / "state");
  EXPECT_EQ(UserConfigFolder(), UserHomeFolder() / ".config");
}
