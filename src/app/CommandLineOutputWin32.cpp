#include <windows.h>

#include <string>

#include "CommandLineOutput.h"

namespace {

// A console takes UTF-16, so that a settings path with Polish letters shows as
// written whatever its code page; a pipe or a file gets the UTF-8 bytes.
bool WriteTo(HANDLE out, const std::string& text) {
  DWORD mode = 0;
  if (GetConsoleMode(out, &mode)) {
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           wide.data(), static_cast<int>(wide.size()));
    DWORD written = 0;
    return WriteConsoleW(out, wide.data(), static_cast<DWORD>(length), &written, nullptr) != 0;
  }
  DWORD written = 0;
  return WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != 0 &&
         written == text.size();
}

}  // namespace

bool WriteCommandLineAnswer(const std::string& text) {
  // A handle given at start: redirected to a pipe or a file, or the console
  // of a parent that passed its own.
  const HANDLE given = GetStdHandle(STD_OUTPUT_HANDLE);
  if (given != nullptr && given != INVALID_HANDLE_VALUE && GetFileType(given) != FILE_TYPE_UNKNOWN)
    return WriteTo(given, text);
  // Typed at a Command Prompt or in PowerShell: a windowed program is started
  // without a console of its own and writes to its parent's.
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return false;
  const HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                     nullptr);
  if (console == INVALID_HANDLE_VALUE) return false;
  const bool written = WriteTo(console, text);
  CloseHandle(console);
  return written;
}
