#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Exception.h"
#include "IniFile.h"
#include "ScratchDir.h"

// The settings file's tests, shared by those that run everywhere and those
// only a POSIX file system can run.

namespace fs = std::filesystem;

// A folder of the test's own with a settings file in it.
class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override { path_ = (dir_ / "kavel-setup.ini").string(); }
  void TearDown() override { InjectFileFailure(std::nullopt); }

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
    for (const auto& entry : fs::directory_iterator(dir_.Path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  ScratchDir dir_;  // removed with everything in it when the test ends
  std::string path_;
};

inline const std::string kNotes = "; the workshop's notes\r\n[Ports]\r\nCOM3=/dev/ttyUSB0\r\n";

// Things at the settings path that are no settings file: they are read as
// empty and never written over.
struct UnreadableCase {
  const char* name;
  void (*make)(const std::string& path);
  friend void PrintTo(const UnreadableCase& row, std::ostream* out) { *out << row.name; }
};

class UnreadableSettings : public SettingsFile,
                           public ::testing::WithParamInterface<UnreadableCase> {};
