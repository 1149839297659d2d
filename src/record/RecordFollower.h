#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "ChangeLine.h"

// Follows the record of changes while a window shows it: every whole line,
// oldest first, as ChangeRecord::Lines() reads them; a later reading reads
// only what was appended to the current file since, and the whole record
// again only when the file was rotated or replaced.
class RecordFollower {
 public:
  explicit RecordFollower(std::filesystem::path file) : file_(std::move(file)) {}

  // Reads what is new; true when the lines changed. Reading the whole
  // record, it first hands the lines at the current file's end, the newest,
  // to newest, so that they can show before the rest is read.
  bool Read(const std::function<void(const std::vector<ChangeLine>&)>& newest = {});
  const std::vector<ChangeLine>& Lines() const { return lines_; }

 private:
  std::filesystem::path file_;
  std::vector<ChangeLine> lines_;
  size_t older_ = 0;           // how many of the lines the numbered files hold
  int numbered_ = -1;          // how many numbered files there were
  std::uintmax_t offset_ = 0;  // the bytes of the current file read
};
