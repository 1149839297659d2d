#include "CliCommands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "ChangeRecorder.h"
#include "CliHistory.h"
#include "CliInterruption.h"
#include "CliReport.h"
#include "ComError.h"
#include "HalfChange.h"
#include "IniFile.h"
#include "KavelMeter.h"
#include "MeterModels.h"
#include "PathText.h"
#include "PortNames.h"
#include "PortTrouble.h"
#include "ProgramFile.h"
#include "RecordTrouble.h"
#include "SettingsKeys.h"
#include "SettingsLocation.h"
#include "TVA740.h"
#include "TesterText.h"
#include "useful.h"

namespace {

// The measurements of the AUTO-mode byte as a technician reads them.
const std::pair<int, const char*> kMeasurements[] = {
    {tva740::kTripTime05Positive, "trip time at 0.5×IΔn, positive"},
    {tva740::kTripTime05Negative, "trip time at 0.5×IΔn, negative"},
    {tva740::kTripTime1Positive, "trip time at 1×IΔn, positive"},
    {tva740::kTripTime1Negative, "trip time at 1×IΔn, negative"},
    {tva740::kTripTime5Positive, "trip time at 5×IΔn, positive"},
    {tva740::kTripTime5Negative, "trip time at 5×IΔn, negative"},
    {tva740::kTripCurrentPositive, "trip current IΔ, positive"},
    {tva740::kTripCurrentNegative, "trip current IΔ, negative"},
};

// What a command needs while it runs: the open port, the answers, the report.
struct Session {
  const CliOptions& options;
  std::istream& in;
  std::ostream& err;
  CliReport& report;
  TKavelPort& port;
  const std::string& portName;  // as given, or as the settings file remembers it
  ChangeRecorder& recorder;
  // Why the record could not be read: what the tester holds is still
  // shown, but nothing is written.
  std::string recordTrouble = "";
};

// A failure that ends the command with its status.
struct Refusal {
  CliStatus status;
  std::string message;
};

std::string Hex(int byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

// Identifies the tester: its meter type code and version text, as the
// tester sent it and as UTF-8.
std::uint8_t IdentifyOn(TKavelPort& port, std::string& sent, std::string& versionText) {
  TMeter probe;
  probe.Port = &port;
  const std::uint8_t code = probe.GetMeterType();
  probe.GetVersion(sent);
  versionText = TesterText(sent);
  return code;
}

// Identifies the tester and answers a meter object of the class that serves
// it, holding its version text; refuses a tester the program has no class
// for.
std::unique_ptr<TMeter> Identify(Session& s, std::uint8_t& code, std::string& versionText) {
  std::string sent;
  code = IdentifyOn(s.port, sent, versionText);
  const MeterModel* model = MeterModelOf(code);
  if (!model || !model->makeMeter)
    throw Refusal{kWrongModel, "the tester " + versionText + " is not supported by this program"};
  auto meter = MakeMeter(code);
  meter->Port = &s.port;
  meter->MeterType = code;
  meter->VersionText = sent;
  return meter;
}

// An end asked for from outside before a change has begun: nothing written.
void StopIfInterrupted() {
  if (const int status = InterruptionStatus())
    throw Refusal{static_cast<CliStatus>(status), "interrupted: nothing written"};
}

// The user's yes to the question on the terminal, unless --yes gave it; an
// interruption at the question is a no.
void Confirm(const CliOptions& options, std::istream& in, std::ostream& err,
             const std::string& question) {
  StopIfInterrupted();
  if (options.yes) return;
  err << question << " [y/N] " << std::flush;
  std::string answer;
  const bool answered = ReadAnswer(in, answer);
  if (InterruptionStatus() != 0)
    throw Refusal{kRefusedByRule, "not written: interrupted at the question"};
  std::transform(answer.begin(), answer.end(), answer.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; });
  if (!answered || (answer != "y" && answer != "yes"))
    throw Refusal{kRefusedByRule, "not written: the answer was not yes"};
}

// Before a write: the model the user insisted on, the user's yes, and a fresh
// identification, as the program's dialogs ask for them. An end asked for
// at the question is its answer, a no.
void ClearToWrite(Session& s, TMeter& meter, const std::string& versionText,
                  const std::string& question) {
  const MeterModel* model = MeterModelOf(meter.MeterType);
  if (!s.options.expect.empty() && model->deviceName != s.options.expect)
    throw Refusal{kWrongModel, "the tester is " + versionText + ", not a " + s.options.expect};
  Confirm(s.options, s.in, s.err, question);
  if (!IdentifiesAs(meter, meter.MeterType)) {
    std::string now;
    meter.GetVersion(now);
    throw Refusal{kWrongModel, "another tester is connected now: " + TesterText(now)};
  }
  StopIfInterrupted();
}

// Just before a write, on the tester identified anew: one plugged in since
// the first look may hold a change cut short, which an ordinary write would
// build on.
void RefuseIfHalfChanged(Session& s, TMeter& meter) {
  if (const auto found = FindHalfChange(s.recorder, meter, s.portName))
    throw Refusal{kHalfChanged, HalfChangeStory(found->line, found->examined) +
                                    " Put it right with --repair finish or --repair undo."};
}

// Before voltage and auto read or write anything: a change the record says
// was cut short on a tester of this model and version text, on any port, is
// looked for on the tester, and put right when --repair asks for it. True when the command goes on;
// false when --repair has done its work (or found none to do).
bool HalfChangeSettled(Session& s, TMeter& meter, const std::string& versionText) {
  const bool repairAsked = !s.options.repair.empty();
  const std::string nothing = "nothing to repair: the tester holds no change cut short";
  std::optional<FoundHalfChange> found;
  try {
    found = FindHalfChange(s.recorder, meter, s.portName);
  } catch (const RecordUnreadable& unreadable) {
    if (repairAsked) throw Refusal{kRecordTrouble, std::string(unreadable.what()) + ": not repaired"};
    s.recordTrouble = unreadable.what();
    return true;
  }
  if (!found) {
    if (repairAsked) s.report.Text("repair", nothing);
    return !repairAsked;
  }
  const ChangeLine& halfChange = found->line;
  const std::string story = HalfChangeStory(halfChange, found->examined);
  if (!repairAsked)
    throw Refusal{kHalfChanged, story + " Put it right with --repair finish or --repair undo."};
  const Repair repair = s.options.repair == "finish" ? Repair::Finish : Repair::Undo;
  ClearToWrite(s, meter, versionText,
               story + (repair == Repair::Finish ? " Finish the change?" : " Undo the change?"));
  bool repaired = false;
  try {
    repaired = s.recorder.Recorded(meter, s.portName, RepairOf(halfChange, repair),
                                   [&] { return WriteRepair(meter, halfChange, repair); });
  } catch (const Exception& failure) {
    // Refused, or cut short: the tester may still hold the mix.
    throw Refusal{kHalfChanged, "not repaired (" + failure.Message + "): " + story +
                                    " It is still pending; try --repair again."};
  }
  if (!repaired)
    throw Refusal{kCorruptOrRefused,
                  "not repaired: the tester no longer holds what it held a moment ago"};
  s.report.Text("tester", versionText);
  s.report.Text("repair", RepairedText(repair));
  return false;
}

// Before a change: a record that could not be read may hide a change cut
// short on this very tester, which the write would build on.
void RefuseWithoutRecord(const Session& s) {
  if (!s.recordTrouble.empty())
    throw Refusal{kRecordTrouble, "not written: " + s.recordTrouble +
                                      ", so a change cut short on this tester could not be "
                                      "looked for"};
}

void IdentifyCommand(Session& s) {
  std::string sent, text;
  const std::uint8_t code = IdentifyOn(s.port, sent, text);
  s.report.Text("version", text);
  s.report.Text("model", text.substr(0, 7));
  s.report.Text("firmware", text.size() > 9 ? text.substr(9, 4) : "");
  s.report.Number("code", code);
}

void VoltageCommand(Session& s) {
  std::uint8_t code = 0;
  std::string versionText;
  const auto meter = Identify(s, code, versionText);
  if (!HalfChangeSettled(s, *meter, versionText)) return;
  const std::uint16_t voltage = meter->ReadNominalVoltage();
  s.report.Text("tester", versionText);
  if (s.options.voltage) RefuseWithoutRecord(s);
  if (!s.options.voltage) {
    s.report.Text("voltage", voltage ? std::to_string(voltage) : "unrecognised");
    return;
  }
  const auto wanted = static_cast<std::uint16_t>(*s.options.voltage);
  if (wanted == voltage) {  // as the dialog: nothing to change, nothing sent
    s.report.Text("voltage", std::to_string(voltage));
    s.report.Text("written", "no, the tester holds it already");
    return;
  }
  // Refused before the question, as the write itself would refuse it.
  if (voltage == 0)
    throw Refusal{kRefusedByRule, "not written: the tester's voltage setting is not recognised"};
  ClearToWrite(s, *meter, versionText,
               "Change the nominal voltage of " + versionText + " on " + s.portName + " to " +
                   std::to_string(wanted) + " V?");
  RefuseIfHalfChanged(s, *meter);
  // A DKL-310 refuses a settings block whose CRC is wrong; a TVA-740 a
  // voltage word that no longer holds what was read (another tester plugged
  // in meanwhile).
  if (!s.recorder.Recorded(*meter, s.portName, VoltageChange(voltage, wanted),
                           [&] { return meter->WriteNominalVoltage(wanted); }))
    throw Refusal{kCorruptOrRefused,
                  code == kMeterDKL310
                      ? "not written: the tester's settings block failed its CRC"
                      : "not written: the tester's voltage word changed since it was read"};
  s.report.Text("voltage", std::to_string(wanted));
  s.report.Text("written", "yes");
}

void AutoCommand(Session& s) {
  std::uint8_t code = 0;
  std::string versionText;
  const auto meter = Identify(s, code, versionText);
  if (!MeterModelOf(code)->autoSetup)
    throw Refusal{kWrongModel,
                  "the tester " + versionText + " has no AUTO mode (a TVA-740 from firmware 2.0)"};
  if (!HalfChangeSettled(s, *meter, versionText)) return;
  const std::uint8_t current = meter->ReadAutoSetup();
  const std::uint8_t byte =
      s.options.autoSetup ? static_cast<std::uint8_t>(*s.options.autoSetup) : current;
  if (s.options.autoSetup) {
    RefuseWithoutRecord(s);
    if ((byte & tva740::kTrippingOptions) == 0)
      throw Refusal{kRefusedByRule,
                    "You have to select at least one of the parameters intended for tripping "
                    "RCD on."};
    ClearToWrite(
        s, *meter, versionText,
        "Change the AUTO mode of " + versionText + " on " + s.portName + " to " + Hex(byte) + "?");
    RefuseIfHalfChanged(s, *meter);
    s.recorder.Recorded(*meter, s.portName, AutoSetupChange(byte),
                        [&] { meter->WriteAutoSetup(byte); });
  }
  std::vector<std::string> names;
  for (const auto& [bit, name] : kMeasurements) {
    if (TestBit(byte, bit)) names.push_back(name);
  }
  s.report.Text("tester", versionText);
  s.report.Text("auto", Hex(byte));
  s.report.List("measurements", names);
  if (s.options.autoSetup) s.report.Text("written", "yes");
}

void PortsCommand(CliReport& report) {
  std::vector<std::string> names;
  EnumSerialPorts(names);
  std::vector<std::vector<std::string>> ports;
  for (const std::string& name : names) ports.push_back({name, PortDescription(name)});
  report.Records("ports", {"name", "description"}, ports);
}

// Settles a half-change whose tester will never come back.
int ForgetCommand(const CliOptions& options, std::istream& in, std::ostream& err,
                  CliReport& report) {
  ChangeRecorder recorder("kavel-cli", GetFileVersionText());
  std::vector<ChangeLine> pending;
  try {
    pending = recorder.Record().Pending();
  } catch (const RecordUnreadable& unreadable) {
    return report.Fail(kRecordTrouble, unreadable.what());
  }
  const auto found = std::find_if(pending.begin(), pending.end(), [&](const ChangeLine& line) {
    return line.id == options.changeId;
  });
  if (found == pending.end())
    return report.Fail(kRefusedByRule, "no half-change " + options.changeId +
                                           " is pending (kavel-cli history --pending lists them)");
  try {
    Confirm(options, in, err,
            "Give up the half-change of " + found->time + " of " + found->versionText + " on " +
                found->port + " (" + found->change +
                ")? It will not be offered for putting right again.");
  } catch (const Refusal& refusal) {
    return report.Fail(refusal.status, "not given up: the answer was not yes");
  }
  RecordGivenUp(recorder, *found);
  const std::string note = recorder.TakeNote();
  if (!note.empty()) return report.Fail(kRecordTrouble, note);
  report.Text("forgotten", found->id);
  return report.Done();
}

SettingsFileLocation SettingsFileOf(const CliOptions& options,
                                    const std::filesystem::path& programPath) {
  if (!options.settings.empty()) return {PathFromUtf8(options.settings), {}};
  return SettingsFilePath(programPath.parent_path() / "kavel-setup");
}

}  // namespace

int RunCli(const CliOptions& options, const std::filesystem::path& programPath, std::istream& in,
           std::ostream& out, std::ostream& err) {
  CliReport report(options.json, out, err);
  if (options.help) {
    const std::filesystem::path record = ChangeRecordPath();
    out << kCliUsage
        << "\nSettings file: " << SettingsFileForUser(SettingsFileOf(options, programPath))
        << "\nRecord of changes: "
        << (record.empty() ? "none (neither HOME nor a state folder is set)" : Utf8Of(record))
        << "\n";
    return kDone;
  }
  if (options.version) {
    out << "kavel-cli " << GetFileVersionText() << "\n";
    return kDone;
  }
  // Read only: the program's settings file is never written from here.
  const SettingsFileLocation settingsFile = SettingsFileOf(options, programPath);
  const IniFile settings(settingsFile);
  SetPortBindings(settings.ReadSection(kPortsSection));
  if (options.command == "ports") {
    PortsCommand(report);
    return report.Done();
  }
  if (options.command == "history") {
    try {
      if (options.csv) return HistoryCsvCommand(options, out, report);
      HistoryCommand(options, report);
    } catch (const RecordUnreadable& unreadable) {
      return report.Fail(kRecordTrouble, unreadable.what());
    }
    return report.Done();
  }
  if (options.command == "forget") return ForgetCommand(options, in, err, report);
  const std::string portName =
      options.port.empty() ? UpperCasePortName(settings.ReadString(kMainSection, kPortKey, ""))
                           : options.port;
  if (portName.empty()) {
    err << kCliUsage;
    return report.Fail(kUsage, options.command + " needs a port: --port NAME, or \"" + kPortKey +
                                   "\" under [" + kMainSection + "] in " +
                                   Utf8Of(settingsFile.file));
  }
  // Held for this command alone, and exclusively: a port the program has
  // open is refused.
  TKavelPort port;
  if (!OpenPort(port, portName)) {
    const std::string trouble = PortTroubleOf(port);
    return report.Fail(kPortNotOpen,
                       trouble.empty() ? "port " + portName + " cannot be opened" : trouble);
  }
  ChangeRecorder recorder("kavel-cli", GetFileVersionText());
  // An end asked for meanwhile is looked at once more before the first write.
  recorder.BeforeFirstWrite = StopIfInterrupted;
  if (options.withoutRecord)
    recorder.UnrecordedChangeAllowed = [](const std::string&) { return true; };
  Session session{options, in, err, report, port, portName, recorder};
  // A change that left the tester half-changed ends with its own status and
  // says what the tester may hold; a record that could not be written is
  // told with the change's outcome.
  const auto fail = [&](CliStatus status, std::string message) {
    if (const auto halfChange = recorder.TakeHalfChange()) {
      status = kHalfChanged;
      message += "\n" + HalfChangedText(*halfChange);
    }
    const std::string note = recorder.TakeNote();
    return report.Fail(status, note.empty() ? message : message + "\n" + note);
  };
  try {
    if (options.command == "identify") IdentifyCommand(session);
    if (options.command == "voltage") VoltageCommand(session);
    if (options.command == "auto") AutoCommand(session);
  } catch (const Refusal& refusal) {
    return fail(refusal.status, refusal.message);
  } catch (const RecordUnreadable& unreadable) {
    return fail(kRecordTrouble, std::string("not written: ") + unreadable.what());
  } catch (const ChangeNotRecorded& refused) {
    return fail(kRecordTrouble, "not written: the record of changes cannot take the change's "
                                "first line (" + refused.reason +
                                "); --without-record makes the change without a trace");
  } catch (const ENoConnection& failure) {
    return fail(kNoAnswer,
                "port " + portName + ": no answer from the tester (" + failure.Message + ")");
  } catch (const EComPort& failure) {
    return fail(kPortNotOpen, "port " + portName + ": " + failure.Message);
  } catch (const Exception& failure) {
    return fail(kCorruptOrRefused, "port " + portName + ":" + failure.Message);
  }
  // An end asked for during an exchange waits for it: a change is never cut
  // between its writes, and is recorded.
  if (const int status = InterruptionStatus())
    return fail(static_cast<CliStatus>(status),
                "interrupted: ended once the command's exchange with the tester was complete");
  report.Text("port", portName);
  const std::string note = recorder.TakeNote();
  if (!note.empty()) report.Text("record", note);
  // Shown, and ended with its own status, so that a script notices.
  if (!session.recordTrouble.empty()) return report.Warn(kRecordTrouble, session.recordTrouble);
  return report.Done();
}
