#include "CliHistory.h"

#include <algorithm>
#include <cstdio>

#include "ChangeRecord.h"
#include "PathText.h"
#include "PortNames.h"

namespace {

// One row of the table: the fixed columns padded, the change last.
std::string Row(const std::string& time, const std::string& port, const std::string& model,
                const std::string& outcome, const std::string& user, const std::string& change) {
  char fixed[128];
  std::snprintf(fixed, sizeof fixed, "%-24s  %-6s  %-7s  %-12s  %-10s  ", time.c_str(),
                port.c_str(), model.c_str(), outcome.c_str(), user.c_str());
  return fixed + change + "\n";
}

}  // namespace

void HistoryCommand(const CliOptions& options, CliReport& report) {
  const ChangeRecord record(ChangeRecordPath());
  std::vector<ChangeLine> lines = record.Lines();
  std::reverse(lines.begin(), lines.end());
  // Times are ISO 8601 in UTC throughout, so text order is time order, and a
  // date alone is the start of its day.
  std::erase_if(lines, [&](const ChangeLine& line) {
    return (!options.port.empty() &&
            UpperCasePortName(line.port) != UpperCasePortName(options.port)) ||
           (!options.since.empty() && line.time < options.since);
  });
  std::string json = "[";
  std::string table = Row("time (UTC)", "port", "model", "outcome", "user", "change");
  for (const ChangeLine& line : lines) {
    if (json.size() > 1) json += ',';
    json += ToJsonLine(line);
    table += Row(line.time, line.port, line.model, line.outcome, line.user, line.change);
  }
  if (lines.empty()) table = "no change recorded in " + Utf8Of(record.File()) + "\n";
  report.Json("changes", json + "]", table);
}
