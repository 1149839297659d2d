// LockFileEx on a lock file beside the record, FILE_APPEND_DATA with one
// WriteFile and FlushFileBuffers, a hard link and MoveFileExW for a
// rotation, the Local AppData and ProgramData known folders; paths passed
// wide, so that any user name or folder works.
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

constexpr int kLockWaitMs = 10000;
constexpr int kLockPollMs = 20;

}  // namespace

RecordLock::RecordLock(const fs::path& lockFile, bool) {
  // The folder's inherited rights (Users may modify, in the computer's
  // record folder) let every user open what another made.
  const HANDLE file = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                  nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    trouble_ = Why("cannot open", lockFile);
    return;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  for (int waited = 0;; waited += kLockPollMs) {
    OVERLAPPED whole{};
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD,
                   MAXDWORD, &whole))
      break;
    if (GetLastError() != ERROR_LOCK_VIOLATION || waited >= kLockWaitMs) {
      trouble_ = GetLastError() == ERROR_LOCK_VIOLATION
                     ? "cannot lock " + Utf8Of(lockFile) + ": another program holds it"
                     : Why("cannot lock", lockFile);
      return;
    }
    Sleep(kLockPollMs);
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

std::string KeepUnder(const fs::path& file, const fs::path& name) {
  if (CreateHardLinkW(name.c_str(), file.c_str(), nullptr)) return "";
  const std::string linkTrouble = Why("cannot link", file);
  if (GetLastError() == ERROR_ALREADY_EXISTS) return linkTrouble;
  // No hard links here (FAT, some network shares): a copy, flushed.
  if (!CopyFileW(file.c_str(), name.c_str(), TRUE))
    return linkTrouble + "; " + Why("cannot copy", file);
  const HANDLE copy = CreateFileW(name.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  const bool flushed = copy != INVALID_HANDLE_VALUE && FlushFileBuffers(copy);
  const std::string trouble = flushed ? "" : Why("cannot flush", name);
  if (copy != INVALID_HANDLE_VALUE) CloseHandle(copy);
  if (!flushed) DeleteFileW(name.c_str());
  return trouble;
}

std::string MoveOver(const fs::path& file, const fs::path& name) {
  // One rename that replaces the name, as POSIX's: never ReplaceFileW,
  // which renames twice inside and can stop between, the name missing.
  if (!MoveFileExW(file.c_str(), name.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return Why("cannot move over", name);
  return "";
}

FileContent ReadWholeFile(const fs::path& file) {
  FileContent content;
  // Sharing delete too: a reader never holds a rotation back.
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    content.missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    if (!content.missing) content.trouble = "Windows error " + std::to_string(error);
    return content;
  }
  char buffer[1 << 16];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(handle, buffer, sizeof buffer, &got, nullptr)) {
      content.trouble = "Windows error " + std::to_string(GetLastError());
      break;
    }
    if (got == 0) break;
    content.text.append(buffer, got);
  }
  CloseHandle(handle);
  return content;
}

std::string FileIdentity(const fs::path& file) {
  const HANDLE handle = CreateFileW(file.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return "";
  BY_HANDLE_FILE_INFORMATION information{};
  const bool known = GetFileInformationByHandle(handle, &information);
  CloseHandle(handle);
  if (!known) return "";
  return std::to_string(information.dwVolumeSerialNumber) + ":" +
         std::to_string((static_cast<unsigned long long>(information.nFileIndexHigh) << 32) |
                        information.nFileIndexLow);
}

std::string AppendFlushed(const fs::path& file, const std::string& bytes, bool) {
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

fs::path AllUsersRecordFolder() {
  PWSTR folder = nullptr;
  fs::path programData;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, KF_FLAG_DEFAULT, nullptr, &folder)))
    programData = folder;
  CoTaskMemFree(folder);
  return programData.is_absolute() ? programData / "kavel-setup" : fs::path();
}

bool InstalledProgram(const fs::path& program) {
  // The installer leaves the marker; the zip carries none.
  std::error_code error;
  return !program.empty() && fs::is_regular_file(program.parent_path() / kInstalledMarker, error);
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
