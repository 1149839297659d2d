// The XDG rule for the user's configuration folder.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "SettingsLocation.h"

namespace fs = std::filesystem;

fs::path UserConfigFolder() {
  // A relative XDG_CONFIG_HOME is invalid and ignored.
  const char* xdgConfigHome = std::getenv("XDG_CONFIG_HOME");
  if (xdgConfigHome && fs::path(xdgConfigHome).is_absolute()) return xdgConfigHome;
  const char* home = std::getenv("HOME");
  std::string homeFolder = home ? home : "";
  if (homeFolder.empty()) {
    if (const passwd* user = getpwuid(getuid())) homeFolder = user->pw_dir;
  }
  return fs::path(homeFolder) / ".config";
}

bool KeepsFileBeside(const fs::path&) { return true; }
