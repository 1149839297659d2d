#pragma once

#include <string>
#include <vector>

#include "ChangeLine.h"
#include "HalfChange.h"

// The record of changes as a quality file lists it: one entry per change
// the user asked for, newest last as written (computers' clocks differ, so
// the order written is the order of events), with the lines that dealt
// with it afterwards (its repair, the check that found it settled, the user
// giving it up) under it rather than beside it. The program's window and
// kavel-cli's CSV show the same columns, made here.

struct ChangeEntry {
  ChangeLine change;  // its final line; its started line, shown half-changed, when none came
  std::vector<ChangeLine> lines;  // every line of it and about it, as written
  int settledBy = -1;             // the line in lines that put its half-change to rest; -1: none
  bool pending = false;           // a half-change that no line has settled yet
};

// One entry per change, in the order their first lines were written. A
// line about a change that the lines do not hold is an entry of its own.
std::vector<ChangeEntry> ChangeEntries(const std::vector<ChangeLine>& lines);

// The columns, in the order both the window and the CSV show them.
enum class HistoryColumn { LocalTime, UtcTime, Program, ComputerUser, Port, Tester, Setting, Outcome };
inline constexpr HistoryColumn kHistoryColumns[] = {
    HistoryColumn::LocalTime, HistoryColumn::UtcTime, HistoryColumn::Program,
    HistoryColumn::ComputerUser, HistoryColumn::Port, HistoryColumn::Tester,
    HistoryColumn::Setting, HistoryColumn::Outcome};
inline constexpr int kHistoryColumnCount = sizeof kHistoryColumns / sizeof kHistoryColumns[0];

// The words the entries are told in: English as they stand here (kavel-cli),
// the window's own translation in the program. A pattern takes its values
// for %1, %2, ... in order.
struct HistoryWords {
  std::vector<std::string> headers = {"Time",      "Time (UTC)", "Program", "Computer and user",
                                      "Port",      "Tester",     "Setting", "Outcome"};
  std::string computerUser = "%1 / %2";
  std::string voltage = "nominal voltage %1 V \xE2\x86\x92 %2 V";
  std::string autoMode = "AUTO mode: %1 \xE2\x86\x92 %2";
  std::string autoModeParts = "%1 (%2)";  // the bytes, then what they switch on and off
  std::string switchedOn = "+%1";
  std::string switchedOff = "\xE2\x88\x92%1";
  std::string list = "%1, %2";
  // The AUTO-mode byte's measurements, bit 0 first.
  std::vector<std::string> measurements = {
      "trip time 0.5\xC3\x97I\xCE\x94n positive", "trip time 0.5\xC3\x97I\xCE\x94n negative",
      "trip time 1\xC3\x97I\xCE\x94n positive",   "trip time 1\xC3\x97I\xCE\x94n negative",
      "trip time 5\xC3\x97I\xCE\x94n positive",   "trip time 5\xC3\x97I\xCE\x94n negative",
      "trip current I\xCE\x94 positive",          "trip current I\xCE\x94 negative"};
  std::string done = "done";
  std::string putBack = "put back";
  std::string halfChanged = "half-changed";
  std::string notWritten = "not written";
  std::string repaired = "repaired";
  std::string givenUp = "given up";
  std::string pending = "%1, not yet put right";
  std::string finishedAt = "%1; finished %2";
  std::string undoneAt = "%1; undone %2";
  std::string tookAt = "%1; found to have taken %2";
  std::string didNotTakeAt = "%1; found not to have taken %2";
  std::string givenUpAt = "%1; given up %2";
  // The details: a line per line of the record, then its locations.
  std::string detailLine = "%1  %2, %3: %4 (%5 %6, %7 / %8, %9)";
  std::string started = "started";
  std::string change = "change";
  std::string finish = "finish";
  std::string undo = "undo";
  std::string check = "check";
  std::string forget = "give-up";
  std::string location = "    %1 (EEPROM %2): before %3, written %4, put back %5: %6";
  std::string none = "\xE2\x80\x94";
  // A location's outcome: planned, written, put-back, not-written, unknown.
  std::vector<std::string> locationOutcomes = {"planned", "written", "put back", "not written",
                                               "unknown"};
};

// The text of the entry's column.
std::string HistoryCell(const ChangeEntry& entry, HistoryColumn column, const HistoryWords& words);
// The setting with its values, or what the line names when it has no data.
std::string SettingText(const ChangeLine& line, const HistoryWords& words);
// Every line of the entry, one after another, with its locations' bytes.
std::string EntryDetails(const ChangeEntry& entry, const HistoryWords& words,
                         const HalfChangeWords& locationWords = {});

// "2026-12-07T18:40:01.123Z" as the user's clock showed it then,
// "2026-12-07 19:40:01"; seconds: false leaves them out. A text that is no
// such time is given back as it stands.
std::string LocalTimeText(const std::string& utc, bool seconds = true);

// The rows as CSV that a spreadsheet opens as it is: UTF-8 with a byte-order
// mark, CRLF line ends, the separator given; a cell holding the separator, a
// quote or a line end quoted, and one a spreadsheet would take for a
// formula (= + - @ first) led by an apostrophe.
std::string CsvText(const std::vector<std::vector<std::string>>& rows,
                    const std::string& separator);
// The header and a row per entry, in the entries' order.
std::vector<std::vector<std::string>> HistoryTable(const std::vector<const ChangeEntry*>& entries,
                                                   const HistoryWords& words);
