// The program's file version from its VERSIONINFO resource, which the build
// compiles in and Explorer's Properties show too.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <vector>

#include "ProgramFile.h"

namespace {

constexpr const char* kNoVersion = "0.0.0.0";

// The running program's path as Windows spells it, in the ANSI code page the
// version functions take.
std::string ModuleFileName() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return "";
    // A path that filled the buffer may have been cut short.
    if (length < path.size()) return path.substr(0, length);
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::filesystem::path RunningProgram() { return ModuleFileName(); }

std::string GetFileVersionText(const std::string& path) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return kNoVersion;
  std::vector<char> info(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixedSize = 0;
  if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data()) ||
      !VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
      fixedSize < sizeof(VS_FIXEDFILEINFO))
    return kNoVersion;
  return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
         std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
         std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
         std::to_string(LOWORD(fixed->dwFileVersionLS));
}

std::string GetFileVersionText() { return GetFileVersionText(ModuleFileName()); }

void ShowUtf8OnConsole() { SetConsoleOutputCP(CP_UTF8); }
