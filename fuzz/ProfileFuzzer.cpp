// The settings file's reader and writer on any bytes a file could hold: a
// write changes one line at most and reads back as written, in whatever
// form the file is: 8-bit or UTF-16 with any line ends.
#include <algorithm>

#include "FuzzSupport.h"
#include "ProfileText.h"

namespace {

// Letters and digits only, as the program's own names and values are.
std::string Plain(const std::string& bytes, const char* fallback) {
  std::string plain;
  for (char c : bytes) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) plain += c;
  }
  return plain.empty() ? fallback : plain;
}

// Whether the bytes [from, to) of the file can all belong to the value of one
// line: none is a line end, taken in the file's own units (after a UTF-16
// byte-order mark two bytes make one, and a byte 0x0A inside one is no line
// feed), and none is the odd last byte of a UTF-16 file, which is in no line.
bool WithinOneValue(const std::string& file, std::size_t from, std::size_t to) {
  const bool little = file.compare(0, 2, "\xFF\xFE") == 0;
  const std::size_t unit = little || file.compare(0, 2, "\xFE\xFF") == 0 ? 2 : 1;
  for (std::size_t at = from / unit * unit; at < to; at += unit) {
    if (at + unit > file.size()) return false;
    const unsigned first = static_cast<unsigned char>(file[at]);
    const unsigned last = static_cast<unsigned char>(file[at + unit - 1]);
    const unsigned character = unit == 1 ? first : little ? last << 8 | first : first << 8 | last;
    if (character == '\n' || character == '\r') return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string section = Plain(input.Take(input.Byte() % 8), "S");
  const std::string key = Plain(input.Take(input.Byte() % 8), "k");
  const std::string value = Plain(input.Take(input.Byte() % 16), "");
  const std::string file = input.Rest();

  ProfileText text(file);
  text.Read(section, key);
  text.Section(section);
  text.Write(section, key, value);
  FUZZ_CHECK(text.Read(section, key) == value);

  // Everything but the old value of the key's line is still there, in place.
  const std::string after = text.Bytes();
  const auto prefix = std::mismatch(file.begin(), file.end(), after.begin(), after.end());
  const auto suffix = std::mismatch(file.rbegin(), file.rend(), after.rbegin(), after.rend());
  const std::size_t kept = (prefix.first - file.begin()) + (suffix.first - file.rbegin());
  if (kept < file.size()) {
    const std::size_t from = prefix.first - file.begin();
    FUZZ_CHECK(WithinOneValue(file, from, from + file.size() - kept));
  }
  return 0;
}
