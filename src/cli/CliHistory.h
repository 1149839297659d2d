#pragma once

#include "CliOptions.h"
#include "CliReport.h"

// kavel-cli history: the record of changes, newest first, one entry per
// change (or with --pending the half-changes not yet settled), as a table or
// as the record's own JSON lines; filtered by --port and --since. Raises
// RecordUnreadable.
void HistoryCommand(const CliOptions& options, CliReport& report);
