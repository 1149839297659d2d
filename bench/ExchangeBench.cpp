// Measures every exchange with a paced simulated tester against its line
// time, the port list against the number of bound names, and the program's
// start-up against a bare Qt window. Prints one line per figure and a verdict.
//   exchange-bench [--startup PROBE]   (PROBE: the start-up probe program)
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
#include <string>
#include <vector>

#include "CPort.h"
#include "PortNames.h"
#include "QtMessagePump.h"
#include "TVA740.h"
#include "TesterSimulator.h"

namespace {

using Clock = std::chrono::steady_clock;

// 2400 bit/s, a start bit, 8 data bits, parity and 2 stop bits.
constexpr double kCharacterMs = 12 * 1000.0 / 2400;
constexpr double kExchangeBound = 1.02;
constexpr double kWaitingBound = 0.01;
constexpr double kStartupBound = 1.10;

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
              const std::function<void()>& exchange) {
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
  const bool ok = ratio <= kExchangeBound && share <= kWaitingBound;
  allWithinBounds = allWithinBounds && ok;
  std::printf("%-26s median %7.1f ms  floor %6.1f ms (%s)  ratio %.3f  core %.2f %%  %s\n", name,
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

// Starts the probe (the program's start-up, or a bare Qt window with
// --bare) and answers the wall time until it has painted and exited.
double StartupMs(const std::string& probe, const std::string& argument) {
  const auto t0 = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execl(probe.c_str(), probe.c_str(), argument.c_str(), nullptr);
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  const double ms = Ms(Clock::now() - t0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "exchange-bench: %s %s failed\n", probe.c_str(), argument.c_str());
    std::exit(1);
  }
  return ms;
}

void Startup(const std::string& probe, const std::string& settings) {
  std::vector<double> program;
  std::vector<double> bare;
  StartupMs(probe, "--bare");     // the first start fills the caches
  for (int i = 0; i < 15; ++i) {  // interleaved, so drift hits both alike
    program.push_back(StartupMs(probe, settings));
    bare.push_back(StartupMs(probe, "--bare"));
  }
  const double ratio = Median(program) / Median(bare);
  const bool ok = ratio <= kStartupBound;
  allWithinBounds = allWithinBounds && ok;
  std::printf(
      "start-up to a painted window  median %.1f ms  bare Qt window %.1f ms  ratio %.3f  %s\n",
      Median(program), Median(bare), ratio, ok ? "ok" : "OVER");
}

}  // namespace

int main(int argc, char** argv) {
  std::string probe;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--startup") probe = argv[i + 1];
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
  // again, read the balance word and write both words.
  Exchange("nominal-voltage change", "2 identifications, 2 reads, 2 writes",
           2 * identification + 2 * read + 2 * write, 10, [&] {
             meter.ClearVersion();
             meter.GetMeterType();
             voltage = meter.ReadNominalVoltage() == 220 ? 230 : 220;
             meter.ClearVersion();
             meter.GetMeterType();
             meter.WriteNominalVoltage(voltage);
           });
  // "Set" of the AUTO-mode dialog: identify, read the byte's neighbour, write.
  Exchange("AUTO-mode write", "identification, read, write", identification + read + write, 10,
           [&] {
             meter.ClearVersion();
             meter.GetMeterType();
             meter.WriteAutoSetup(0x44);
           });
  port.Close();
  PortList();

  if (!probe.empty()) {
    // The program starts on the simulated tester, as a technician's would.
    const auto settings = std::filesystem::temp_directory_path() /
                          ("kavel-bench-" + std::to_string(getpid()) + ".ini");
    std::ofstream(settings) << "[Ports]\nCOM1=" << tester.DevicePath()
                            << "\n[Main Setings]\nSerial port=COM1\nMeter=TVA740v2_299Type\n";
    Startup(probe, settings.string());
    std::filesystem::remove(settings);
  }
  std::printf("%s\n",
              allWithinBounds ? "every figure within its bound" : "SOME FIGURE OVER ITS BOUND");
  InstallMessagePump(nullptr);
  return 0;
}
