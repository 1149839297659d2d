#include <gtest/gtest.h>

#include <fstream>

#include "EnvironmentSetting.h"
#include "NamedRows.h"
#include "ScratchDir.h"
#include "SettingsLocation.h"

namespace {

struct LocationCase {
  const char* name;
  bool fileBeside;
  bool besideWritable;
  const char* folder;          // the user's folder, in the scratch folder; nullptr: none
  const char* file;            // in the scratch folder
  const char* startingValues;  // in the scratch folder; "": none
  friend void PrintTo(const LocationCase& row, std::ostream* out) { *out << row.name; }
};

class SettingsLocation : public ::testing::TestWithParam<LocationCase> {};

}  // namespace

TEST_P(SettingsLocation, FollowsTheRule) {
  const ScratchDir scratch;
  const LocationCase& c = GetParam();
  std::filesystem::create_directories(scratch / "bin");
  if (c.fileBeside) std::ofstream(scratch / "bin" / "kavel-setup.ini") << "";
  const auto where = SettingsFileFor(
      scratch / "bin" / "kavel-setup", c.folder ? scratch / c.folder : std::filesystem::path(),
      [&](const std::filesystem::path&) { return c.besideWritable; });
  EXPECT_EQ(where.file, scratch / c.file);
  EXPECT_EQ(where.startingValues, *c.startingValues ? scratch / c.startingValues : "");
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SettingsLocation,
    ::testing::Values(
        LocationCase{"BesideTheExecutable", true, true, "config", "bin/kavel-setup.ini", ""},
        LocationCase{"UserConfigFolder", false, true, "config",
                     "config/kavel-setup/kavel-setup.ini", ""},
        LocationCase{"NoFolder", false, true, nullptr, "bin/kavel-setup.ini", ""},
        LocationCase{"BesideInAFolderThatTakesNoFileGivesTheStartingValues", true, false, "config",
                     "config/kavel-setup/kavel-setup.ini", "bin/kavel-setup.ini"}),
    RowName());

// On the system itself: a read-only file beside the executable, in a folder
// that takes new files, gives the starting values and is not the file in
// use; a writable one is.
TEST(SettingsLocationOnThisSystem, AReadOnlyFileBesideGivesOnlyTheStartingValues) {
  const ScratchDir scratch;
  const std::filesystem::path beside = scratch / "kavel-setup.ini";
  std::ofstream(beside) << "[Main Setings]\n";
  EXPECT_EQ(SettingsFilePath(scratch / "kavel-setup").file, beside);
  using std::filesystem::perms;
  std::filesystem::permissions(beside, perms::owner_read | perms::group_read | perms::others_read);
  const SettingsFileLocation where = SettingsFilePath(scratch / "kavel-setup");
  EXPECT_NE(where.file, beside);
  EXPECT_EQ(where.startingValues, beside);
  std::filesystem::permissions(beside, perms::owner_write, std::filesystem::perm_options::add);
}

#ifndef _WIN32
// Linux's user folder: a relative XDG_CONFIG_HOME is invalid and ignored.
TEST(UserConfigFolder, IgnoresARelativeXdgConfigHome) {
  const ScratchDir scratch;
  const EnvironmentSetting config("XDG_CONFIG_HOME", "config");
  const EnvironmentSetting home("HOME", scratch.Path().c_str());
  EXPECT_EQ(UserConfigFolder(), scratch / ".config");
}
#endif
