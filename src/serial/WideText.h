#pragma once

#include <string>
#include <string_view>

// Windows speaks UTF-16 ("wide") to a program that asks in wide; the rest of
// the program takes UTF-8. These turn one into the other, on Windows only: a
// text that is no valid UTF-16 or UTF-8 gets U+FFFD where it breaks.
std::string Utf8FromWide(std::wstring_view text);
std::wstring WideFromUtf8(std::string_view text);
