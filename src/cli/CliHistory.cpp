#include "CliHistory.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "ChangeHistory.h"
#include "ChangeRecord.h"
#include "CliBinaryOutput.h"
#include "PathText.h"
#include "PortNames.h"
#include "RegionalFormat.h"

namespace {

// A cell of the table: control characters, which would act on the terminal
// (a name with an escape sequence in it), show as "?".
std::string Printable(const std::string& text) {
  std::string printable;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    // U+0080 to U+009F, the C1 controls, are 0xC2 0x80 to 0xC2 0x9F in UTF-8.
    const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                    static_cast<unsigned char>(text[i + 1]) < 0xA0 &&
                    static_cast<unsigned char>(text[i + 1]) >= 0x80;
    if (byte < 0x20 || byte == 0x7F || c1) {
      printable += '?';
      i += c1 ? 1 : 0;
    } else {
      printable += text[i];
    }
  }
  return printable;
}

// One row of the table: the fixed columns padded, the change last.
std::string Row(const std::string& time, const std::string& port, const std::string& model,
                const std::string& outcome, const std::string& user, const std::string& change) {
  char fixed[160];
  std::snprintf(fixed, sizeof fixed, "%-24s  %-6s  %-7s  %-12s  %-10s  ", Printable(time).c_str(),
                Printable(port).c_str(), Printable(model).c_str(), Printable(outcome).c_str(),
                Printable(user).c_str());
  return fixed + Printable(change) + "\n";
}

// The line is one --port and --since ask for. Times are ISO 8601 in UTC
// throughout, so text order is time order, and a date alone is the start of
// its day.
bool Chosen(const CliOptions& options, const ChangeLine& line) {
  return (options.port.empty() || UpperCasePortName(line.port) == UpperCasePortName(options.port)) &&
         (options.since.empty() || line.time >= options.since);
}

}  // namespace

void HistoryCommand(const CliOptions& options, CliReport& report) {
  const ChangeRecord record(ChangeRecordPath());
  std::vector<ChangeLine> lines;
  if (options.pending) {
    lines = record.Pending();
    // A change whose final line never came is shown as the history shows it.
    for (ChangeLine& line : lines) {
      if (line.outcome == kOutcomeStarted) line.outcome = kOutcomeHalfChanged;
    }
  } else {
    // The user's own record from before the computer's was taken into use,
    // then the computer's.
    const std::filesystem::path earlier = EarlierUserRecordPath();
    if (!earlier.empty()) lines = ChangeRecord(earlier).Lines();
    std::vector<ChangeLine> more = record.Lines();
    lines.insert(lines.end(), std::make_move_iterator(more.begin()),
                 std::make_move_iterator(more.end()));
    lines = OnePerChange(lines);
    std::reverse(lines.begin(), lines.end());
  }
  std::erase_if(lines, [&](const ChangeLine& line) { return !Chosen(options, line); });
  nlohmann::ordered_json json = nlohmann::ordered_json::array();
  std::string table = Row("time (UTC)", "port", "model", "outcome", "user", "change");
  for (const ChangeLine& line : lines) {
    json.push_back(ChangeJson(line));
    // A pending one is named by its id, for forget.
    table += Row(line.time, line.port, line.model, line.outcome, line.user,
                 options.pending ? line.id + "  " + line.change : line.change);
  }
  if (lines.empty())
    table = std::string(options.pending ? "no half-change pending" : "no change recorded") +
            " in " + Utf8Of(record.File()) + "\n";
  report.Json(options.pending ? "pending" : "changes", std::move(json), table);
}

int HistoryCsvCommand(const CliOptions& options, std::ostream& out, CliReport& report) {
  const std::vector<ChangeEntry> entries = ChangeEntries(ChangeRecord(ChangeRecordPath()).Lines());
  std::vector<const ChangeEntry*> rows;
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
    if (Chosen(options, entry->change) && (!options.pending || entry->pending))
      rows.push_back(&*entry);
  }
  const std::string csv = CsvText(HistoryTable(rows, HistoryWords()), ListSeparator());
  if (options.output.empty()) {
    StandardOutputAsBytes();
    out << csv << std::flush;
    return out ? kDone : report.Fail(kPortNotOpen, "the CSV could not be written");
  }
  std::ofstream file(PathFromUtf8(options.output), std::ios::binary | std::ios::trunc);
  file << csv;
  file.close();
  if (!file) return report.Fail(kPortNotOpen, "the CSV could not be written to " + options.output);
  return kDone;
}
