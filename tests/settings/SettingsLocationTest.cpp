#include <gtest/gtest.h>

#include <fstream>

#include "NamedRows.h"
#include "ScratchDir.h"
#include "SettingsLocation.h"

namespace {

// Where the file goes when the environment names no usable folder: Linux
// falls back on the home folder, Windows keeps the file beside the program.
#ifdef _WIN32
constexpr const char* kWithoutFolder = "bin/kavel-setup.ini";
#else
constexpr const char* kWithoutFolder = "home/.config/kavel-setup/kavel-setup.ini";
#endif

struct LocationCase {
  const char* name;
  bool fileBeside;
  const char* folder;    // $XDG_CONFIG_HOME and %APPDATA%; "/..." in the scratch folder
  const char* expected;  // in the scratch folder
  friend void PrintTo(const LocationCase& row, std::ostream* out) { *out << row.name; }
};

class SettingsLocation : public ::testing::TestWithParam<LocationCase> {};

}  // namespace

TEST_P(SettingsLocation, FollowsTheRule) {
  const ScratchDir scratch;
  const LocationCase& c = GetParam();
  std::filesystem::create_directories(scratch / "bin");
  if (c.fileBeside) std::ofstream(scratch / "bin" / "kavel-setup.ini") << "";
  const std::string folder =
      c.folder ? (c.folder[0] == '/' ? (scratch / (c.folder + 1)).string() : c.folder) : "";
  const std::string home = (scratch / "home").string();
  const auto environment = [&](const std::string& name) -> const char* {
    if (name == "HOME") return home.c_str();
    return (name == "XDG_CONFIG_HOME" || name == "APPDATA") && c.folder ? folder.c_str() : nullptr;
  };
  EXPECT_EQ(SettingsFilePath(scratch / "bin" / "kavel-setup", environment), scratch / c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SettingsLocation,
    ::testing::Values(LocationCase{"BesideTheExecutable", true, "/config", "bin/kavel-setup.ini"},
                      LocationCase{"UserConfigFolder", false, "/config",
                                   "config/kavel-setup/kavel-setup.ini"},
                      LocationCase{"RelativeFolderIsIgnored", false, "config", kWithoutFolder},
                      LocationCase{"NoFolder", false, nullptr, kWithoutFolder}),
    RowName());
