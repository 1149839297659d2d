#include "TesterText.h"

std::string TesterText(const std::string& bytes) {
  std::string text;
  for (unsigned char byte : bytes) {
    if (byte < 0x20 || byte == 0x7F || (byte >= 0x80 && byte < 0xA0)) {
      text += '?';
    } else if (byte < 0x80) {
      text += static_cast<char>(byte);
    } else {
      text += static_cast<char>(0xC0 | (byte >> 6));
      text += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return text;
}
