#pragma once

#include <map>
#include <optional>
#include <string>

#include "ProfileEncoding.h"

// The text of a private-profile (INI) file, read and edited the way Windows
// does it, so that a file the user keeps notes in survives the program:
// - reading takes the first section and, in it, the first key whose names
//   match regardless of letter case; blanks around names and values are
//   trimmed, a value in matching quotes is unquoted, and a value ends at a
//   NUL byte; lines that are no section, key or comment are skipped;
// - writing replaces the value on the key's own line and nothing else; a
//   missing key goes after the last line of its section, a missing section
//   at the end of the file; a new line ends as the line before it does
//   (after a last line without an ending, as the file's first line does);
// - a line ends at LF, CRLF or a lone CR, as editors old and new leave them;
// - a file in UTF-16 (see ProfileEncoding.h) is saved in UTF-16 again, and
//   its names and values read as UTF-8.
// Any byte sequence is tolerated.
class ProfileText {
 public:
  explicit ProfileText(const std::string& bytes = {}) : file_(DecodeProfile(bytes)) {}

  // The file's bytes, in the form they were read in.
  std::string Bytes() const { return EncodeProfile(file_); }

  std::optional<std::string> Read(const std::string& section, const std::string& key) const;
  // The keys of the first matching section with their values, the first of
  // a key written twice, named as the file spells them.
  std::map<std::string, std::string> Section(const std::string& section) const;
  // value must not hold a line break or a NUL: it would cut the line.
  void Write(const std::string& section, const std::string& key, const std::string& value);

 private:
  // A name or value from the file as the program takes it.
  std::string Readable(const std::string& text) const;

  DecodedProfile file_;
};
