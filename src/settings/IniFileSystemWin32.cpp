// The settings file through Win32 calls, in wide: a save writes a file
// beside the old one, flushes it and moves it over the old one with
// MoveFileExW.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <functional>

#include "IniFileSystem.h"

namespace fs = std::filesystem;

const char kSystemLineEnd[] = "\r\n";

namespace {

// Antivirus, backup and indexing tools open a file for a moment without
// sharing it; a call they refuse is tried again until this has passed.
constexpr ULONGLONG kLockWaitMs = 1000;
constexpr DWORD kLockRetryMs = 50;

// Runs the call (true when it succeeded) again while it fails as a file held
// by another program fails, for up to kLockWaitMs; GetLastError then tells
// the last failure.
bool WaitingOutALock(const std::function<bool()>& call) {
  const ULONGLONG deadline = GetTickCount64() + kLockWaitMs;
  while (!call()) {
    const DWORD error = GetLastError();
    if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) ||
        GetTickCount64() >= deadline)
      return false;
    Sleep(kLockRetryMs);
  }
  return true;
}

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
  const DWORD old = GetFileAttributesW(target.c_str());
  const DWORD kept = old == INVALID_FILE_ATTRIBUTES ? 0 : old & kKept;
  return kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL;
}

// A new file beside the target, open for writing by this program alone.
HANDLE CreateTemporary(const fs::path& target, fs::path& name) {
  static unsigned counter = 0;
  const std::wstring stem =
      L"." + target.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId()) + L".";
  const DWORD attributes = AttributesToKeep(target);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target.parent_path() / (stem + std::to_wstring(++counter));
    const HANDLE file =
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
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

std::optional<std::string> ReadSettingsBytes(const fs::path& path, bool& missing, int& error) {
  // Others may keep the file open, as editors do, while it is read.
  HANDLE handle = INVALID_HANDLE_VALUE;
  WaitingOutALock([&] {
    handle = CreateFileW(path.c_str(), GENERIC_READ,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return handle != INVALID_HANDLE_VALUE;
  });
  FileHandle file(handle);
  error = file.IsOpen() ? 0 : static_cast<int>(GetLastError());
  missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
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
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &count, nullptr)) {
      error = static_cast<int>(GetLastError());
      return std::nullopt;
    }
    if (count == 0) break;
    bytes.append(buffer, count);
    if (bytes.size() > kLargestSettingsFile) return std::nullopt;
  }
  return bytes;
}

bool SaveAtomically(const fs::path& target, const std::string& bytes, int& error) {
  error = 0;
  if (!StepAllowed(FileStep::CreateTemporary)) return false;
  fs::path temporary;
  bool saved = false;
  SetLastError(0);
  {
    FileHandle file(CreateTemporary(target, temporary));
    if (!file.IsOpen()) {
      error = static_cast<int>(GetLastError());
      return false;
    }
    saved = WriteAll(file.Get(), bytes) && StepAllowed(FileStep::Flush) &&
            FlushFileBuffers(file.Get()) && file.Close();
  }  // closed here at the latest: an open file can be neither moved nor deleted
  saved = saved && StepAllowed(FileStep::Rename) && WaitingOutALock([&] {
            return MoveFileExW(temporary.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
          });
  if (!saved) {
    error = static_cast<int>(GetLastError());
    DeleteFileW(temporary.c_str());
  }
  return saved;
}
