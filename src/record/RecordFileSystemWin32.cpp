// LockFileEx on a lock file beside the record, FILE_APPEND_DATA with one
// WriteFile and FlushFileBuffers, the Local AppData known folder; paths
// passed wide, so that any user name or folder works.
#include <shlobj.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "PathText.h"
#include "RecordFileSystem.h"

namespace fs = std::filesystem;

namespace {

std::string Why(const std::string& what, const fs::path& path) {
  return what + " " + Utf8Of(path) + " (Windows error " + std::to_string(GetLastError()) + ")";
}

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return "";
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.resize(static_cast<size_t>(size) - 1);
  return utf8;
}

// Other programs may read, append and rotate the record while it is open.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

}  // namespace

RecordLock::RecordLock(const fs::path& lockFile) {
  const HANDLE file = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    trouble_ = Why("cannot open", lockFile);
    return;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  OVERLAPPED whole{};
  // Without LOCKFILE_FAIL_IMMEDIATELY the call waits for another holder.
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole)) {
    trouble_ = Why("cannot lock", lockFile);
    return;
  }
  held_ = true;
}

RecordLock::~RecordLock() {
  if (handle_ == -1) return;
  const HANDLE file = reinterpret_cast<HANDLE>(handle_);
  if (held_) {
    OVERLAPPED whole{};
    UnlockFileEx(file, 0, MAXDWORD, MAXDWORD, &whole);
  }
  CloseHandle(file);
}

std::string ReplaceKeepingOld(const fs::path& file, const fs::path& replacement,
                              const fs::path& backup) {
  // Windows' own replacement keeps the old content under the backup name in
  // the same step.
  if (!ReplaceFileW(file.c_str(), replacement.c_str(), backup.c_str(),
                    REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr))
    return Why("cannot replace", file);
  return "";
}

std::string AppendFlushed(const fs::path& file, const std::string& bytes) {
  const HANDLE handle = CreateFileW(file.c_str(), FILE_APPEND_DATA, kShareAll, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Why("cannot open", file);
  std::string trouble;
  DWORD written = 0;
  if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) {
    trouble = Why("cannot write", file);
  } else if (written != bytes.size()) {
    trouble = "cannot write " + Utf8Of(file) + ": the disk took only part of the line";
  } else if (!FlushFileBuffers(handle)) {
    trouble = Why("cannot flush", file);
  }
  CloseHandle(handle);
  return trouble;
}

std::string MakeFolder(const fs::path& folder, bool) {
  // The user's own Local AppData admits no other user already.
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) return "cannot make the folder " + Utf8Of(folder) + ": " + error.message();
  return "";
}

// NTFS keeps a file's name with the file once FlushFileBuffers returned.
void SyncFolder(const fs::path&) {}

fs::path PathFromEnvironment(const char* name) {
  // From the system, wide: a program with a narrow main gets a copy of the
  // environment in the code page (_wgetenv included), without letters such
  // as Ł on a Western European Windows.
  const std::wstring wideName(name, name + std::char_traits<char>::length(name));
  std::wstring value(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size =
        GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (size == 0) return fs::path();
    if (size < value.size()) {
      value.resize(size);
      return fs::path(value);
    }
    value.resize(size);  // the size it needs, its end included
  }
}

fs::path UserStateFolder() {
  // Local, not roaming: a record of this machine's work stays on it.
  PWSTR folder = nullptr;
  fs::path localAppData;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_DEFAULT, nullptr, &folder)))
    localAppData = folder;
  CoTaskMemFree(folder);
  return localAppData.is_absolute() ? localAppData : fs::path();
}

std::string ComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &size) ? Utf8(name) : "";
}

std::string UserName() {
  wchar_t name[257] = {};
  DWORD size = 257;
  return GetUserNameW(name, &size) ? Utf8(name) : "";
}
