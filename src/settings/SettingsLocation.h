#pragma once

#include <filesystem>
#include <functional>
#include <string>

// Where the program keeps kavel-setup.ini. A file of that name beside the
// executable (its path with the extension ".ini") is used where it exists: a
// portable copy, a build folder, the demo. Otherwise the folder where this
// user's programs keep their settings, under kavel-setup/: the roaming
// application data on Windows; $XDG_CONFIG_HOME or ~/.config elsewhere. Only
// when the system names no such folder does the file stay beside the
// executable.
//
// On Windows the file beside the executable is used only where that folder
// takes new files: under Program Files a user's program could never save
// it. There it gives the starting values, and the file in the user's folder
// is the one saved and, once it exists, read.
struct SettingsFileLocation {
  std::filesystem::path file;            // saved here, and read once it exists
  std::filesystem::path startingValues;  // read while file does not exist; empty: none
};

// The rule. userFolder: the user's folder for settings (empty: none);
// besideWritable: asked only when a file beside the executable exists.
SettingsFileLocation SettingsFileFor(const std::filesystem::path& executable,
                                     const std::filesystem::path& userFolder,
                                     const std::function<bool()>& besideWritable);
// The same for the running program, on this system.
SettingsFileLocation SettingsFilePath(const std::filesystem::path& executable);
// The settings file as --help names it, in UTF-8: the file in use, and the
// one that gives its starting values.
std::string SettingsFileForUser(const SettingsFileLocation& location);

// The user's folder for settings, as the system names it; empty when it
// names none.
std::filesystem::path UserConfigFolder();
// Whether a settings file beside the executable in this folder may be the
// one in use: on Windows where the folder takes a new file; on Linux always,
// where the file beside the executable wins wherever it exists.
bool KeepsFileBeside(const std::filesystem::path& folder);
