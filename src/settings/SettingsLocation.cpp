#include "SettingsLocation.h"

#include <cstdlib>

namespace fs = std::filesystem;

fs::path SettingsFilePath(const fs::path& executable, const EnvironmentLookup& environment) {
  const fs::path beside = fs::path(executable).replace_extension(".ini");
  std::error_code error;
  if (fs::symlink_status(beside, error).type() != fs::file_type::not_found) return beside;
  const fs::path folder = UserConfigFolder(environment);
  return folder.empty() ? beside : folder / "kavel-setup" / "kavel-setup.ini";
}

fs::path SettingsFilePath(const fs::path& executable) {
  return SettingsFilePath(executable, [](const char* name) { return std::getenv(name); });
}
