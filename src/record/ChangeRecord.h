#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ChangeLine.h"

// The record of changes made to testers: one file for the computer (the
// installed programs') or for the user, JSON Lines, appended to and never
// rewritten. Full at kRecordFileLimit, the file is kept under the next
// number (changes.1.jsonl, the oldest, changes.2.jsonl, ...) and a new one
// begun, which starts with a copy of every half-change still pending, so
// that they are found in the current file alone; no file is ever deleted.
// A record that is there but cannot be read raises RecordUnreadable
// (RecordTrouble.h) wherever it is read: what it holds pending is unknown.
inline constexpr std::uintmax_t kRecordFileLimit = 1 << 20;

// Names another record file instead of the user's own (tests, a lab's
// shared folder).
inline constexpr char kRecordVariable[] = "KAVEL_CHANGE_RECORD";

// The record file: the one kRecordVariable names; else, for a program
// installed for the computer, changes.jsonl in AllUsersRecordFolder() when
// that folder is there; else the user's own (empty when there is none).
std::filesystem::path ChangeRecordPath();

// The user's own record: changes.jsonl in the user's state folder under
// kavel-setup/ (empty when there is none).
std::filesystem::path UserChangeRecordPath();

// The user's own record when the record in use is the computer's, which it
// took over from: the history reads it too. Empty otherwise.
std::filesystem::path EarlierUserRecordPath();

// Once for each user, at the first start of an installed program: the
// half-changes pending in the user's own record are carried into the
// computer's, so that none is lost with the move. Answers why they could
// not be (tried again at the next start), or nothing.
std::string CarryUserRecordOver();

class ChangeRecord {
 public:
  explicit ChangeRecord(std::filesystem::path file) : file_(std::move(file)) {}

  const std::filesystem::path& File() const { return file_; }

  // Appends the line, flushed to the disk; answers why it could not, or
  // nothing. A torn last line (a writer killed mid-line) is left behind on
  // its own line. A full file that cannot be begun anew takes the line all
  // the same, and rotationTrouble, when given, gets why.
  std::string Append(const ChangeLine& line, std::string* rotationTrouble = nullptr) const;

  // Every whole line, oldest first: the numbered files in number order
  // (one file under two numbers once), then the current one.
  std::vector<ChangeLine> Lines() const;

  // The changes of two or more locations left half-changed, or started and
  // never ended, that no later line has settled; newest first. Reads the
  // current file alone (or, where a rotation was cut short and left none,
  // the files that stand for it); takes no lock and needs no write access.
  std::vector<ChangeLine> Pending() const;

 private:
  struct NumberedFile {
    long number;
    std::filesystem::path path;
  };
  // The file numbered n; 0 is the current one.
  std::filesystem::path Numbered(long n) const;
  std::filesystem::path NewFile() const;  // the next current file, while it is made
  std::vector<NumberedFile> NumberedFiles() const;  // in number order
  std::string Text(const std::filesystem::path& file) const;  // "" when missing
  // The current file's text, or, where there is none, those that stand for it.
  std::vector<std::string> CurrentTexts() const;
  bool Shared() const;  // not the user's own private folder
  // Under the lock: a rotation cut short put right, so that the current file
  // holds every pending line; answers why it could not, or nothing.
  std::string Recover() const;
  // Keeps the full current file under the next number and begins a new one
  // with the pending lines; answers why it could not, or nothing.
  std::string Rotate() const;
  // Puts a new current file with the lines in place in one step, the old
  // one kept under the next number when keepOld.
  std::string Begin(const std::string& lines, bool keepOld) const;

  std::filesystem::path file_;
};

// The changes the lines leave pending, newest first.
std::vector<ChangeLine> PendingOf(const std::vector<ChangeLine>& lines);

// One entry per change, oldest first: its final line, or its started line
// shown as half-changed when the final one never came.
std::vector<ChangeLine> OnePerChange(const std::vector<ChangeLine>& lines);
