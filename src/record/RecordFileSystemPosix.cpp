// flock on a lock file beside the record, O_APPEND with one write and fsync,
// the folder fsynced after a name in it changed, the XDG state folder.
#include <fcntl.h>
#include <poll.h>
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

// A file the user made in a shared folder, writable for the group whatever
// the umask, so that the next user can append, lock and rotate; the group
// is the folder's own where it hands it on (set-group-ID), as the package
// makes it.
void GroupWritable(int fd, bool shared) {
  struct stat file {};
  if (shared && fstat(fd, &file) == 0 && file.st_uid == geteuid() &&
      (file.st_mode & 0660) != 0660)
    fchmod(fd, (file.st_mode & 07777) | 0660);
}

constexpr int kLockWaitMs = 10000;
constexpr int kLockPollMs = 20;

}  // namespace

RecordLock::RecordLock(const fs::path& lockFile, bool shared) {
  int fd = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  // flock needs no write access: a lock file another user made and kept to
  // the user serves as well.
  if (fd < 0 && errno == EACCES) fd = open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    trouble_ = Why("cannot open", lockFile);
    return;
  }
  handle_ = fd;
  GroupWritable(fd, shared);
  for (int waited = 0;; waited += kLockPollMs) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) break;
    if ((errno != EWOULDBLOCK && errno != EINTR) || waited >= kLockWaitMs) {
      trouble_ = errno == EWOULDBLOCK
                     ? "cannot lock " + Utf8Of(lockFile) + ": another program holds it"
                     : Why("cannot lock", lockFile);
      return;
    }
    poll(nullptr, 0, kLockPollMs);
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

std::string KeepUnder(const fs::path& file, const fs::path& name) {
  if (link(file.c_str(), name.c_str()) == 0) return "";
  const std::string linkTrouble = Why("cannot link", file);
  if (errno == EEXIST) return linkTrouble;
  // No hard links here (a FAT or network file system): a copy.
  std::error_code error;
  if (!fs::copy_file(file, name, error))
    return linkTrouble + "; cannot copy it: " + error.message();
  const int fd = open(name.c_str(), O_RDONLY | O_CLOEXEC);
  const bool flushed = fd >= 0 && fsync(fd) == 0;
  if (fd >= 0) close(fd);
  if (!flushed) {
    const std::string trouble = Why("cannot flush", name);
    unlink(name.c_str());
    return trouble;
  }
  return "";
}

std::string MoveOver(const fs::path& file, const fs::path& name) {
  // rename replaces the name in one step: it is never missing.
  if (rename(file.c_str(), name.c_str()) != 0) return Why("cannot move over", name);
  SyncFolder(name.parent_path());
  return "";
}

FileContent ReadWholeFile(const fs::path& file) {
  FileContent content;
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    // A file where a folder should be holds no record either.
    content.missing = errno == ENOENT || errno == ENOTDIR;
    if (!content.missing) content.trouble = std::strerror(errno);
    return content;
  }
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) content.trouble = std::strerror(errno);
    if (got <= 0) break;
    content.text.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  return content;
}

std::string FileIdentity(const fs::path& file) {
  struct stat status {};
  if (stat(file.c_str(), &status) != 0) return "";
  return std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
}

std::string AppendFlushed(const fs::path& file, const std::string& bytes, bool shared) {
  const int fd = open(file.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) return Why("cannot open", file);
  GroupWritable(fd, shared);
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

fs::path AllUsersRecordFolder() { return "/var/lib/kavel-setup"; }

bool InstalledProgram(const fs::path& program) {
  std::error_code error;
  return !program.empty() &&
         fs::equivalent(program.parent_path(), KAVEL_INSTALL_BINDIR, error);
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
