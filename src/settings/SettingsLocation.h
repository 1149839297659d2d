#pragma once

#include <filesystem>
#include <string>

// Where the program keeps kavel-setup.ini. A file of that name beside the
// executable is used where it exists (a portable copy, a build folder, the
// demo); otherwise the user's configuration folder, $XDG_CONFIG_HOME or
// ~/.config, under kavel-setup/. An installed program's own folder is never
// written to. xdgConfigHome and home are the environment's values, or null.
std::filesystem::path SettingsFilePath(const std::filesystem::path& executable,
                                       const char* xdgConfigHome, const char* home);
