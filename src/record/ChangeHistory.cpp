#include "ChangeHistory.h"

#include <charconv>
#include <cstdio>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "ChangeRecord.h"
#include "RegionalFormat.h"

std::vector<ChangeEntry> ChangeEntries(const std::vector<ChangeLine>& lines) {
  std::vector<ChangeEntry> entries;
  std::unordered_map<std::string, size_t> entryOf;  // a line's id -> its entry
  for (const ChangeLine& line : lines) {
    auto at = entryOf.find(line.id);
    // A repair's lines, a check and a give-up go under the change they name.
    if (at == entryOf.end() && !line.about.empty()) {
      at = entryOf.find(line.about);
      if (at != entryOf.end()) at = entryOf.emplace(line.id, at->second).first;
    }
    if (at == entryOf.end()) {
      at = entryOf.emplace(line.id, entries.size()).first;
      entries.push_back({line, {}, -1, false});
    }
    ChangeEntry& entry = entries[at->second];
    // The copy of a pending line that a new file begins with is no new line.
    bool copy = false;
    for (const ChangeLine& earlier : entry.lines)
      copy = copy || (earlier.id == line.id && earlier.time == line.time &&
                      earlier.outcome == line.outcome);
    if (copy) continue;
    entry.lines.push_back(line);
    if (line.id == entry.change.id && line.outcome != kOutcomeStarted) entry.change = line;
    if (line.settles && line.about == entry.change.id && entry.settledBy < 0)
      entry.settledBy = static_cast<int>(entry.lines.size()) - 1;
  }
  std::unordered_set<std::string> pending;
  for (const ChangeLine& line : PendingOf(lines)) pending.insert(line.id);
  for (ChangeEntry& entry : entries) {
    entry.pending = pending.count(entry.change.id) > 0;
    if (entry.change.outcome == kOutcomeStarted) entry.change.outcome = kOutcomeHalfChanged;
  }
  return entries;
}

namespace {

std::string Joined(const std::vector<std::string>& parts, const std::string& pattern) {
  std::string joined;
  for (const std::string& part : parts) joined = joined.empty() ? part : Filled(pattern, {joined, part});
  return joined;
}

// The record's own word for an outcome, in words.
std::string OutcomeWord(const std::string& outcome, const HistoryWords& words) {
  if (outcome == kOutcomeDone) return words.done;
  if (outcome == kOutcomePutBack) return words.putBack;
  if (outcome == kOutcomeNotWritten) return words.notWritten;
  if (outcome == kOutcomeStarted) return words.started;
  return words.halfChanged;
}

std::string ActionWord(const std::string& action, const HistoryWords& words) {
  if (action == kActionFinish) return words.finish;
  if (action == kActionUndo) return words.undo;
  if (action == kActionCheck) return words.check;
  if (action == kActionForget) return words.forget;
  return words.change;
}

// How the change came out, and how and when its half-change was settled.
std::string OutcomeText(const ChangeEntry& entry, const HistoryWords& words) {
  const ChangeLine& change = entry.change;
  std::string word = OutcomeWord(change.outcome, words);
  // A line whose change is in no file read: it tells its own part.
  if (change.action == kActionForget) word = words.givenUp;
  if ((change.action == kActionFinish || change.action == kActionUndo) && change.settles)
    word = words.repaired;
  if (entry.pending) return Filled(words.pending, {word});
  if (entry.settledBy < 0) return word;
  const ChangeLine& settling = entry.lines[static_cast<size_t>(entry.settledBy)];
  const std::string* pattern = &words.givenUpAt;
  if (settling.action == kActionFinish) pattern = &words.finishedAt;
  if (settling.action == kActionUndo) pattern = &words.undoneAt;
  if (settling.action == kActionCheck) {
    // The check keeps the bytes it found where the change keeps its own.
    bool took = settling.locations.size() == change.locations.size();
    for (size_t i = 0; took && i < change.locations.size(); ++i)
      took = settling.locations[i].before == change.locations[i].written;
    pattern = took ? &words.tookAt : &words.didNotTakeAt;
  }
  return Filled(*pattern, {word, LocalTimeText(settling.time, false)});
}

std::string TesterName(const ChangeLine& line) {
  // The version text names the model itself, as testers send it.
  if (line.versionText.compare(0, line.model.size(), line.model) == 0) return line.versionText;
  return line.versionText.empty() ? line.model : line.model + " " + line.versionText;
}

int Number(std::string_view text, size_t at, size_t digits) {
  int value = -1;
  if (at + digits > text.size()) return -1;
  const auto [end, error] = std::from_chars(text.data() + at, text.data() + at + digits, value);
  return error == std::errc() && end == text.data() + at + digits ? value : -1;
}

}  // namespace

std::string SettingText(const ChangeLine& line, const HistoryWords& words) {
  if (!line.from || !line.to) return line.change;
  if (line.setting == kSettingVoltage)
    return Filled(words.voltage, {std::to_string(*line.from), std::to_string(*line.to)});
  if (line.setting != kSettingAutoMode) return line.change;
  const std::string bytes = Filled(words.autoMode, {HexByteText(*line.from), HexByteText(*line.to)});
  std::vector<std::string> switched;
  for (size_t bit = 0; bit < words.measurements.size(); ++bit) {
    const bool before = (*line.from >> bit) & 1;
    const bool after = (*line.to >> bit) & 1;
    if (before != after)
      switched.push_back(Filled(after ? words.switchedOn : words.switchedOff, {words.measurements[bit]}));
  }
  return switched.empty() ? bytes : Filled(words.autoModeParts, {bytes, Joined(switched, words.list)});
}

std::string HistoryCell(const ChangeEntry& entry, HistoryColumn column, const HistoryWords& words) {
  const ChangeLine& line = entry.change;
  switch (column) {
    case HistoryColumn::LocalTime: return LocalTimeText(line.time);
    case HistoryColumn::UtcTime: return line.time;
    case HistoryColumn::Program: return line.version.empty() ? line.program : line.program + " " + line.version;
    case HistoryColumn::ComputerUser:
      if (line.computer.empty() && line.user.empty()) return "";
      return Filled(words.computerUser, {line.computer, line.user});
    case HistoryColumn::Port: return line.port;
    case HistoryColumn::Tester: return TesterName(line);
    case HistoryColumn::Setting: return SettingText(line, words);
    case HistoryColumn::Outcome: return OutcomeText(entry, words);
  }
  return "";
}

std::string EntryDetails(const ChangeEntry& entry, const HistoryWords& words,
                         const HalfChangeWords& locationWords) {
  static const char* const kLocationOutcomes[] = {"planned", "written", "put-back", "not-written",
                                                  "unknown"};
  std::string details;
  const auto bytes = [&](const std::string& hex) { return hex.empty() ? words.none : hex; };
  for (const ChangeLine& line : entry.lines) {
    details += Filled(words.detailLine,
                      {LocalTimeText(line.time), ActionWord(line.action, words),
                       SettingText(line, words), OutcomeWord(line.outcome, words), line.program,
                       line.version, line.computer, line.user, line.port}) +
               "\n";
    for (const LocationLine& location : line.locations) {
      std::string outcome = location.outcome;
      for (size_t i = 0; i < words.locationOutcomes.size() && i < std::size(kLocationOutcomes); ++i)
        if (location.outcome == kLocationOutcomes[i]) outcome = words.locationOutcomes[i];
      details += Filled(words.location, {LocationName(line.model, location.address, locationWords),
                                         std::to_string(location.address), bytes(location.before),
                                         bytes(location.written), bytes(location.putBack), outcome}) +
                 "\n";
    }
  }
  return details;
}

std::string LocalTimeText(const std::string& utc, bool seconds) {
  // 2026-12-07T18:40:01: digits at known places, whatever the locale.
  const CivilTime time{Number(utc, 0, 4), Number(utc, 5, 2),  Number(utc, 8, 2),
                       Number(utc, 11, 2), Number(utc, 14, 2), Number(utc, 17, 2)};
  if (time.year < 0 || time.month < 1 || time.day < 1 || time.hour < 0 || time.minute < 0 ||
      time.second < 0 || utc[4] != '-' || utc[7] != '-' || utc[10] != 'T' || utc[13] != ':')
    return utc;
  const CivilTime local = LocalOfUtc(time);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.year, local.month,
                local.day, local.hour, local.minute, local.second);
  return std::string(text, seconds ? 19 : 16);
}

std::string CsvText(const std::vector<std::vector<std::string>>& rows,
                    const std::string& separator) {
  std::string csv = "\xEF\xBB\xBF";
  for (const std::vector<std::string>& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      std::string cell = row[i];
      // A spreadsheet runs a cell that starts so as a formula.
      if (!cell.empty() && std::string_view("=+-@\t\r").find(cell[0]) != std::string_view::npos)
        cell.insert(0, "'");
      if (cell.find(separator) != std::string::npos ||
          cell.find_first_of("\"\r\n") != std::string::npos) {
        std::string quoted = "\"";
        for (char c : cell) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        cell = quoted + "\"";
      }
      csv += (i ? separator : "") + cell;
    }
    csv += "\r\n";
  }
  return csv;
}

std::vector<std::vector<std::string>> HistoryTable(const std::vector<const ChangeEntry*>& entries,
                                                   const HistoryWords& words) {
  std::vector<std::vector<std::string>> table{words.headers};
  for (const ChangeEntry* entry : entries) {
    std::vector<std::string>& row = table.emplace_back();
    for (HistoryColumn column : kHistoryColumns) row.push_back(HistoryCell(*entry, column, words));
  }
  return table;
}
