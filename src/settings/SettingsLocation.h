#pragma once

#include <filesystem>
#include <functional>
#include <string>

// Where the program keeps kavel-setup.ini. A file of that name beside the
// executable (its path with the extension ".ini") is used where it exists and
// can be saved there: a portable copy, a build folder, the demo. Otherwise
// the folder where this user's programs keep their settings, under
// kavel-setup/: the roaming application data on Windows; $XDG_CONFIG_HOME or
// ~/.config elsewhere. Only when the system names no such folder does the
// file stay beside the executable.
//
// A file beside the executable that cannot be saved there (its folder takes
// no new files, as Program Files for a user who is no administrator, or the
// file itself is read-only) gives the starting values, and the file in the
// user's folder is the one saved and, once it exists, read.
struct SettingsFileLocation {
  std::filesystem::path file;            // saved here, and read once it exists
  std::filesystem::path startingValues;  // read while file does not exist; empty: none
};

// The rule. userFolder: the user's folder for settings (empty: none);
// keepsBeside: asked only when a file beside the executable exists, with its
// path.
SettingsFileLocation SettingsFileFor(
    const std::filesystem::path& executable, const std::filesystem::path& userFolder,
    const std::function<bool(const std::filesystem::path& beside)>& keepsBeside);
// The same for the running program, on this system.
SettingsFileLocation SettingsFilePath(const std::filesystem::path& executable);
// The settings file as --help names it, in UTF-8: the file in use, and the
// one that gives its starting values.
std::string SettingsFileForUser(const SettingsFileLocation& location);

// The user's folder for settings, as the system names it; empty when it
// names none.
std::filesystem::path UserConfigFolder();
// POSIX: the user's home folder, $HOME or else the password database's entry
// (a service, or sudo, may start a program without HOME); empty when neither
// names one. The settings and the record of changes both start from it.
std::filesystem::path UserHomeFolder();
// Whether the settings file beside the executable can be the one in use:
// its folder takes new files and the file itself can be written.
bool KeepsFileBeside(const std::filesystem::path& file);
// Whether this user may make a new file in the folder.
bool FolderTakesNewFiles(const std::filesystem::path& folder);
// Whether this user may write the file. A file marked read-only (on Linux
// no one's write permission, on Windows the read-only attribute) may not be
// written, by root or an administrator either.
bool FileCanBeWritten(const std::filesystem::path& file);
