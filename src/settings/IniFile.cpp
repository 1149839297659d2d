#include "IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "Exception.h"

namespace fs = std::filesystem;

namespace {

// Larger than any settings file a person writes; anything bigger is not one.
constexpr off_t kLargestFile = 1 << 20;
constexpr int kMostLinks = 40;

std::optional<FileStep> injectedFailure;

// False, with errno set, when a test made this step fail.
bool Allowed(FileStep step) {
  if (injectedFailure != step) return true;
  errno = EIO;
  return false;
}

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
    return Allowed(FileStep::Close) && ::close(fd) == 0;
  }

 private:
  int fd_;
};

// The whole file, or nothing when it cannot be read as a settings file: a
// FIFO, a device or a directory never is (opening without blocking keeps a
// FIFO from hanging the program). missing tells a file that is not there.
std::optional<std::string> ReadWhole(const std::string& path, bool& missing) {
  Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  missing = file.Get() < 0 && errno == ENOENT;
  if (file.Get() < 0) return std::nullopt;
  struct stat status {};
  if (::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
      status.st_size > kLargestFile)
    return std::nullopt;
  std::string bytes;
  char buffer[8192];
  for (;;) {
    if (!Allowed(FileStep::Read)) return std::nullopt;
    const ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    bytes.append(buffer, static_cast<size_t>(count));
    if (bytes.size() > static_cast<size_t>(kLargestFile)) return std::nullopt;
  }
  return bytes;
}

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
    if (!Allowed(FileStep::Write)) return false;
    const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (count < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(count);
  }
  return true;
}

// Writes the content beside the target and renames it over the target; the
// old file stays as it was until the rename, which replaces it at once.
bool SaveAtomically(const fs::path& target, const std::string& bytes) {
  if (!Allowed(FileStep::CreateTemporary)) return false;
  std::string temporary;
  Descriptor file(CreateTemporary(target, temporary));
  if (file.Get() < 0) return false;
  // A replaced file keeps its own mode.
  struct stat old {};
  const bool keepsMode =
      ::stat(target.c_str(), &old) != 0 || ::fchmod(file.Get(), old.st_mode & 07777) == 0;
  const bool saved = keepsMode && WriteAll(file.Get(), bytes) && Allowed(FileStep::Flush) &&
                     ::fsync(file.Get()) == 0 && file.Close() && Allowed(FileStep::Rename) &&
                     ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!saved) ::unlink(temporary.c_str());
  return saved;
}

}  // namespace

void InjectFileFailure(std::optional<FileStep> step) { injectedFailure = step; }

IniFile::IniFile(std::string path) : path_(std::move(path)) {
  bool missing = false;
  if (auto bytes = ReadWhole(path_, missing)) {
    text_ = ProfileText(std::move(*bytes));
    return;
  }
  // A missing file reads as empty; anything else there is off limits.
  unreadable_ = !missing;
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
  return text_.Read(section, key).value_or(fallback);
}

std::map<std::string, std::string> IniFile::ReadSection(const std::string& section) const {
  return text_.Section(section);
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  text_.Write(section, key, value);
}

void IniFile::UpdateFile() {
  const Exception failure("Unable to write to " + path_);
  if (unreadable_) throw failure;
  const fs::path target = FinalTarget(path_);
  // The user's configuration folder may not exist before the first save.
  std::error_code error;
  if (!target.parent_path().empty()) fs::create_directories(target.parent_path(), error);
  if (error || !SaveAtomically(target, text_.Bytes())) throw failure;
}
