#pragma once

#include <sstream>
#include <string>

// Bytes written as hexadecimal pairs, "6F 28 00", for readable expectations.
inline std::string Bytes(const std::string& hex) {
  std::istringstream in(hex);
  std::string bytes;
  unsigned value;
  while (in >> std::hex >> value) bytes += static_cast<char>(value);
  return bytes;
}
