#pragma once

#include <ostream>

#include "CliOptions.h"
#include "CliReport.h"

// kavel-cli history: the record of changes, newest first, one entry per
// change (or with --pending the half-changes not yet settled), as a table or
// as the record's own JSON lines; filtered by --port and --since. Raises
// RecordUnreadable.
void HistoryCommand(const CliOptions& options, CliReport& report);

// kavel-cli history --csv: the same changes as the program's window of
// changes exports them, one row per change, newest first, with an English
// header; into --output FILE, else onto standard output as bytes. Answers
// the exit status.
int HistoryCsvCommand(const CliOptions& options, std::ostream& out, CliReport& report);
