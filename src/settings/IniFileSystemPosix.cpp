// The settings file through POSIX calls: reads that never block, and a save
// by rename after fsync.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "IniFileSystem.h"

namespace fs = std::filesystem;

const char kSystemLineEnd[] = "\n";

namespace {

// Closes the descriptor when it goes.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now, and says whether the close succeeded.
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    const bool closed = ::close(fd) == 0;
    return StepAllowed(FileStep::Close) && closed;
  }

 private:
  int fd_;
};

// A new file beside the target, made with the mode any program's new file
// gets (the kernel applies the user's umask).
int CreateTemporary(const fs::path& target, std::string& name) {
  static unsigned counter = 0;
  const std::string stem = (target.parent_path() / ".").string() + target.filename().string() +
                           "." + std::to_string(::getpid()) + ".";
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = stem;
    name += std::to_string(++counter);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    if (!StepAllowed(FileStep::Write)) return false;
    const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(count);
  }
  return true;
}

}  // namespace

// Opening without blocking keeps a FIFO from hanging the program.
std::optional<std::string> ReadSettingsBytes(const fs::path& path, bool& missing, int& error) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  error = file.Get() < 0 ? errno : 0;
  missing = error == ENOENT;
  if (file.Get() < 0) return std::nullopt;
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      static_cast<std::uint64_t>(status.st_size) > kLargestSettingsFile)
    return std::nullopt;
  std::string bytes;
  char buffer[8192];
  for (;;) {
    if (!StepAllowed(FileStep::Read)) return std::nullopt;
    const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      error = errno;
      return std::nullopt;
    }
    bytes.append(buffer, static_cast<size_t>(count));
    if (bytes.size() > kLargestSettingsFile) return std::nullopt;
  }
  return bytes;
}

bool SaveAtomically(const fs::path& target, const std::string& bytes, int& error) {
  error = 0;
  if (!StepAllowed(FileStep::CreateTemporary)) return false;
  std::string temporary;
  Descriptor file(CreateTemporary(target, temporary));
  if (file.Get() < 0) {
    error = errno;
    return false;
  }
  struct stat old {};
  const bool keepsMode =
      ::stat(target.c_str(), &old) != 0 || ::fchmod(file.Get(), old.st_mode & 07777) == 0;
  if (keepsMode) errno = 0;  // a target not there yet is no failure
  const bool saved = keepsMode && WriteAll(file.Get(), bytes) && StepAllowed(FileStep::Flush) &&
                     ::fsync(file.Get()) == 0 && file.Close() && StepAllowed(FileStep::Rename) &&
                     ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!saved) {
    error = errno;
    ::unlink(temporary.c_str());
  }
  return saved;
}
