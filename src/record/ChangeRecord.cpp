#include "ChangeRecord.h"

#include <algorithm>
#include <fstream>

#include "PathText.h"
#include "PortNames.h"
#include "RecordFileSystem.h"

namespace fs = std::filesystem;

namespace {

// Whole lines only: a last line without its end was torn and is skipped,
// as is anything that is no line of ours.
std::vector<ChangeLine> ReadLines(const fs::path& file) {
  std::vector<ChangeLine> lines;
  std::ifstream in(file, std::ios::binary);
  std::string text;
  while (std::getline(in, text)) {
    if (in.eof()) break;  // no line end: torn
    if (auto line = ParseChangeLine(text)) lines.push_back(std::move(*line));
  }
  return lines;
}

bool EndsWithLineEnd(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  in.seekg(-1, std::ios::end);
  char last = '\n';
  return !in.get(last) || last == '\n';
}

}  // namespace

fs::path ChangeRecordPath() {
  const fs::path chosen = PathFromEnvironment(kRecordVariable);
  if (!chosen.empty()) return chosen;
  const fs::path folder = UserStateFolder();
  return folder.empty() ? fs::path() : folder / "kavel-setup" / "changes.jsonl";
}

fs::path ChangeRecord::Numbered(int n) const {
  if (n == 0) return file_;
  fs::path name = file_.stem();
  name += "." + std::to_string(n);
  name += file_.extension();
  return fs::path(file_).replace_filename(name);
}

int ChangeRecord::FilesBefore() const {
  int n = 0;
  std::error_code error;
  while (fs::exists(Numbered(n + 1), error)) ++n;
  return n;
}

std::string ChangeRecord::Append(const ChangeLine& line) const {
  if (file_.empty()) return "no folder for it: neither HOME nor a state folder is set";
  std::error_code error;
  fs::create_directories(file_.parent_path(), error);
  if (error)
    return "cannot make the folder " + Utf8Of(file_.parent_path()) + ": " + error.message();
  const RecordLock lock(fs::path(file_) += ".lock");
  if (!lock.Held()) return lock.Trouble();

  std::uintmax_t size = fs::file_size(file_, error);
  if (error) size = 0;  // not there yet
  if (size >= kRecordFileLimit) {
    fs::rename(file_, Numbered(FilesBefore() + 1), error);
    // A file that cannot be renamed takes the line all the same.
    if (!error) size = 0;
  }
  std::string bytes = ToJsonLine(line) + "\n";
  if (size > 0 && !EndsWithLineEnd(file_)) bytes.insert(0, "\n");
  return AppendFlushed(file_, bytes);
}

std::vector<ChangeLine> ChangeRecord::Lines() const {
  std::vector<ChangeLine> lines;
  for (int n = FilesBefore(); n >= 0; --n) {
    std::vector<ChangeLine> more = ReadLines(Numbered(n));
    lines.insert(lines.end(), std::make_move_iterator(more.begin()),
                 std::make_move_iterator(more.end()));
  }
  return lines;
}

std::optional<ChangeLine> ChangeRecord::LastFor(const std::string& port) const {
  // Newest file first: the older ones are read only while none has the port.
  std::vector<int> newestFirst{0};
  for (int n = FilesBefore(); n >= 1; --n) newestFirst.push_back(n);
  for (int n : newestFirst) {
    const std::vector<ChangeLine> lines = ReadLines(Numbered(n));
    const auto found = std::find_if(lines.rbegin(), lines.rend(), [&](const ChangeLine& line) {
      return UpperCasePortName(line.port) == UpperCasePortName(port);
    });
    if (found != lines.rend()) return *found;
  }
  return std::nullopt;
}
