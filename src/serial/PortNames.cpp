// The rules every platform shares for a port's name.
#include <algorithm>
#include <cctype>

#include "PortNames.h"

namespace {

constexpr size_t kMaxDigits = 5;

}  // namespace

std::string UpperCasePortName(std::string name) {
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return name;
}

bool BeginsWithCOM(const std::string& name) {
  return UpperCasePortName(name.substr(0, 3)) == "COM";
}

bool IsValidPortName(const std::string& name) {
  if (name.size() < 4 || name.size() > 3 + kMaxDigits) return false;
  if (!BeginsWithCOM(name)) return false;
  return std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}
