#pragma once

#include <filesystem>
#include <functional>
#include <string>

// Where the program keeps kavel-setup.ini. A file of that name beside the
// executable (its path with the extension ".ini") is used where it exists: a
// portable copy, a build folder, the demo. Otherwise the folder where this
// user's programs keep their settings, under kavel-setup/: %APPDATA% on
// Windows; $XDG_CONFIG_HOME or ~/.config elsewhere. Only when the
// environment names no such folder does the file stay beside the executable.

// One variable of an environment: its value, or null when it is not set.
using EnvironmentLookup = std::function<const char*(const char* name)>;

std::filesystem::path SettingsFilePath(const std::filesystem::path& executable,
                                       const EnvironmentLookup& environment);
// The same in the program's own environment.
std::filesystem::path SettingsFilePath(const std::filesystem::path& executable);

// The user's folder for settings that the environment gives, or an empty
// path when it gives none (the file then stays beside the executable).
std::filesystem::path UserConfigFolder(const EnvironmentLookup& environment);
