#include "RecordFollower.h"

#include <fstream>
#include <algorithm>
#include <string>

namespace fs = std::filesystem;

namespace {

// The newest lines are read first from this many bytes at the end of the
// current file: a window's worth of changes.
constexpr std::uintmax_t kNewestBytes = 64 * 1024;

// The lines of ours in the bytes of a file from offset on, up to the last
// line end (a line without one is still being written, or was torn); answers
// how many bytes it took.
std::uintmax_t ReadFrom(const fs::path& file, std::uintmax_t offset, std::vector<ChangeLine>& lines) {
  std::ifstream in(file, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  std::uintmax_t taken = 0;
  std::string text;
  while (std::getline(in, text) && !in.eof()) {
    taken += text.size() + 1;
    if (auto line = ParseChangeLine(text)) lines.push_back(std::move(*line));
  }
  return taken;
}

}  // namespace

bool RecordFollower::Read(const std::function<void(const std::vector<ChangeLine>&)>& newest) {
  // changes.1.jsonl, changes.2.jsonl, ... beside changes.jsonl, as the record
  // names the full files it rotated.
  const auto numbered = [&](int n) {
    return fs::path(file_).replace_filename(file_.stem().string() + "." + std::to_string(n) +
                                            file_.extension().string());
  };
  std::error_code error;
  int files = 0;
  while (fs::exists(numbered(files + 1), error)) ++files;
  std::uintmax_t size = fs::file_size(file_, error);
  if (error) size = 0;
  bool changed = false;
  if (files != numbered_) {
    if (newest && (files > 0 || size > kNewestBytes)) {
      // From the first line that begins in those bytes: the byte before
      // them ends the line begun earlier.
      const std::uintmax_t start = size - std::min(size, kNewestBytes);
      std::ifstream in(file_, std::ios::binary);
      in.seekg(static_cast<std::streamoff>(start > 0 ? start - 1 : 0));
      std::string begunEarlier;
      if (start > 0) std::getline(in, begunEarlier);
      std::vector<ChangeLine> last;
      if (in) ReadFrom(file_, start > 0 ? static_cast<std::uintmax_t>(in.tellg()) : 0, last);
      newest(last);
    }
    lines_.clear();
    for (int n = 1; n <= files; ++n) ReadFrom(numbered(n), 0, lines_);
    older_ = lines_.size();
    numbered_ = files;
    offset_ = 0;
    changed = true;
  } else if (size < offset_) {
    lines_.resize(older_);
    offset_ = 0;
    changed = true;
  }
  if (size > offset_) {
    const size_t before = lines_.size();
    offset_ += ReadFrom(file_, offset_, lines_);
    changed = changed || lines_.size() != before;
  }
  return changed;
}
