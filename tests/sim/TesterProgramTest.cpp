#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "PortNames.h"
#include "ScratchDir.h"
#include "TesterOnLine.h"

namespace {

// tester-sim started with arguments, its terminal path read from its output
// and reached as COM2 by a meter object.
class RunningTesterProgram {
 public:
  explicit RunningTesterProgram(const std::string& arguments) {
    const std::string command = std::string("exec ") + TESTER_SIM_PROGRAM + " " + arguments;
    int out[2];
    if (pipe(out) != 0) throw std::runtime_error("pipe");
    pid_ = fork();
    if (pid_ == 0) {
      dup2(out[1], STDOUT_FILENO);
      close(out[0]);
      execl("/bin/sh", "sh", "-c", command.c_str(), nullptr);
      _exit(127);
    }
    close(out[1]);
    FILE* output = fdopen(out[0], "r");
    char line[256] = {};
    if (fgets(line, sizeof line, output)) path = std::string(line, strcspn(line, "\n"));
    fclose(output);
    SetPortBindings({{"COM2", path}});
    connected = OpenPort(port, "COM2");
    meter.Port = &port;
  }
  ~RunningTesterProgram() { SetPortBindings({}); }

  // Stops it as a user would, and answers its exit status.
  int Stop() {
    port.Close();
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string path;
  TKavelPort port;
  TMeter meter;
  bool connected = false;

 private:
  pid_t pid_ = -1;
};

int ExitCodeOf(const std::string& arguments) {
  const int status =
      std::system((TESTER_SIM_PROGRAM + (" " + arguments) + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(TesterProgram, HelpAndBadArguments) {
  EXPECT_EQ(ExitCodeOf("--help"), 0);
  EXPECT_EQ(ExitCodeOf("--fault melting"), 2);
  EXPECT_EQ(ExitCodeOf("--fault nak:x"), 2);
  EXPECT_EQ(ExitCodeOf("--fault nak@erase"), 2);
  EXPECT_EQ(ExitCodeOf("--fault nak@version:40"), 2);  // the version request has no address
  EXPECT_EQ(ExitCodeOf("--fault nak@write:65536"), 2);
  EXPECT_EQ(ExitCodeOf("--model"), 2);
  EXPECT_EQ(ExitCodeOf("--colour"), 2);
}

TEST(TesterProgram, EepromFileKeepsAChangeAcrossRestarts) {
  const ScratchDir scratch;
  const auto file = scratch / "eeprom.bin";
  {
    RunningTesterProgram program("--model TVA-740 --firmware 1.50 --eeprom " + file.string());
    ASSERT_TRUE(program.connected);
    EXPECT_EQ(program.meter.GetMeterType(), kMeterTVA740v1);
    EXPECT_TRUE(program.meter.EEWrite(40, Bytes("66 87")));
    EXPECT_EQ(program.Stop(), 0);
  }
  {
    RunningTesterProgram program("--eeprom " + file.string());
    ASSERT_TRUE(program.connected);
    std::string data;
    program.meter.EERead(40, data);
    EXPECT_EQ(data, Bytes("66 87 00 00"));
    EXPECT_EQ(program.Stop(), 0);
  }
}

TEST(TesterProgram, FaultsFromTheCommandLine) {
  RunningTesterProgram program("--fault no-answer:1");
  ASSERT_TRUE(program.connected);
  EXPECT_THROW(program.meter.GetMeterType(), ENoConnection);
  EXPECT_EQ(program.meter.GetMeterType(), kMeterTVA740v2);
  EXPECT_EQ(program.Stop(), 0);
}

TEST(TesterProgram, AFaultAimedAtOneAddress) {
  RunningTesterProgram program("--fault nak:5@write:126");
  ASSERT_TRUE(program.connected);
  EXPECT_TRUE(program.meter.EEWrite(40, Bytes("66 87")));  // another address: untouched
  EXPECT_THROW(program.meter.EEWrite(126, Bytes("3E 12")), EWriteError);
  EXPECT_TRUE(program.meter.EEWrite(126, Bytes("3E 12")));  // the five are used up
  EXPECT_EQ(program.Stop(), 0);
}
