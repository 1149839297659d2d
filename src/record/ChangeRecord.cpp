#include "ChangeRecord.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "PathText.h"
#include "ProgramFile.h"
#include "RecordFileSystem.h"
#include "RecordTrouble.h"

namespace fs = std::filesystem;

namespace {

// The whole lines of the text: a last line without its end was torn (its
// writer killed) and is left out.
template <class Each>
void ForEachWholeLine(std::string_view text, Each each) {
  for (size_t end; (end = text.find('\n')) != std::string_view::npos;
       text.remove_prefix(end + 1))
    each(text.substr(0, end));
}

// Every line of ours in the text; anything else is skipped.
void ReadLines(std::string_view text, std::vector<ChangeLine>& lines) {
  ForEachWholeLine(text, [&](std::string_view whole) {
    if (auto line = ParseChangeLine(std::string(whole))) lines.push_back(std::move(*line));
  });
}

// The lines of the texts that bear on a half-change, read in turn.
std::vector<ChangeLine> PendingIn(const std::vector<std::string>& texts) {
  // Only lines that can start, leave or settle a half-change are parsed:
  // a full file is a few thousand lines, read before every dialog. Such a
  // line names its outcome or the half-change it deals with, or it is the
  // final line of a change whose started line came before, found by the id
  // the record writes first on every line.
  static constexpr std::string_view kIdStart = R"({"id":")";
  std::unordered_set<std::string_view> open;
  std::vector<ChangeLine> lines;
  for (const std::string& text : texts) {
    ForEachWholeLine(text, [&](std::string_view whole) {
      const auto has = [&](std::string_view part) {
        return whole.find(part) != std::string_view::npos;
      };
      const bool ours = whole.substr(0, kIdStart.size()) == kIdStart;
      const std::string_view id =
          ours ? whole.substr(kIdStart.size(), whole.find('"', kIdStart.size()) - kIdStart.size())
               : std::string_view();
      if (ours && !has(kOutcomeStarted) && !has(kOutcomeHalfChanged) && !has("\"about\"") &&
          !open.count(id))
        return;
      std::optional<ChangeLine> line = ParseChangeLine(std::string(whole));
      if (!line) return;
      if (line->outcome == kOutcomeStarted) {
        open.insert(id);
      } else {
        open.erase(id);
      }
      lines.push_back(std::move(*line));
    });
  }
  return PendingOf(lines);
}

bool EndsWithLineEnd(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  in.seekg(-1, std::ios::end);
  char last = '\n';
  return !in.get(last) || last == '\n';
}

std::string CarriedText(std::vector<ChangeLine> pending) {
  std::reverse(pending.begin(), pending.end());
  std::string text;
  for (const ChangeLine& line : pending) text += ToJsonLine(line) + "\n";
  return text;
}

fs::path UserRecordFolder() {
  const fs::path folder = UserStateFolder();
  return folder.empty() ? fs::path() : folder / "kavel-setup";
}

constexpr char kRecordName[] = "changes.jsonl";

fs::path AllUsersRecordPath() {
  static const bool installed = InstalledProgram(RunningProgram());
  std::error_code error;
  if (!installed || !fs::is_directory(AllUsersRecordFolder(), error)) return {};
  return AllUsersRecordFolder() / kRecordName;
}

}  // namespace

fs::path UserChangeRecordPath() {
  const fs::path folder = UserRecordFolder();
  return folder.empty() ? fs::path() : folder / kRecordName;
}

fs::path ChangeRecordPath() {
  const fs::path chosen = PathFromEnvironment(kRecordVariable);
  if (!chosen.empty()) return chosen;
  const fs::path allUsers = AllUsersRecordPath();
  return allUsers.empty() ? UserChangeRecordPath() : allUsers;
}

fs::path EarlierUserRecordPath() {
  const fs::path inUse = ChangeRecordPath();
  return !inUse.empty() && inUse == AllUsersRecordPath() ? UserChangeRecordPath() : fs::path();
}

std::string CarryUserRecordOver() {
  const fs::path own = EarlierUserRecordPath();
  if (own.empty()) return "";
  // Beside the user's own record, which no other user writes.
  const fs::path carried = fs::path(own) += ".carried";
  std::error_code error;
  if (fs::exists(carried, error) || !fs::exists(own, error)) return "";
  try {
    const ChangeRecord record(ChangeRecordPath());
    std::vector<ChangeLine> pending = ChangeRecord(own).Pending();
    std::reverse(pending.begin(), pending.end());
    for (const ChangeLine& line : pending) {
      // Carried twice (a run ended before the mark) they are still one change.
      const std::string trouble = record.Append(line);
      if (!trouble.empty()) return trouble;
    }
  } catch (const RecordUnreadable& unreadable) {
    return unreadable.what();
  }
  return AppendFlushed(carried, Utf8Of(ChangeRecordPath()) + "\n", false);
}

fs::path ChangeRecord::Numbered(long n) const {
  if (n == 0) return file_;
  fs::path name = file_.stem();
  name += "." + std::to_string(n);
  name += file_.extension();
  return fs::path(file_).replace_filename(name);
}

fs::path ChangeRecord::NewFile() const { return fs::path(file_) += ".new"; }

bool ChangeRecord::Shared() const { return file_.parent_path() != UserRecordFolder(); }

std::vector<ChangeRecord::NumberedFile> ChangeRecord::NumberedFiles() const {
  const fs::path folder = file_.parent_path().empty() ? fs::path(".") : file_.parent_path();
  const fs::path::string_type stem = file_.stem().native() + fs::path::value_type('.');
  const fs::path::string_type extension = file_.extension().native();
  std::vector<NumberedFile> files;
  std::error_code error;
  fs::directory_iterator entry(folder, error);
  if (error == std::errc::no_such_file_or_directory || error == std::errc::not_a_directory)
    return files;
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    const fs::path::string_type name = entry->path().filename().native();
    if (name.size() <= stem.size() + extension.size() || name.compare(0, stem.size(), stem) != 0 ||
        name.compare(name.size() - extension.size(), extension.size(), extension) != 0)
      continue;
    long number = 0;
    const size_t digits = name.size() - stem.size() - extension.size();
    for (size_t i = stem.size(); i < stem.size() + digits && number >= 0; ++i)
      number = name[i] >= '0' && name[i] <= '9' && digits <= 9 ? number * 10 + (name[i] - '0') : -1;
    if (number > 0) files.push_back({number, entry->path()});
  }
  if (error) throw RecordUnreadable(folder, error.message());
  std::sort(files.begin(), files.end(),
            [](const NumberedFile& a, const NumberedFile& b) { return a.number < b.number; });
  return files;
}

std::string ChangeRecord::Text(const fs::path& file) const {
  FileContent content = ReadWholeFile(file);
  if (!content.trouble.empty()) throw RecordUnreadable(file, content.trouble);
  return std::move(content.text);
}

std::vector<std::string> ChangeRecord::CurrentTexts() const {
  FileContent current = ReadWholeFile(file_);
  if (!current.trouble.empty()) throw RecordUnreadable(file_, current.trouble);
  if (!current.missing) return {std::move(current.text)};
  // A rotation cut short between its names (or the file deleted): the full
  // file under its number holds every pending line, and a new file made
  // meanwhile copies of them.
  const std::vector<NumberedFile> numbered = NumberedFiles();
  if (numbered.empty()) return {};
  return {Text(numbered.back().path), Text(NewFile())};
}

std::string ChangeRecord::Begin(const std::string& lines, bool keepOld) const {
  // The new file, pending lines and all, is whole on the disk before it
  // takes the full one's place in one step, the full one keeping its lines
  // under the next number: whenever this is cut short, and whenever another
  // program reads meanwhile, a current file (or the numbered one, with the
  // new one beside it) holds every pending line.
  const fs::path next = NewFile();
  std::error_code error;
  fs::remove(next, error);
  std::string trouble = AppendFlushed(next, lines, Shared());
  fs::path kept;
  if (trouble.empty() && keepOld) {
    const std::vector<NumberedFile> numbered = NumberedFiles();
    kept = Numbered(numbered.empty() ? 1 : numbered.back().number + 1);
    trouble = KeepUnder(file_, kept);
    if (!trouble.empty()) kept.clear();
  }
  if (trouble.empty()) trouble = MoveOver(next, file_);
  if (trouble.empty()) return "";
  if (!kept.empty()) fs::remove(kept, error);
  fs::remove(next, error);
  return trouble;
}

std::string ChangeRecord::Rotate() const {
  try {
    return Begin(CarriedText(PendingIn({Text(file_)})), true);
  } catch (const RecordUnreadable& unreadable) {
    return unreadable.what();
  }
}

std::string ChangeRecord::Recover() const {
  std::error_code error;
  const bool current = fs::exists(file_, error);
  if (current && !fs::exists(NewFile(), error)) return "";
  try {
    const std::vector<NumberedFile> numbered = NumberedFiles();
    if (!current) {
      // The new file may be torn: the pending lines are made anew from the
      // full one and it.
      if (numbered.empty()) return "";
      return Begin(CarriedText(PendingIn(CurrentTexts())), false);
    }
    // Cut short after the full file got its number: the new one was whole
    // by then, and finishing the rotation is all there is to do. Before
    // that, the current file holds everything the new one would.
    if (!numbered.empty() && FileIdentity(numbered.back().path) == FileIdentity(file_))
      return MoveOver(NewFile(), file_);
  } catch (const RecordUnreadable& unreadable) {
    return unreadable.what();
  }
  fs::remove(NewFile(), error);
  return "";
}

std::string ChangeRecord::Append(const ChangeLine& line, std::string* rotationTrouble) const {
  if (file_.empty()) return "no folder for it: neither HOME nor a state folder is set";
  const fs::path folder = file_.parent_path();
  if (!folder.empty()) {
    const std::string trouble = MakeFolder(folder, !Shared());
    if (!trouble.empty()) return trouble;
  }
  const RecordLock lock(fs::path(file_) += ".lock", Shared());
  if (!lock.Held()) return lock.Trouble();
  // A line appended to a current file begun without the pending lines would
  // hide them: nothing is appended until the rotation is put right.
  const std::string recovery = Recover();
  std::error_code error;
  if (!recovery.empty() && !fs::exists(file_, error)) return recovery;

  std::uintmax_t size = fs::file_size(file_, error);
  const bool made = error.value() != 0;  // not there yet: this line makes it
  if (made) size = 0;
  if (size >= kRecordFileLimit) {
    // A file that cannot be rotated takes the line all the same.
    const std::string rotation = Rotate();
    if (rotation.empty()) size = 0;
    if (rotationTrouble) *rotationTrouble = rotation;
  }
  std::string bytes = ToJsonLine(line) + "\n";
  if (size > 0 && !EndsWithLineEnd(file_)) bytes.insert(0, "\n");
  const std::string trouble = AppendFlushed(file_, bytes, Shared());
  if (trouble.empty() && made) SyncFolder(folder);
  return trouble;
}

std::vector<ChangeLine> ChangeRecord::Lines() const {
  std::vector<ChangeLine> lines;
  std::unordered_set<std::string> read;
  const auto readOnce = [&](const fs::path& file) {
    const std::string identity = FileIdentity(file);
    if (identity.empty() || read.insert(identity).second) ReadLines(Text(file), lines);
  };
  for (const NumberedFile& numbered : NumberedFiles()) readOnce(numbered.path);
  readOnce(file_);
  return lines;
}

std::vector<ChangeLine> ChangeRecord::Pending() const { return PendingIn(CurrentTexts()); }

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
