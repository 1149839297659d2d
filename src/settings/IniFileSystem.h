#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "IniFile.h"

// What the settings file needs of the file system, one implementation per
// platform. Each passes its steps through StepAllowed, so that tests can make
// any of them fail.

// Larger than any settings file a person writes; anything bigger is not one.
constexpr std::uint64_t kLargestSettingsFile = 1 << 20;

// How a line ends in a file that has no line end of its own yet, as the
// system's own programs write it: CRLF on Windows, LF elsewhere.
extern const char kSystemLineEnd[];

// The whole file, or nothing when it cannot be read as a settings file: a
// pipe, a device or a directory never is, nor anything over
// kLargestSettingsFile. missing tells a file that is not there; error is the
// system's number for an open or a read that failed, 0 for none.
std::optional<std::string> ReadSettingsBytes(const std::filesystem::path& path, bool& missing,
                                             int& error);

// Writes the bytes to a new file beside the target, flushed to the disk, and
// moves it over the target in one step: until then the old file stays as it
// was, and the new one keeps the old one's mode. False, with no new file
// left behind, when a step fails; error is then the system's number for the
// failure, or 0 when a test made the step fail.
[[nodiscard]] bool SaveAtomically(const std::filesystem::path& target, const std::string& bytes,
                                  int& error);

// False when a test made this step fail.
bool StepAllowed(FileStep step);
