#pragma once

#include <optional>
#include <string>
#include <vector>

// One line of the record of changes: a change made to a tester, or a check
// of one, as a calibration lab reads it afterwards. Bytes are hexadecimal
// pairs ("66 87"), times UTC in ISO 8601 with milliseconds.

// Outcomes of a change.
inline constexpr char kOutcomeDone[] = "done";
inline constexpr char kOutcomePutBack[] = "put-back";          // refused and restored
inline constexpr char kOutcomeHalfChanged[] = "half-changed";  // a mix of old and new, or may be
inline constexpr char kOutcomeNotWritten[] = "not-written";

struct LocationLine {
  int address = 0;
  std::string before;   // hex; empty: none
  std::string written;  // hex; empty: none
  std::string putBack;  // hex; empty: none
  std::string outcome;  // written, put-back, not-written or unknown
};

struct ChangeLine {
  std::string time;
  std::string program;  // kavel-setup or kavel-cli
  std::string version;
  std::string computer;
  std::string user;
  std::string port;
  std::string versionText;  // the tester's, as UTF-8
  std::string model;        // TVA-740, DKL-310
  std::string change;       // what was asked, in words
  std::vector<LocationLine> locations;
  std::string outcome;
};

// The line as JSON, without its line end.
std::string ToJsonLine(const ChangeLine& line);
// A line read back, or nothing for one that is torn or not ours.
std::optional<ChangeLine> ParseChangeLine(const std::string& text);

// Bytes as hexadecimal pairs, and back (nothing for text that is not).
std::string HexText(const std::string& bytes);
std::optional<std::string> BytesOfHex(const std::string& hex);
