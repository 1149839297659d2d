#pragma once

#include <map>
#include <optional>
#include <string>

#include "ProfileEncoding.h"

// The default a read gives for a missing key, as Windows gives it back:
// without trailing spaces, and unquoted like a value.
std::string ProfileDefault(const std::string& fallback);

// The text of a private-profile (INI) file, read and edited the way Windows
// does it, so that a file the user keeps notes in survives the program:
// - a line ends at LF, CRLF or a lone CR, as editors old and new leave them;
// - blanks, tabs, vertical tabs, form feeds and ^Z around names and values
//   are trimmed, and so are those around the names the program asks for;
// - a header's name runs from '[' to the last ']' of its line; the lines
//   before the first header are the section with the empty name;
// - every other line that is not blank is a key: a comment or a stray word
//   is one whose name is never asked for, and a line without '=' a key
//   without a value, which reads as missing;
// - reading takes the first section and, in it, the first key whose names
//   match regardless of the case of ASCII letters; a name or value ends at
//   a NUL byte, and a value in matching quotes is unquoted;
// - writing replaces the value on the key's own line and nothing else (a
//   key without a value gets '=' and the value; the value's leading blanks
//   go, as Windows stores it without them); a missing key goes after
//   the last line of its section, a missing section at the end of the file;
//   a new line ends as the line before it does (after a last line without
//   an ending, as the file's first line does; in a file without any, with
//   CRLF in UTF-16 and as the caller says in 8-bit);
// - a file in UTF-16 (see ProfileEncoding.h) is saved in UTF-16 again, and
//   its names and values read as UTF-8.
// Any byte sequence is tolerated.
class ProfileText {
 public:
  // lineEnd: how a line ends in an 8-bit file that has no line end yet.
  explicit ProfileText(const std::string& bytes = {}, std::string lineEnd = "\n")
      : file_(DecodeProfile(bytes)), lineEnd_(std::move(lineEnd)) {}

  // The file's bytes, in the form they were read in.
  std::string Bytes() const { return EncodeProfile(file_); }

  std::optional<std::string> Read(const std::string& section, const std::string& key) const;
  // The keys of the first matching section with their values, the first of
  // a key written twice, named as the file spells them; lines that begin
  // with ';' or '#' are comments here.
  std::map<std::string, std::string> Section(const std::string& section) const;
  // value must not hold a line break or a NUL: it would cut the line.
  void Write(const std::string& section, const std::string& key, const std::string& value);

 private:
  // A name or value from the file as the program takes it.
  std::string Readable(const std::string& text) const;

  DecodedProfile file_;
  std::string lineEnd_;
};
