#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "CommandLine.h"
#include "IniFile.h"
#include "PortNames.h"
#include "ScratchDir.h"
#include "TesterOnLine.h"

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

TEST(SettingsLocationSave, TheFirstSaveMakesTheFolder) {
  const ScratchDir scratch;
  const fs::path path = scratch / "config" / "kavel-setup" / "kavel-setup.ini";
  IniFile settings(path.string());
  settings.WriteString("Main Setings", "Meter", "NoType");
  settings.UpdateFile();
  EXPECT_EQ(Slurp(path), "[Main Setings]\nMeter=NoType\n");
}

TEST(CommandLine, VersionAndHelpAnswerOthersStart) {
  std::ostringstream out;
  char program[] = "kavel-setup";
  char version[] = "--version";
  char help[] = "--help";
  char qtStyle[] = "-style=fusion";
  char* withVersion[] = {program, version};
  EXPECT_EQ(AnswerCommandLine(2, withVersion, "1.0.2.31", "/x.ini", "", out), 0);
  EXPECT_EQ(out.str(), "kavel-setup 1.0.2.31\n");
  out.str("");
  char* withHelp[] = {program, help};
  EXPECT_EQ(AnswerCommandLine(2, withHelp, "1", "/home/u/.config/kavel-setup/kavel-setup.ini",
                              "/var/lib/kavel-setup/changes.jsonl", out),
            0);
  EXPECT_NE(out.str().find("Settings file: /home/u/.config/kavel-setup/kavel-setup.ini"),
            std::string::npos);
  EXPECT_NE(out.str().find("[Ports]"), std::string::npos);
  EXPECT_NE(out.str().find("Record of changes: /var/lib/kavel-setup/changes.jsonl"),
            std::string::npos);
  char* other[] = {program, qtStyle};
  EXPECT_FALSE(AnswerCommandLine(2, other, "1", "/x.ini", "", out));
}

// The built program, killed as a logout kills it: it saves its settings and
// lets go of the port, so a new start can open it at once.
TEST(ProgramEnding, TermSavesTheSettingsAndFreesThePort) {
  const ScratchDir scratch;
  const fs::path program = scratch / "kavel-setup";
  fs::copy_file(KAVEL_SETUP_PROGRAM, program);
  sim::TesterSimulator tester;
  std::ofstream(scratch / "kavel-setup.ini")
      << "[Ports]\nCOM1=" << tester.DevicePath()
      << "\n[Main Setings]\nSerial port=com1\nMeter=TVA740v0_199Type\n";
  const pid_t child = fork();
  if (child == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    execl(program.c_str(), program.c_str(), nullptr);
    _exit(127);
  }
  // Started once the port is taken: another open is refused meanwhile.
  SetPortBindings({{"COM1", tester.DevicePath()}});
  TKavelPort probe;
  bool held = false;
  for (int i = 0; i < 500 && !held; ++i) {
    held = !OpenPort(probe, "COM1");
    if (!held) probe.Close();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(held);
  kill(child, SIGTERM);
  int status = -1;
  for (int i = 0; i < 500 && waitpid(child, &status, WNOHANG) == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  // Saved: the port name as the program writes it, upper-cased.
  EXPECT_NE(Slurp(scratch / "kavel-setup.ini").find("Serial port=COM1\nMeter=TVA740v0_199Type\n"),
            std::string::npos);
  EXPECT_TRUE(OpenPort(probe, "COM1"));
  SetPortBindings({});
}
