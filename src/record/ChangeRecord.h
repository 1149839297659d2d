#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ChangeLine.h"

// The record of changes made to testers: one file per user, JSON Lines,
// appended to and never rewritten. Full at kRecordFileLimit, the file is
// renamed with the next free number (changes.1.jsonl, the oldest,
// changes.2.jsonl, ...) and a new one begun, which starts with a copy of
// every half-change still pending, so that they are found in the current
// file alone; no file is ever deleted.
inline constexpr std::uintmax_t kRecordFileLimit = 1 << 20;

// Names another record file instead of the user's own (tests, a lab's
// shared folder).
inline constexpr char kRecordVariable[] = "KAVEL_CHANGE_RECORD";

// The record file: the one kRecordVariable names, else changes.jsonl in the
// user's state folder under kavel-setup/ (empty when there is none).
std::filesystem::path ChangeRecordPath();

class ChangeRecord {
 public:
  explicit ChangeRecord(std::filesystem::path file) : file_(std::move(file)) {}

  const std::filesystem::path& File() const { return file_; }

  // Appends the line, flushed to the disk; answers why it could not, or
  // nothing. A torn last line (a writer killed mid-line) is left behind on
  // its own line.
  std::string Append(const ChangeLine& line) const;

  // Every whole line, oldest first: the numbered files in their order, then
  // the current one.
  std::vector<ChangeLine> Lines() const;

  // The changes of two or more locations left half-changed, or started and
  // never ended, that no later line has settled; newest first. Reads the
  // current file alone.
  std::vector<ChangeLine> Pending() const;

 private:
  // The file numbered n; 0 is the current one.
  std::filesystem::path Numbered(int n) const;
  int FilesBefore() const;  // how many numbered files there are
  // Renames the full current file with the next number and begins a new one
  // with the pending lines; answers why it could not, or nothing.
  std::string Rotate() const;

  std::filesystem::path file_;
};

// The changes the lines leave pending, newest first.
std::vector<ChangeLine> PendingOf(const std::vector<ChangeLine>& lines);

// One entry per change, oldest first: its final line, or its started line
// shown as half-changed when the final one never came.
std::vector<ChangeLine> OnePerChange(const std::vector<ChangeLine>& lines);
