// Asked in wide: the narrow call answers in the ANSI code page (Windows-1250
// on a Polish Windows), which no part of the program reads.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "SystemMessage.h"
#include "WideText.h"

std::string SystemMessage(int error) {
  wchar_t text[512] = {};
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                     static_cast<DWORD>(error), 0, text, sizeof text / sizeof *text, nullptr);
  std::wstring message(text, length);
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' ||
                              message.back() == L' ' || message.back() == L'.'))
    message.pop_back();
  return message.empty() ? "system error " + std::to_string(error) : Utf8FromWide(message);
}
