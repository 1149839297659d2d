#pragma once

#include <stdexcept>
#include <string>

// Bytes as unbroken hexadecimal text ("6F2800") and back: how the tester
// service and its clients pass texts and EEPROM bytes in a line of words.
namespace sim {

inline std::string ToHex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (const unsigned char byte : bytes) {
    text += digits[byte >> 4];
    text += digits[byte & 0x0F];
  }
  return text;
}

inline std::string FromHex(const std::string& text) {
  if (text.size() % 2 != 0) throw std::invalid_argument("odd hexadecimal text");
  std::string bytes;
  for (size_t i = 0; i < text.size(); i += 2)
    bytes += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
  return bytes;
}

}  // namespace sim
