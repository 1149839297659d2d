#include "SettingsLocation.h"

#include "PathText.h"

namespace fs = std::filesystem;

SettingsFileLocation SettingsFileFor(const fs::path& executable, const fs::path& userFolder,
                                     const std::function<bool(const fs::path&)>& keepsBeside) {
  const fs::path beside = fs::path(executable).replace_extension(".ini");
  if (userFolder.empty()) return {beside, {}};
  const fs::path inUserFolder = userFolder / "kavel-setup" / "kavel-setup.ini";
  std::error_code error;
  if (fs::symlink_status(beside, error).type() == fs::file_type::not_found)
    return {inUserFolder, {}};
  if (keepsBeside(beside)) return {beside, {}};
  return {inUserFolder, beside};
}

SettingsFileLocation SettingsFilePath(const fs::path& executable) {
  return SettingsFileFor(executable, UserConfigFolder(), KeepsFileBeside);
}

// The save must be able to write the file; a program that may not would
// report a failed save at every exit.
bool KeepsFileBeside(const fs::path& file) {
  return FolderTakesNewFiles(file.parent_path()) && FileCanBeWritten(file);
}

std::string SettingsFileForUser(const SettingsFileLocation& location) {
  std::string text = Utf8Of(location.file);
  if (!location.startingValues.empty())
    text += " (its starting values from " + Utf8Of(location.startingValues) +
            ", whose folder this user cannot write)";
  return text;
}
