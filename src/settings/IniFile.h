#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "Exception.h"
#include "ProfileText.h"
#include "SettingsLocation.h"

// The settings file could not be saved; Path names it for the user.
class ESettingsNotWritten : public Exception {
 public:
  ESettingsNotWritten(std::string path, std::string details)
      : Exception("Unable to write to " + path, std::move(details)), Path(std::move(path)) {}
  std::string Path;
};

// The program's settings file: read once, written back once, and never lost.
// Reading never blocks and takes only a regular file of sane size; a file
// that exists but could not be read is never written over. A save replaces
// the file at once or not at all, keeping its mode, and a symbolic link
// keeps pointing at it. A file whose content would not change is left as it
// is, as Windows leaves a profile written with the values it already holds.
class IniFile {
 public:
  // Reads the file if it exists, else its starting values; a missing file
  // reads as empty. Saves go to the file.
  explicit IniFile(const SettingsFileLocation& location);
  // A file read and saved alone.
  explicit IniFile(const std::filesystem::path& path) : IniFile(SettingsFileLocation{path, {}}) {}

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  // Every key of a section with its value.
  std::map<std::string, std::string> ReadSection(const std::string& section) const;
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  // Saves the file; raises ESettingsNotWritten ("Unable to write to <path>")
  // when it cannot, with the system's reason in its details, or when the
  // file exists but could not be read.
  void UpdateFile();

 private:
  std::filesystem::path path_;
  ProfileText text_;
  // Set when the file is there but could not be read: the system's reason,
  // or "" when it gave none (a directory, a file too large).
  std::optional<std::string> unreadable_;
  // The file's bytes as read, when it was there to read.
  std::optional<std::string> onDisk_;
};

// The steps at which reading or saving the file can fail; tests make one of
// them fail to see that the file survives.
enum class FileStep { Read, CreateTemporary, Write, Flush, Close, Rename };
void InjectFileFailure(std::optional<FileStep> step);
