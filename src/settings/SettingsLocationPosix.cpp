// The user's home and the XDG rule for the configuration folder, and what
// this user may write.
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "SettingsLocation.h"

namespace fs = std::filesystem;

fs::path UserHomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  if (const passwd* user = getpwuid(getuid()); user && user->pw_dir && *user->pw_dir)
    return user->pw_dir;
  return {};
}

fs::path UserConfigFolder() {
  // A relative XDG_CONFIG_HOME is invalid and ignored.
  const char* xdgConfigHome = std::getenv("XDG_CONFIG_HOME");
  if (xdgConfigHome && fs::path(xdgConfigHome).is_absolute()) return xdgConfigHome;
  const fs::path home = UserHomeFolder();
  return home.empty() ? fs::path() : home / ".config";
}

// A file made and removed at once tells: a folder of the system's (/usr/bin)
// refuses one to a user who is not root, and so does a read-only medium.
bool FolderTakesNewFiles(const fs::path& folder) {
  const fs::path probe = folder / (".kavel-setup." + std::to_string(getpid()) + ".probe");
  const int fd = open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  close(fd);
  unlink(probe.c_str());
  return true;
}

// Root may write any file: a file no one has write permission for is taken
// as read-only for root too, as Windows' attribute is for an administrator.
bool FileCanBeWritten(const fs::path& file) {
  struct stat status {};
  if (stat(file.c_str(), &status) != 0) return false;
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return access(file.c_str(), W_OK) == 0;
}
