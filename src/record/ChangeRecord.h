#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ChangeLine.h"

// The record of changes made to testers: one file per user, JSON Lines,
// appended to and never rewritten. Full at kRecordFileLimit, the file is
// renamed with the next free number (changes.1.jsonl, changes.2.jsonl, ...)
// and a new one begun; no file is ever deleted.
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

  // Every whole line, oldest first, the numbered files before the current.
  std::vector<ChangeLine> Lines() const;
  // The newest line for the port (compared without regard to case).
  std::optional<ChangeLine> LastFor(const std::string& port) const;

 private:
  // The file numbered n; 0 is the current one.
  std::filesystem::path Numbered(int n) const;
  int FilesBefore() const;  // how many numbered files there are

  std::filesystem::path file_;
};
