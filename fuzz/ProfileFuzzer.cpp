// The settings file's reader and writer on any bytes a file could hold: a
// write changes one line at most and reads back as written.
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

  // Everything but one line of the old file is still there, in place.
  const std::string& after = text.Bytes();
  const auto prefix = std::mismatch(file.begin(), file.end(), after.begin(), after.end());
  const auto suffix = std::mismatch(file.rbegin(), file.rend(), after.rbegin(), after.rend());
  const long kept = (prefix.first - file.begin()) + (suffix.first - file.rbegin());
  const long lost = std::max<long>(0, static_cast<long>(file.size()) - kept);
  const std::string removed = file.substr(static_cast<std::size_t>(prefix.first - file.begin()),
                                          static_cast<std::size_t>(lost));
  FUZZ_CHECK(std::count(removed.begin(), removed.end(), '\n') <= 1);
  return 0;
}
