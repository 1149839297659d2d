#include "IniFile.h"

#include <filesystem>

#include "Exception.h"
#include "IniFileSystem.h"
#include "PathText.h"
#include "SystemMessage.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMostLinks = 40;

std::optional<FileStep> injectedFailure;

// Where the content really lives: a symbolic link is followed to its end, so
// the save replaces the target and the link stays.
fs::path FinalTarget(fs::path path) {
  std::error_code error;
  for (int hop = 0; hop < kMostLinks && fs::is_symlink(path, error); ++hop) {
    const fs::path link = fs::read_symlink(path, error);
    if (error) break;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return path;
}

}  // namespace

bool StepAllowed(FileStep step) { return injectedFailure != step; }

void InjectFileFailure(std::optional<FileStep> step) { injectedFailure = step; }

IniFile::IniFile(const SettingsFileLocation& location) : path_(location.file) {
  bool missing = false;
  int error = 0;
  std::optional<std::string> bytes = ReadSettingsBytes(path_, missing, error);
  // A file that is there but cannot be read is off limits.
  if (!bytes && !missing) unreadable_ = error ? SystemMessage(error) : "";
  onDisk_ = bytes;
  if (missing && !location.startingValues.empty())
    bytes = ReadSettingsBytes(location.startingValues, missing, error);
  text_ = ProfileText(bytes.value_or(""), kSystemLineEnd);
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
  return text_.Read(section, key).value_or(ProfileDefault(fallback));
}

std::map<std::string, std::string> IniFile::ReadSection(const std::string& section) const {
  return text_.Section(section);
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  text_.Write(section, key, value);
}

void IniFile::UpdateFile() {
  const std::string path = Utf8Of(path_);
  if (unreadable_) throw ESettingsNotWritten(path, *unreadable_);
  // Nothing to save: the file keeps its time, and a file the user made
  // read-only with these very values is no failure.
  if (onDisk_ && text_.Bytes() == *onDisk_) return;
  const fs::path target = FinalTarget(path_);
  // The user's configuration folder may not exist before the first save.
  std::error_code made;
  if (!target.parent_path().empty()) fs::create_directories(target.parent_path(), made);
  if (made) throw ESettingsNotWritten(path, made.message());
  int error = 0;
  if (!SaveAtomically(target, text_.Bytes(), error))
    throw ESettingsNotWritten(path, error ? SystemMessage(error) : "");
}
