#pragma once

#include <string>
#include <string_view>

// The bytes of a file as Windows Notepad saves it "Unicode" (little-endian)
// or "Unicode big endian": the byte-order mark, then the text's 16-bit units.
inline std::string Utf16File(std::u16string_view text, bool bigEndian = false) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}
