#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "PortNames.h"
#include "TesterOnLine.h"

namespace {

// tester-sim started with arguments, its terminal path read from its output.
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
  }
  // Stops it as a user would, and answers its exit status.
  int Stop() {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string path;

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
  EXPECT_EQ(ExitCodeOf("--model"), 2);
  EXPECT_EQ(ExitCodeOf("--colour"), 2);
}

TEST(TesterProgram, EepromFileKeepsAChangeAcrossRestarts) {
  const auto file = std::filesystem::temp_directory_path() / "kavel-sim-program.bin";
  std::filesystem::remove(file);
  {
    RunningTesterProgram program("--model TVA-740 --firmware 1.50 --eeprom " + file.string());
    ASSERT_FALSE(program.path.empty());
    SetPortBindings({{"COM2", program.path}});
    TKavelPort port;
    ASSERT_TRUE(OpenPort(port, "COM2"));
    TMeter meter;
    meter.Port = &port;
    EXPECT_EQ(meter.GetMeterType(), kMeterTVA740v1);
    EXPECT_TRUE(meter.EEWrite(40, Bytes("66 87")));
    port.Close();
    EXPECT_EQ(program.Stop(), 0);
  }
  {
    RunningTesterProgram program("--eeprom " + file.string());
    SetPortBindings({{"COM2", program.path}});
    TKavelPort port;
    ASSERT_TRUE(OpenPort(port, "COM2"));
    TMeter meter;
    meter.Port = &port;
    std::string data;
    meter.EERead(40, data);
    EXPECT_EQ(data, Bytes("66 87 00 00"));
    port.Close();
    EXPECT_EQ(program.Stop(), 0);
  }
  SetPortBindings({});
  std::filesystem::remove(file);
}

TEST(TesterProgram, FaultsFromTheCommandLine) {
  RunningTesterProgram program("--fault no-answer:1");
  SetPortBindings({{"COM2", program.path}});
  TKavelPort port;
  ASSERT_TRUE(OpenPort(port, "COM2"));
  TMeter meter;
  meter.Port = &port;
  EXPECT_THROW(meter.GetMeterType(), ENoConnection);
  EXPECT_EQ(meter.GetMeterType(), kMeterTVA740v2);
  port.Close();
  EXPECT_EQ(program.Stop(), 0);
  SetPortBindings({});
}
