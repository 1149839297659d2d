// kavel-cli: identifies a KAVEL tester and reads or sets its settings from a
// script, with the program's libraries and its safety rules.
#include <iostream>

#include "CliCommands.h"
#include "CliInterruption.h"
#include "CliOptions.h"
#include "CliReport.h"
#include "ProgramFile.h"

namespace {

int Run(int argc, char** argv) {
  // Before the console's code page is taken, so that it is given back on
  // every ending the handler sees.
  const CliInterruption interruption;
  const Utf8Console console;
  Utf8Arguments arguments(argc, argv);
  const ParsedOptions parsed = ParseCliOptions(arguments.Count(), arguments.Values());
  if (!parsed.mistake.empty()) {
    CliReport report(parsed.options.json, std::cout, std::cerr);
    std::cerr << kCliUsage;
    return report.Fail(kUsage, parsed.mistake);
  }
  try {
    return RunCli(parsed.options, RunningProgram(), std::cin, std::cout, std::cerr);
  } catch (const std::exception& failure) {
    // Nothing of the link's: the settings or the system failed the tool.
    CliReport report(parsed.options.json, std::cout, std::cerr);
    return report.Fail(kPortNotOpen, failure.what());
  }
}

}  // namespace

int main(int argc, char** argv) {
  // Every command, ports, history and forget too, ends on an interrupt.
  return EndAfterCleanUp(Run(argc, argv));
}
