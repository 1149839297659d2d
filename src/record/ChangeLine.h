#pragma once

#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

// One line of the record of changes: a change made to a tester, or a check
// of one, as a calibration lab reads it afterwards. Bytes are hexadecimal
// pairs ("66 87"), times UTC in ISO 8601 with milliseconds.

// Outcomes of a change.
inline constexpr char kOutcomeStarted[] = "started";  // about to write its first location
inline constexpr char kOutcomeDone[] = "done";
inline constexpr char kOutcomePutBack[] = "put-back";          // refused and restored
inline constexpr char kOutcomeHalfChanged[] = "half-changed";  // a mix of old and new, or may be
inline constexpr char kOutcomeNotWritten[] = "not-written";

// What a line is: a change the user asked for, the finish or undo of a
// half-change, a check of the tester that found the half-change settled, or
// the user giving a half-change up (the tester will not come back).
inline constexpr char kActionChange[] = "change";
inline constexpr char kActionFinish[] = "finish";
inline constexpr char kActionUndo[] = "undo";
inline constexpr char kActionCheck[] = "check";
inline constexpr char kActionForget[] = "forget";

// The settings a change sets.
inline constexpr char kSettingVoltage[] = "nominal-voltage";
inline constexpr char kSettingAutoMode[] = "auto-mode";

struct LocationLine {
  int address = 0;
  std::string before;   // hex; empty: none
  std::string written;  // hex; empty: none
  std::string putBack;  // hex; empty: none
  std::string outcome;  // planned, written, put-back, not-written or unknown
};

struct ChangeLine {
  // Names the change; its started line and its final line share it, and a
  // later line names it in `about` to deal with it.
  std::string id;
  std::string time;
  std::string program;  // kavel-setup or kavel-cli
  std::string version;
  std::string computer;
  std::string user;
  std::string port;
  std::string versionText;  // the tester's, as UTF-8
  std::string model;        // TVA-740, DKL-310
  std::string action;       // change, finish, undo, check or forget
  // What was asked as data, for words in any language: the setting and its
  // value before and asked (a repair's, check's or forget's: those of the
  // half-change it deals with).
  std::string setting;
  std::optional<std::int64_t> from;
  std::optional<std::int64_t> to;
  std::string change;    // what was asked, in English words
  std::string about;     // the id of the half-change a repair, check or forget deals with
  bool settles = false;  // this line puts that half-change to rest
  std::vector<LocationLine> locations;
  std::string outcome;
};

// The line as JSON, and as the text of a line without its line end. Text
// that is no UTF-8 (a name the system gave in another encoding) is written
// with U+FFFD in its place.
nlohmann::ordered_json ChangeJson(const ChangeLine& line);
std::string ToJsonLine(const ChangeLine& line);
// The text as a line keeps it: anything that is no UTF-8 as U+FFFD.
std::string AsRecorded(const std::string& text);
// A line read back, or nothing for one that is torn or not ours.
std::optional<ChangeLine> ParseChangeLine(const std::string& text);

// A byte as a technician writes it: 0x3C.
std::string HexByteText(std::int64_t byte);

// Bytes as hexadecimal pairs, and back (nothing for text that is not).
std::string HexText(const std::string& bytes);
std::optional<std::string> BytesOfHex(const std::string& hex);
