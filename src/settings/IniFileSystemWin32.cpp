// The settings file through Win32 calls: a save writes a file beside the
// old one, flushes it and moves it over the old one with MoveFileExA.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "IniFileSystem.h"

namespace fs = std::filesystem;

namespace {

// Closes the file when it goes.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (IsOpen()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  HANDLE Get() const { return handle_; }
  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes now, and says whether the close succeeded.
  bool Close() {
    const bool closed = CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return StepAllowed(FileStep::Close) && closed;
  }

 private:
  HANDLE handle_;
};

// The attributes a replaced file keeps (a hidden file stays hidden); a
// read-only file is never replaced, as Windows' own profile functions leave
// it alone.
DWORD AttributesToKeep(const fs::path& target) {
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD old = GetFileAttributesA(target.string().c_str());
  const DWORD kept = old == INVALID_FILE_ATTRIBUTES ? 0 : old & kKept;
  return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
}

// A new file beside the target, open for writing by this program alone.
HANDLE CreateTemporary(const fs::path& target, std::string& name) {
  static unsigned counter = 0;
  const std::string stem = (target.parent_path() / ".").string() + target.filename().string() +
                           "." + std::to_string(GetCurrentProcessId()) + ".";
  const DWORD attributes = AttributesToKeep(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = stem;
    name += std::to_string(++counter);
    const HANDLE file =
        CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
  }
  return INVALID_HANDLE_VALUE;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    if (!StepAllowed(FileStep::Write)) return false;
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                   nullptr))
      return false;
    done += written;
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadSettingsBytes(const std::string& path, bool& missing) {
  // Others may keep the file open, as editors do, while it is read.
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  const DWORD error = GetLastError();
  missing = !file.IsOpen() && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
  if (!file.IsOpen()) return std::nullopt;
  // A directory does not open this way; a port, a pipe or the console opens
  // but is no disk file.
  LARGE_INTEGER size{};
  if (GetFileType(file.Get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.Get(), &size) ||
      static_cast<std::uint64_t>(size.QuadPart) > kLargestSettingsFile)
    return std::nullopt;
  std::string bytes;
  char buffer[8192];
  for (;;) {
    if (!StepAllowed(FileStep::Read)) return std::nullopt;
    DWORD count = 0;
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr)) return std::nullopt;
    if (count == 0) break;
    bytes.append(buffer, count);
    if (bytes.size() > kLargestSettingsFile) return std::nullopt;
  }
  return bytes;
}

bool SaveAtomically(const fs::path& target, const std::string& bytes) {
  if (!StepAllowed(FileStep::CreateTemporary)) return false;
  std::string temporary;
  bool saved = false;
  {
    FileHandle file(CreateTemporary(target, temporary));
    if (!file.IsOpen()) return false;
    saved = WriteAll(file.Get(), bytes) && StepAllowed(FileStep::Flush) &&
            FlushFileBuffers(file.Get()) && file.Close();
  }  // closed here at the latest: an open file can be neither moved nor deleted
  saved = saved && StepAllowed(FileStep::Rename) &&
          MoveFileExA(temporary.c_str(), target.string().c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!saved) DeleteFileA(temporary.c_str());
  return saved;
}
