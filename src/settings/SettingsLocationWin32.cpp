// The user's roaming application data, where Windows programs keep their
// settings, asked of the shell in wide: %APPDATA% through getenv comes in
// the ANSI code page, which loses the letters of a profile folder such as
// C:\Users\Łukasz.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <string>

#include "SettingsLocation.h"

namespace fs = std::filesystem;

fs::path UserConfigFolder() {
  PWSTR folder = nullptr;
  const bool found =
      SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &folder) == S_OK;
  fs::path path = found ? fs::path(std::wstring(folder)) : fs::path();
  CoTaskMemFree(folder);
  return path;
}

// A file made and let go at once tells: Program Files refuses one to a user
// who is no administrator, and so does a read-only medium.
bool FolderTakesNewFiles(const fs::path& folder) {
  const fs::path probe =
      folder / (L".kavel-setup." + std::to_wstring(GetCurrentProcessId()) + L".probe");
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

// The read-only attribute, which holds for an administrator too; then the
// file opened for writing and let go, its content untouched, for the file's
// own permissions. A file another program holds just now is still this
// user's to write.
bool FileCanBeWritten(const fs::path& file) {
  const DWORD attributes = GetFileAttributesW(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return GetLastError() != ERROR_ACCESS_DENIED;
  CloseHandle(handle);
  return true;
}
