// Measures every exchange with a paced simulated tester against its line
// time, with the record of changes on, and a whole voltage change with its
// line in the record flushed to the disk; the port list against the number
// of bound names; and the program's start-up of the programs named against a
// bare Qt window, in time and peak memory. Prints one line per figure and a
// verdict.
//   exchange-bench [--startup PLUGINS BARE NAME=PROGRAM...]...
// PLUGINS is the folder, as the programs name it, whose generic/ holds
// first-paint-exit; BARE (a bare-window) and each PROGRAM (a kavel-setup) are
// command lines of blank-separated words, such as a Windows program after
// Wine's runner. Each --startup compares its programs with its own BARE.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "CPort.h"
#include "ChangeRecorder.h"
#include "HalfChange.h"
#include "PortNames.h"
#include "QtMessagePump.h"
#include "TVA740.h"
#include "TesterSimulator.h"
#include "fmChanges_.h"
#include "MeterHost.h"

namespace {

using Clock = std::chrono::steady_clock;

// 2400 bit/s, a start bit, 8 data bits, parity and 2 stop bits.
constexpr double kCharacterMs = 12 * 1000.0 / 2400;
constexpr double kExchangeBound = 1.02;
// A change with its line in the record of changes flushed to the disk.
constexpr double kRecordedChangeBound = 1.05;
constexpr double kWaitingBound = 0.01;
constexpr double kStartupBound = 1.10;
// The record looked up for half-changes before a dialog, tester reads aside.
constexpr double kLookupBoundMs = 20;
// The window of changes on that record, from its making to its newest rows.
constexpr double kChangesWindowBoundMs = 300;
constexpr unsigned kStartLimitSeconds = 60;

bool allWithinBounds = true;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Processor time of this thread, the one that waits for the tester.
double ThreadCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

// Runs an exchange many times; prints its median against the line's floor
// and the share of a core spent meanwhile.
void Exchange(const char* name, const char* formula, double floorMs, int runs,
              const std::function<void()>& exchange, double bound = kExchangeBound) {
  std::vector<double> times;
  const double cpuBefore = ThreadCpuMs();
  const auto start = Clock::now();
  for (int i = 0; i < runs; ++i) {
    const auto t0 = Clock::now();
    exchange();
    times.push_back(Ms(Clock::now() - t0));
  }
  const double wall = Ms(Clock::now() - start);
  const double share = (ThreadCpuMs() - cpuBefore) / wall;
  const double median = Median(times);
  const double ratio = median / floorMs;
  const bool ok = ratio <= bound && share <= kWaitingBound;
  allWithinBounds = allWithinBounds && ok;
  std::printf("%-32s median %7.1f ms  floor %6.1f ms (%s)  ratio %.3f  core %.2f %%  %s\n", name,
              median, floorMs, formula, ratio, share * 100, ok ? "ok" : "OVER");
}

void PortList() {
  for (int bound : {1, 16, 256, 4096}) {
    std::map<std::string, std::string> bindings;
    for (int i = 1; i <= bound; ++i) bindings["COM" + std::to_string(i)] = "/dev/null";
    SetPortBindings(bindings);
    std::vector<double> times;
    std::vector<std::string> names;
    for (int i = 0; i < 21; ++i) {
      const auto t0 = Clock::now();
      EnumSerialPorts(names);
      times.push_back(Ms(Clock::now() - t0));
    }
    std::printf("EnumSerialPorts, %4d bound  median %9.3f ms  (%zu names)\n", bound, Median(times),
                names.size());
  }
  SetPortBindings({});
}

// A host for the window of changes through which no tester is written.
class NoTesterHost : public MeterHost {
 public:
  TMeter& Meter() override { return meter_; }
  bool MeterCorrect(std::uint8_t) override { return false; }
  ChangeRecorder& Recorder() override { return recorder_; }

 private:
  TTVA740 meter_;
  ChangeRecorder recorder_{"exchange-bench", "0"};
};

// The window of changes opened on the record the environment names, until
// its newest rows are shown, the files read in the background meanwhile.
void ChangesWindowOnAFullRecord() {
  NoTesterHost host;
  std::vector<double> times, allTimes;
  int rows = 0, allRows = 0;
  for (int i = 0; i < 7; ++i) {
    const auto t0 = Clock::now();
    TfmChanges window(host, [](const std::function<void()>&) {}, nullptr);
    window.show();
    while (window.Model().rowCount() == 0 && Ms(Clock::now() - t0) < 10000)
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    QApplication::processEvents();  // the rows painted
    times.push_back(Ms(Clock::now() - t0));
    rows = window.Model().rowCount();
    // The rest of the record, read in the background meanwhile.
    while (window.Model().Reading() && Ms(Clock::now() - t0) < 60000)
      QApplication::processEvents(QEventLoop::AllEvents, 5);
    allTimes.push_back(Ms(Clock::now() - t0));
    allRows = window.Model().rowCount();
  }
  const bool ok = Median(times) <= kChangesWindowBoundMs;
  allWithinBounds = allWithinBounds && ok;
  std::printf("changes window, 11 full files     median %7.2f ms  bound %.0f ms  (%d newest rows; "
              "all %d in %.0f ms)  %s\n",
              Median(times), kChangesWindowBoundMs, rows, allRows, Median(allTimes),
              ok ? "ok" : "OVER");
}

// The record as years of work leave it: ten full rotated files and a full
// current one of voltage changes, each a started and a final line, one of
// them left half-changed.
void LookupInAFullRecord(const ChangeRecorder& recorder, const std::filesystem::path& folder) {
  const ChangeRecord record(folder / "changes.jsonl");
  std::filesystem::create_directories(folder);
  ChangeLine line = recorder.LineFor(
      {"COM1", "TVA-740 v2.01", "TVA-740"}, "", VoltageChange(220, 230),
      {PlannedWrite(40, "\x5C\x87", "\x66\x87"), PlannedWrite(126, "\x34\x12", "\x3E\x12")},
      kOutcomeDone);
  for (int file = 0; file <= 10; ++file) {
    std::string text;
    for (int n = 0; text.size() < kRecordFileLimit - 1000; ++n) {
      // Every voltage change writes its started line, then its final one.
      line.id = NewChangeId();
      line.outcome = kOutcomeStarted;
      text += ToJsonLine(line) + "\n";
      line.outcome = file == 10 && n == 3 ? kOutcomeHalfChanged : kOutcomeDone;
      text += ToJsonLine(line) + "\n";
    }
    const std::string name =
        file < 10 ? "changes." + std::to_string(file + 1) + ".jsonl" : "changes.jsonl";
    std::ofstream(folder / name, std::ios::binary) << text;
  }
  setenv(kRecordVariable, record.File().c_str(), 1);
  std::vector<double> times;
  size_t found = 0;
  for (int i = 0; i < 21; ++i) {
    const auto t0 = Clock::now();
    found = PendingHalfChanges(recorder, "TVA-740", "TVA-740 v2.01").size();
    times.push_back(Ms(Clock::now() - t0));
  }
  const bool ok = Median(times) <= kLookupBoundMs && found == 1;
  allWithinBounds = allWithinBounds && ok;
  std::printf(
      "half-change lookup, 11 full files  median %7.2f ms  bound %.0f ms  (%zu found)  %s\n",
      Median(times), kLookupBoundMs, found, ok ? "ok" : "OVER");
  ChangesWindowOnAFullRecord();
  std::filesystem::remove_all(folder);
}

// One start of a program with first-paint-exit loaded into it: the wall time
// until it has painted its main window and exited, and its peak memory.
struct Start {
  double ms;
  double peakMb;
};

// The programs to time, each beside the bare window of the same Qt.
struct StartupGroup {
  std::string plugins;
  std::vector<std::string> bare;
  std::vector<std::pair<std::string, std::vector<std::string>>> programs;
};

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

Start StartOnce(const std::vector<std::string>& command, const std::string& plugins) {
  std::vector<char*> arguments;
  for (const auto& word : command) arguments.push_back(const_cast<char*>(word.c_str()));
  arguments.push_back(nullptr);
  const auto t0 = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    // Wine hands a Windows program the QT_ variables only under these names.
    for (const char* prefix : {"", "WINE"}) {
      setenv((std::string(prefix) + "QT_PLUGIN_PATH").c_str(), plugins.c_str(), 1);
      setenv((std::string(prefix) + "QT_QPA_GENERIC_PLUGINS").c_str(), "firstpaintexit", 1);
    }
    // A program that never paints its window is ended rather than waited for.
    alarm(kStartLimitSeconds);
    execv(arguments[0], arguments.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const double ms = Ms(Clock::now() - t0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "exchange-bench: %s failed\n", command.back().c_str());
    std::exit(1);
  }
  return {ms, usage.ru_maxrss / 1024.0};
}

// Starts the named program and the bare window in turn, 41 times each
// (interleaved, so drift hits both alike), and compares the medians: a start
// takes some 20 ms on Linux, where 15 pairs left the ratio a few hundredths
// apart from one run to the next.
void Startup(const std::string& name, const std::vector<std::string>& program,
             const StartupGroup& group) {
  std::vector<double> programMs, bareMs, programMb, bareMb;
  StartOnce(program, group.plugins);  // the first starts fill the caches
  StartOnce(group.bare, group.plugins);
  for (int i = 0; i < 41; ++i) {
    const Start mine = StartOnce(program, group.plugins);
    const Start yardstick = StartOnce(group.bare, group.plugins);
    programMs.push_back(mine.ms);
    bareMs.push_back(yardstick.ms);
    programMb.push_back(mine.peakMb);
    bareMb.push_back(yardstick.peakMb);
  }
  const double timeRatio = Median(programMs) / Median(bareMs);
  const double memoryRatio = Median(programMb) / Median(bareMb);
  const bool ok = timeRatio <= kStartupBound && memoryRatio <= kStartupBound;
  allWithinBounds = allWithinBounds && ok;
  std::printf(
      "start-up of the %s to a painted window  median %.1f ms, peak %.1f MB  "
      "bare Qt window %.1f ms, %.1f MB  ratios %.3f, %.3f  %s\n",
      name.c_str(), Median(programMs), Median(programMb), Median(bareMs), Median(bareMb), timeRatio,
      memoryRatio, ok ? "ok" : "OVER");
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<StartupGroup> startups;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--startup" && i + 2 < argc) {
      startups.push_back({argv[i + 1], Words(argv[i + 2]), {}});
      i += 2;
    } else if (!startups.empty() && argument.find('=') != std::string::npos) {
      const size_t equals = argument.find('=');
      startups.back().programs.emplace_back(argument.substr(0, equals),
                                            Words(argument.substr(equals + 1)));
    } else {
      std::fprintf(stderr, "usage: exchange-bench [--startup PLUGINS BARE NAME=PROGRAM...]...\n");
      return 2;
    }
  }
  // This process needs no display; the probes it starts use the X server.
  const char* platform = getenv("QT_QPA_PLATFORM");
  const std::string given = platform ? platform : "";
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  if (platform) {
    setenv("QT_QPA_PLATFORM", given.c_str(), 1);
  } else {
    unsetenv("QT_QPA_PLATFORM");
  }
  QtMessagePump pump;
  InstallMessagePump(&pump);

  sim::TesterSimulator tester("TVA-740", "2.01");
  tester.SetPaced(true);
  SetPortBindings({{"COM1", tester.DevicePath()}});
  TKavelPort port;
  if (!OpenPort(port, "COM1")) return 1;
  TTVA740 meter;
  meter.Port = &port;
  meter.MeterType = kMeterTVA740v2;
  // The record of changes on, in a folder of the bench's own beside it, on
  // the disk (a temporary folder may live in memory, where a flush is free).
  const auto state = std::filesystem::absolute(argv[0]).parent_path() /
                     ("record-state-" + std::to_string(getpid()));
  setenv(kRecordVariable, (state / "changes.jsonl").c_str(), 1);
  ChangeRecorder recorder("exchange-bench", "0");

  const double identification = std::max(100.0, (3 + 18) * kCharacterMs);
  const double read = (5 + 6) * kCharacterMs;
  const double write = (7 + 1) * kCharacterMs;
  std::uint16_t voltage = 220;
  Exchange("identification", "max(100 ms wait, (3+18) x 5 ms)", identification, 30, [&] {
    meter.ClearVersion();
    meter.GetMeterType();
  });
  Exchange("EEPROM read", "(5+6) x 5 ms", read, 40, [&] {
    std::string data;
    meter.EERead(40, data);
  });
  Exchange("EEPROM write", "(7+1) x 5 ms", write, 40, [&] { meter.EEWrite(200, "\x01\x02"); });
  // As the dialog does it: identify and read at opening; on "Set" identify
  // again, read the voltage word afresh and the balance word, write both.
  Exchange("nominal-voltage change", "2 identifications, 3 reads, 2 writes",
           2 * identification + 3 * read + 2 * write, 10, [&] {
             meter.ClearVersion();
             meter.GetMeterType();
             voltage = meter.ReadNominalVoltage() == 220 ? 230 : 220;
             meter.ClearVersion();
             meter.GetMeterType();
             meter.WriteNominalVoltage(voltage);
           });
  // The same as the dialog makes it with the record: the record looked up
  // for a half-change at opening and again before the write, and the change's line appended and
  // flushed to the disk before the outcome shows.
  Exchange(
      "nominal-voltage change, recorded", "the change above; its line flushed",
      2 * identification + 3 * read + 2 * write, 10,
      [&] {
        meter.ClearVersion();
        meter.GetMeterType();
        FindHalfChange(recorder, meter, "COM1");
        const std::uint16_t from = meter.ReadNominalVoltage();
        voltage = from == 220 ? 230 : 220;
        meter.ClearVersion();
        meter.GetMeterType();
        FindHalfChange(recorder, meter, "COM1");  // looked for again before the write
        recorder.Recorded(meter, "COM1", VoltageChange(from, voltage),
                          [&] { return meter.WriteNominalVoltage(voltage); });
      },
      kRecordedChangeBound);
  // "Set" of the AUTO-mode dialog: identify, read the byte's neighbour, write.
  Exchange("AUTO-mode write", "identification, read, write", identification + read + write, 10,
           [&] {
             meter.ClearVersion();
             meter.GetMeterType();
             meter.WriteAutoSetup(0x44);
           });
  port.Close();
  std::filesystem::remove_all(state);
  LookupInAFullRecord(recorder, state);
  PortList();

  if (!startups.empty()) {
    // The programs start on the simulated tester, as a technician's would:
    // their settings in a configuration folder of the bench's own.
    const auto config =
        std::filesystem::temp_directory_path() / ("kavel-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(config / "kavel-setup");
    std::ofstream(config / "kavel-setup" / "kavel-setup.ini")
        << "[Ports]\nCOM1=" << tester.DevicePath()
        << "\n[Main Setings]\nSerial port=COM1\nMeter=TVA740v2_299Type\n";
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    for (const auto& group : startups)
      for (const auto& [name, program] : group.programs) Startup(name, program, group);
    std::filesystem::remove_all(config);
  }
  std::printf("%s\n",
              allWithinBounds ? "every figure within its bound" : "SOME FIGURE OVER ITS BOUND");
  InstallMessagePump(nullptr);
  return 0;
}
