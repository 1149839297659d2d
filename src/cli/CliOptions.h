#pragma once

#include <optional>
#include <string>

// What kavel-cli was asked to do.
struct CliOptions {
  std::string command;           // ports, identify, voltage, auto, history, forget
  std::string port;              // --port NAME; empty: the port the program remembers
  std::string settings;          // --settings FILE; empty: the program's own
  std::string expect;            // --expect MODEL: "TVA-740" or "DKL-310"
  std::optional<int> voltage;    // voltage 220 | 230
  std::optional<int> autoSetup;  // auto --set BYTE, --basic, --all
  std::string repair;            // --repair finish|undo: put a half-change right
  std::string since;             // history --since TIME: the lines from then on
  bool pending = false;          // history --pending: the half-changes not settled
  bool csv = false;              // history --csv: one row per change, for a spreadsheet
  std::string output;            // history --csv --output FILE: the CSV into FILE
  std::string changeId;          // forget ID: the half-change given up
  bool yes = false;
  bool withoutRecord = false;    // --without-record: change even when the record cannot say so
  bool json = false;
  bool help = false;
  bool version = false;
};

// The options, or the reason they make no sense.
struct ParsedOptions {
  CliOptions options;
  std::string mistake;  // empty when the command line is good
};

ParsedOptions ParseCliOptions(int argc, char** argv);

extern const char kCliUsage[];
