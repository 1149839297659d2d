#include "SettingsLocation.h"

#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;

fs::path SettingsFilePath(const fs::path& executable, const char* xdgConfigHome, const char* home) {
  const fs::path beside = fs::path(executable).replace_extension(".ini");
  std::error_code error;
  if (fs::symlink_status(beside, error).type() != fs::file_type::not_found) return beside;

  // The XDG rule: a relative XDG_CONFIG_HOME is invalid and ignored.
  fs::path config;
  if (xdgConfigHome && fs::path(xdgConfigHome).is_absolute()) {
    config = xdgConfigHome;
  } else {
    std::string homeFolder = home ? home : "";
    if (homeFolder.empty()) {
      if (const passwd* user = getpwuid(getuid())) homeFolder = user->pw_dir;
    }
    config = fs::path(homeFolder) / ".config";
  }
  return config / "kavel-setup" / "kavel-setup.ini";
}
