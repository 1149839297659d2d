#include <windows.h>

#include "RegionalFormat.h"

CivilTime LocalOfUtc(const CivilTime& utc) {
  SYSTEMTIME universal{};
  universal.wYear = static_cast<WORD>(utc.year);
  universal.wMonth = static_cast<WORD>(utc.month);
  universal.wDay = static_cast<WORD>(utc.day);
  universal.wHour = static_cast<WORD>(utc.hour);
  universal.wMinute = static_cast<WORD>(utc.minute);
  universal.wSecond = static_cast<WORD>(utc.second);
  SYSTEMTIME local{};
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) return utc;
  return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

std::string ListSeparator() {
  // What Excel reads CSV with: the list separator of the user's format.
  wchar_t separator[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SLIST, separator, 8) <= 1) return ",";
  char text[32] = {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, separator, -1, text, sizeof text, nullptr, nullptr);
  return size > 1 ? std::string(text, static_cast<size_t>(size - 1)) : ",";
}
