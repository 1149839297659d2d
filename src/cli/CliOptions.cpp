#include "CliOptions.h"

#include <cctype>
#include <charconv>

#include "TVA740.h"

const char kCliUsage[] =
    "Usage: kavel-cli [options] COMMAND\n"
    "Identifies a KAVEL tester and reads or sets its settings, as kavel-setup does.\n"
    "\n"
    "Commands:\n"
    "  ports                            the serial ports, with the device behind each\n"
    "  identify [--port NAME]           version text, model, firmware, meter type code\n"
    "  voltage [--port NAME] [220|230]  read the nominal voltage, or set it\n"
    "  auto [--port NAME] [--set BYTE | --basic | --all]\n"
    "                                   read the AUTO-mode byte, or set it (TVA-740 2.0+)\n"
    "  history [--port NAME] [--since TIME] [--pending] [--csv [--output FILE]]\n"
    "                                   the record of changes made to testers, newest\n"
    "                                   first; TIME as 2026-12-07 or 2026-12-07T18:40 (UTC);\n"
    "                                   --pending: the half-changes not yet put right;\n"
    "                                   --csv: one row per change for a spreadsheet (UTF-8,\n"
    "                                   the separator of the regional format), into FILE\n"
    "                                   with --output\n"
    "  forget ID                        give up the half-change ID (history --pending)\n"
    "                                   of a tester that will not come back\n"
    "Without --port, the port kavel-setup remembers (\"Serial port\" in its settings file).\n"
    "\n"
    "Options:\n"
    "  --yes             write without asking on the terminal\n"
    "  --expect MODEL    write only to a TVA-740 or DKL-310 as named\n"
    "  --without-record  make a change of two locations even when the record of\n"
    "                    changes cannot take its first line: cut short, it leaves\n"
    "                    no trace\n"
    "  --settings FILE   take the remembered port and the [Ports] bindings from FILE\n"
    "                    instead of the program's settings file (kavel-cli never writes it)\n"
    "  --repair finish|undo\n"
    "                    put right a change cut short between its writes (voltage,\n"
    "                    auto): finish it, or undo it\n"
    "  --json            every result and every failure as one JSON object\n"
    "  --help, --version\n"
    "\n"
    "Exit status: 0 done, 1 usage, 2 port cannot be opened, 3 no answer,\n"
    "4 corrupt reply or refused write, 5 wrong or unsupported model,\n"
    "6 refused by the user or by a rule, 7 the tester was left half-changed\n"
    "(kavel-cli --repair puts it right), 8 the record of changes cannot be read\n"
    "(voltage and auto still show what the tester holds) or cannot take a change's\n"
    "first line: nothing written.\n"
    "Interrupted (Ctrl+C, Ctrl+\\, a closed terminal, SIGTERM), kavel-cli\n"
    "finishes, then dies by the signal (the shell shows 128 + n): a change under\n"
    "way is finished and recorded first; at the question nothing is written. A\n"
    "signal ignored when it starts (nohup) stays ignored. On Windows it ends with\n"
    "130 (Ctrl+C, Ctrl+Break) or 129 (console closed); at the question with 6.\n"
    "Every change is recorded in changes.jsonl: installed, in /var/lib/kavel-setup\n"
    "(%ProgramData%\\kavel-setup on Windows) for every user of the computer; run\n"
    "from elsewhere, in $XDG_STATE_HOME/kavel-setup (~/.local/state/kavel-setup;\n"
    "%LOCALAPPDATA%\\kavel-setup on Windows); or in the file KAVEL_CHANGE_RECORD\n"
    "names.\n";

namespace {

// A whole number in decimal, or in hex after 0x, within 0..limit. A leading
// zero is no octal: 044 is forty-four.
std::optional<int> Number(const std::string& text, int limit) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* end = text.data() + text.size();
  unsigned value = 0;  // unsigned: no sign is taken
  const auto [stop, error] =
      std::from_chars(text.data() + (hex ? 2 : 0), end, value, hex ? 16 : 10);
  if (stop != end || error != std::errc() || value > static_cast<unsigned>(limit))
    return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace

ParsedOptions ParseCliOptions(int argc, char** argv) {
  ParsedOptions parsed;
  CliOptions& o = parsed.options;
  const auto fail = [&](const std::string& why) {
    if (parsed.mistake.empty()) parsed.mistake = why;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 < argc) return argv[++i];
      fail(arg + " needs a value");
      return "";
    };
    if (arg == "--help" || arg == "-h") {
      o.help = true;
    } else if (arg == "--version") {
      o.version = true;
    } else if (arg == "--json") {
      o.json = true;
    } else if (arg == "--yes") {
      o.yes = true;
    } else if (arg == "--without-record") {
      o.withoutRecord = true;
    } else if (arg == "--port") {
      o.port = value();
    } else if (arg == "--settings") {
      o.settings = value();
    } else if (arg == "--expect") {
      o.expect = value();
      if (o.expect != "TVA-740" && o.expect != "DKL-310") fail("--expect takes TVA-740 or DKL-310");
    } else if (arg == "--set") {
      o.autoSetup = Number(value(), 0xFF);
      if (!o.autoSetup) fail("--set takes a byte, 0 to 255 or 0x00 to 0xFF");
    } else if (arg == "--repair") {
      o.repair = value();
      if (o.repair != "finish" && o.repair != "undo") fail("--repair takes finish or undo");
    } else if (arg == "--since") {
      o.since = value();
      if (o.since.empty() || !std::isdigit(static_cast<unsigned char>(o.since[0])))
        fail("--since takes a time such as 2026-12-07 or 2026-12-07T18:40");
    } else if (arg == "--pending") {
      o.pending = true;
    } else if (arg == "--csv") {
      o.csv = true;
    } else if (arg == "--output") {
      o.output = value();
    } else if (arg == "--basic") {
      o.autoSetup = tva740::kBasicOptions;
    } else if (arg == "--all") {
      o.autoSetup = tva740::kAllOptions;
    } else if (!arg.empty() && arg[0] == '-') {
      fail("unknown option " + arg);
    } else if (o.command.empty()) {
      o.command = arg;
    } else if (o.command == "voltage" && !o.voltage && (arg == "220" || arg == "230")) {
      o.voltage = arg == "220" ? 220 : 230;
    } else if (o.command == "forget" && o.changeId.empty()) {
      o.changeId = arg;
    } else {
      fail("unexpected " + arg);
    }
  }
  if (o.help || o.version) return parsed;
  if (o.command != "ports" && o.command != "identify" && o.command != "voltage" &&
      o.command != "auto" && o.command != "history" && o.command != "forget")
    fail(o.command.empty() ? "no command" : "unknown command " + o.command);
  if (o.autoSetup && o.command != "auto") fail("--set, --basic and --all belong to auto");
  if (!o.repair.empty() && o.command != "voltage" && o.command != "auto")
    fail("--repair belongs to voltage and auto");
  if (o.withoutRecord && o.command != "voltage" && o.command != "auto")
    fail("--without-record belongs to voltage and auto");
  if (!o.repair.empty() && (o.voltage || o.autoSetup))
    fail("--repair goes alone: put the tester right first, then change it");
  if ((!o.since.empty() || o.pending) && o.command != "history")
    fail("--since and --pending belong to history");
  if ((o.csv || !o.output.empty()) && o.command != "history")
    fail("--csv and --output belong to history");
  if (!o.output.empty() && !o.csv) fail("--output goes with --csv");
  if (o.csv && o.json) fail("--csv and --json do not go together: pick one");
  if (o.command == "forget" && o.changeId.empty()) fail("forget needs the ID of a half-change");
  return parsed;
}
