#pragma once

#include <map>
#include <optional>
#include <string>

// The text of a private-profile (INI) file, read and edited the way Windows
// does it, so that a file the user keeps notes in survives the program:
// - reading takes the first section and, in it, the first key whose names
//   match regardless of letter case; blanks around names and values are
//   trimmed, a value in matching quotes is unquoted, and a value ends at a
//   NUL byte; lines that are no section, key or comment are skipped;
// - writing replaces the value on the key's own line and nothing else; a
//   missing key goes after the last line of its section, a missing section
//   at the end of the file, with the file's own line ends (CRLF or LF).
// Any byte sequence is tolerated, a UTF-8 byte-order mark included.
class ProfileText {
 public:
  explicit ProfileText(std::string bytes = {}) : text_(std::move(bytes)) {}

  const std::string& Bytes() const { return text_; }

  std::optional<std::string> Read(const std::string& section, const std::string& key) const;
  // The keys of the first matching section with their values, the first of
  // a key written twice, named as the file spells them.
  std::map<std::string, std::string> Section(const std::string& section) const;
  // value must not hold a line break or a NUL: it would cut the line.
  void Write(const std::string& section, const std::string& key, const std::string& value);

 private:
  std::string text_;
};
