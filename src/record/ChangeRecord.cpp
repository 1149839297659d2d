#include "ChangeRecord.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "PathText.h"
#include "RecordFileSystem.h"

namespace fs = std::filesystem;

namespace {

// The whole lines of the file, as text: a last line without its end was
// torn (its writer killed) and is left out.
template <class Each>
void ForEachWholeLine(const fs::path& file, Each each) {
  std::ifstream in(file, std::ios::binary);
  std::string text;
  while (std::getline(in, text)) {
    if (in.eof()) break;  // no line end: torn
    each(text);
  }
}

// Every line of ours in the file; anything else is skipped.
std::vector<ChangeLine> ReadLines(const fs::path& file) {
  std::vector<ChangeLine> lines;
  ForEachWholeLine(file, [&](const std::string& text) {
    if (auto line = ParseChangeLine(text)) lines.push_back(std::move(*line));
  });
  return lines;
}

bool EndsWithLineEnd(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  in.seekg(-1, std::ios::end);
  char last = '\n';
  return !in.get(last) || last == '\n';
}

fs::path DefaultRecordFolder() {
  const fs::path folder = UserStateFolder();
  return folder.empty() ? fs::path() : folder / "kavel-setup";
}

}  // namespace

fs::path ChangeRecordPath() {
  const fs::path chosen = PathFromEnvironment(kRecordVariable);
  if (!chosen.empty()) return chosen;
  const fs::path folder = DefaultRecordFolder();
  return folder.empty() ? fs::path() : folder / "changes.jsonl";
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

std::string ChangeRecord::Rotate() const {
  // The new file, pending lines and all, is whole on the disk before it
  // takes the full one's place in one step, the full one keeping its lines
  // under the next number: whenever this is cut short, and whenever another
  // program reads meanwhile, a current file holds every pending line.
  std::string carried;
  std::vector<ChangeLine> pending = Pending();
  std::reverse(pending.begin(), pending.end());
  for (const ChangeLine& line : pending) carried += ToJsonLine(line) + "\n";
  const fs::path next = fs::path(file_) += ".new";
  std::error_code error;
  fs::remove(next, error);
  std::string trouble = AppendFlushed(next, carried);
  if (trouble.empty()) trouble = ReplaceKeepingOld(file_, next, Numbered(FilesBefore() + 1));
  if (!trouble.empty()) {
    fs::remove(next, error);
    return trouble;
  }
  SyncFolder(file_.parent_path());
  return "";
}

std::string ChangeRecord::Append(const ChangeLine& line) const {
  if (file_.empty()) return "no folder for it: neither HOME nor a state folder is set";
  const fs::path folder = file_.parent_path();
  if (!folder.empty()) {
    const std::string trouble = MakeFolder(folder, folder == DefaultRecordFolder());
    if (!trouble.empty()) return trouble;
  }
  const RecordLock lock(fs::path(file_) += ".lock");
  if (!lock.Held()) return lock.Trouble();

  std::error_code error;
  std::uintmax_t size = fs::file_size(file_, error);
  const bool made = error.value() != 0;  // not there yet: this line makes it
  if (made) size = 0;
  // A file that cannot be rotated takes the line all the same.
  if (size >= kRecordFileLimit && Rotate().empty()) size = 0;
  std::string bytes = ToJsonLine(line) + "\n";
  if (size > 0 && !EndsWithLineEnd(file_)) bytes.insert(0, "\n");
  const std::string trouble = AppendFlushed(file_, bytes);
  if (trouble.empty() && made) SyncFolder(folder);
  return trouble;
}

std::vector<ChangeLine> ChangeRecord::Lines() const {
  std::vector<ChangeLine> lines;
  const int files = FilesBefore();
  for (int n = 1; n <= files + 1; ++n) {
    std::vector<ChangeLine> more = ReadLines(Numbered(n <= files ? n : 0));
    lines.insert(lines.end(), std::make_move_iterator(more.begin()),
                 std::make_move_iterator(more.end()));
  }
  return lines;
}

std::vector<ChangeLine> ChangeRecord::Pending() const {
  // Only lines that can start, leave or settle a half-change are parsed:
  // a full file is a few thousand lines, read before every dialog. Such a
  // line names its outcome or the half-change it deals with, or it is the
  // final line of a change whose started line came before, found by the id
  // the record writes first on every line.
  static constexpr std::string_view kIdStart = R"({"id":")";
  std::unordered_set<std::string> open;
  std::vector<ChangeLine> lines;
  ForEachWholeLine(file_, [&](const std::string& text) {
    const auto has = [&](const char* part) { return text.find(part) != std::string::npos; };
    const bool ours = text.compare(0, kIdStart.size(), kIdStart) == 0;
    const std::string id =
        ours ? text.substr(kIdStart.size(), text.find('"', kIdStart.size()) - kIdStart.size()) : "";
    if (ours && !has(kOutcomeStarted) && !has(kOutcomeHalfChanged) && !has("\"about\"") &&
        !open.count(id))
      return;
    std::optional<ChangeLine> line = ParseChangeLine(text);
    if (!line) return;
    if (line->outcome == kOutcomeStarted) {
      open.insert(line->id);
    } else {
      open.erase(line->id);
    }
    lines.push_back(std::move(*line));
  });
  return PendingOf(lines);
}

std::vector<ChangeLine> PendingOf(const std::vector<ChangeLine>& lines) {
  std::vector<ChangeLine> pending;
  const auto settle = [&](const std::string& id) {
    std::erase_if(pending, [&](const ChangeLine& line) { return line.id == id; });
  };
  for (const ChangeLine& line : lines) {
    // One location holds its old bytes or its new: no mix to put right.
    if (line.action == kActionChange && line.locations.size() > 1) {
      const auto same = std::find_if(pending.begin(), pending.end(),
                                     [&](const ChangeLine& p) { return p.id == line.id; });
      if (line.outcome != kOutcomeStarted && line.outcome != kOutcomeHalfChanged) {
        settle(line.id);  // its final line: done, put back or never written
      } else if (same != pending.end()) {
        *same = line;  // its final line, half-changed, or a copy carried on
      } else {
        pending.push_back(line);
      }
    }
    if (line.settles) settle(line.about);
  }
  std::reverse(pending.begin(), pending.end());
  return pending;
}

std::vector<ChangeLine> OnePerChange(const std::vector<ChangeLine>& lines) {
  std::vector<ChangeLine> changes;
  std::unordered_map<std::string, size_t> entry;  // id -> index in changes
  for (const ChangeLine& line : lines) {
    const auto [at, first] = entry.emplace(line.id, changes.size());
    if (first) {
      changes.push_back(line);
    } else if (line.outcome != kOutcomeStarted) {
      changes[at->second] = line;
    }
  }
  for (ChangeLine& change : changes) {
    if (change.outcome == kOutcomeStarted) change.outcome = kOutcomeHalfChanged;
  }
  return changes;
}
