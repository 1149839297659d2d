// flock on a lock file beside the record, O_APPEND with one write and fsync,
// the folder fsynced after a name in it changed, the XDG state folder.
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "PathText.h"
#include "RecordFileSystem.h"
#include "SettingsLocation.h"

namespace fs = std::filesystem;

namespace {

std::string Why(const std::string& what, const fs::path& path) {
  return what + " " + Utf8Of(path) + ": " + std::strerror(errno);
}

}  // namespace

RecordLock::RecordLock(const fs::path& lockFile) {
  const int fd = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    trouble_ = Why("cannot open", lockFile);
    return;
  }
  handle_ = fd;
  int result;
  do {
    result = flock(fd, LOCK_EX);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    trouble_ = Why("cannot lock", lockFile);
    return;
  }
  held_ = true;
}

RecordLock::~RecordLock() {
  // Closing the descriptor releases the lock.
  if (handle_ >= 0) close(static_cast<int>(handle_));
}

std::string MakeFolder(const fs::path& folder, bool privateFolder) {
  std::error_code error;
  if (fs::is_directory(folder, error)) return "";
  fs::create_directories(folder.parent_path(), error);
  // The record files take the user's umask, so that a record in a shared
  // folder serves the lab; the user's own folder keeps them to the user.
  if (mkdir(folder.c_str(), privateFolder ? 0700 : 0777) != 0 && errno != EEXIST)
    return Why("cannot make the folder", folder);
  if (!fs::is_directory(folder, error))
    return "cannot make the folder " + Utf8Of(folder) + ": " + std::strerror(ENOTDIR);
  SyncFolder(folder.parent_path());
  return "";
}

void SyncFolder(const fs::path& folder) {
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

std::string ReplaceKeepingOld(const fs::path& file, const fs::path& replacement,
                              const fs::path& backup) {
  // A second name for the old content, then rename, which replaces the
  // first name in one step: the file is never missing.
  if (link(file.c_str(), backup.c_str()) != 0) return Why("cannot keep", file);
  if (rename(replacement.c_str(), file.c_str()) != 0) {
    const std::string trouble = Why("cannot replace", file);
    unlink(backup.c_str());
    return trouble;
  }
  return "";
}

std::string AppendFlushed(const fs::path& file, const std::string& bytes) {
  const int fd = open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return Why("cannot open", file);
  std::string trouble;
  // One write: even a writer that takes no lock cannot come between its bytes.
  ssize_t written;
  do {
    written = write(fd, bytes.data(), bytes.size());
  } while (written < 0 && errno == EINTR);
  if (written < 0) {
    trouble = Why("cannot write", file);
  } else if (static_cast<size_t>(written) != bytes.size()) {
    trouble = "cannot write " + Utf8Of(file) + ": the disk took only part of the line";
  } else if (fsync(fd) != 0) {
    trouble = Why("cannot flush", file);
  }
  close(fd);
  return trouble;
}

fs::path PathFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  return value ? fs::path(value) : fs::path();
}

fs::path UserStateFolder() {
  // A relative XDG_STATE_HOME is invalid and ignored.
  const fs::path xdgStateHome = PathFromEnvironment("XDG_STATE_HOME");
  if (xdgStateHome.is_absolute()) return xdgStateHome;
  const fs::path home = UserHomeFolder();
  return home.empty() ? fs::path() : home / ".local" / "state";
}

std::string ComputerName() {
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) != 0) return "";
  return name;
}

std::string UserName() {
  if (const passwd* user = getpwuid(geteuid())) return user->pw_name;
  const char* name = std::getenv("USER");
  return name ? name : "";
}
