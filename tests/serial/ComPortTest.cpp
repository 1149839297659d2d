#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <thread>

#include "CPort.h"
#include "KavelMeter.h"
#include "PortNames.h"
#include "PseudoTerminal.h"
#include "Stopwatch.h"

namespace {

// A port under the tester's line preset, on COM7 bound to a pseudo-terminal
// whose master end the test plays.
class PortOnTerminal : public ::testing::Test {
 protected:
  void SetUp() override {
    SetPortBindings({{"COM7", line_.DevicePath()}});
    port_.SetPort("COM7");
  }
  void TearDown() override { SetPortBindings({}); }

  termios TerminalSettings() {
    termios t{};
    const int fd = open(line_.DevicePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
    tcgetattr(fd, &t);
    close(fd);
    return t;
  }
  speed_t TerminalSpeed() {
    const termios t = TerminalSettings();
    return cfgetospeed(&t);
  }

  PseudoTerminal line_;
  TKavelPort port_;
};

// Counts the device opens and closes behind the port's back.
class CountingPort : public TComPort {
 public:
  int opens = 0;
  int closes = 0;

 protected:
  void OpenDevice() override {
    TComPort::OpenDevice();
    ++opens;
  }
  void CloseDevice() override {
    ++closes;
    TComPort::CloseDevice();
  }
};

template <class F>
EComPort FailureOf(F operation) {
  try {
    operation();
  } catch (const EComPort& failure) {
    return failure;
  }
  ADD_FAILURE() << "no EComPort raised";
  return EComPort(0);
}

}  // namespace

TEST(ComPortModel, InitialPortReadsWithoutWaiting) {
  // Until time-outs are set, a read returns at once with what is queued.
  TComPort port;
  EXPECT_FALSE(port.Connected());
  EXPECT_EQ(port.Port(), "COM1");
  EXPECT_TRUE(port.Events.all());
  EXPECT_TRUE(ReadLimits(port.Timeouts().Values(), 6).returnAtOnce);
}

TEST(ComPortModel, PositiveOddBufferSizesAreStoredOneLower) {
  TComPort port;
  port.Buffer().SetInputSize(1025);
  EXPECT_EQ(port.Buffer().InputSize(), 1024);
  port.Buffer().SetInputSize(1023);
  EXPECT_EQ(port.Buffer().InputSize(), 1022);
  port.Buffer().SetInputSize(-3);
  EXPECT_EQ(port.Buffer().InputSize(), -3);
  port.Buffer().SetOutputSize(7);
  EXPECT_EQ(port.Buffer().OutputSize(), 6);
}

TEST(ComPortClosed, OperationsFailWithTheirCodesAndEbadf) {
  TComPort port;
  const EComPort purge = FailureOf([&] { port.PurgeBuffers(true, true); });
  EXPECT_EQ(purge.Code, 5);
  EXPECT_EQ(purge.OSErrorCode, EBADF);
  EXPECT_EQ(purge.Message, "Błąd wykonania funkcji PurgeComm (win error code: 9)");
  EXPECT_EQ(FailureOf([&] { port.WriteBytes("x"); }).Code, 2);
  std::string data;
  EXPECT_EQ(FailureOf([&] { port.ReadBytes(data, 1); }).Code, 3);
  EXPECT_EQ(FailureOf([&] { port.SetDTRState(true); }).Code, 12);
  EXPECT_EQ(FailureOf([&] { port.SetRTSState(false); }).Code, 12);
  // Nothing to send and nothing to receive reach no device.
  EXPECT_EQ(port.WriteBytes(""), 0);
  EXPECT_EQ(port.ReadBytes(data, 0), 0);
  port.Close();  // closing a closed port is no failure
}

TEST(ComPortClosed, NamesThatResolveToNoDeviceFailToOpen) {
  SetPortBindings({{"COM7", "/dev/null"}});
  for (const char* name :
       {"", "COM", "COMx", "COM1/..", "../COM7", "/dev/null", "COM7 ", "COM123456", "COM99"}) {
    TComPort port;
    port.SetPort(name);
    const EComPort failure = FailureOf([&] { port.Open(); });
    EXPECT_EQ(failure.Code, 1) << name;
    EXPECT_EQ(failure.OSErrorCode, ENOENT) << name;
    EXPECT_FALSE(port.Connected()) << name;
  }
  // A bound name whose device is not a terminal is refused too.
  TComPort port;
  port.SetPort("COM7");
  EXPECT_EQ(FailureOf([&] { port.Open(); }).Code, 1);
  SetPortBindings({});
}

TEST_F(PortOnTerminal, OpenAppliesThePresetToTheTerminal) {
  port_.Open();
  ASSERT_TRUE(port_.Connected());
  const termios t = TerminalSettings();
  EXPECT_EQ(cfgetospeed(&t), B2400);
  EXPECT_EQ(t.c_cflag & CSIZE, tcflag_t{CS8});
  EXPECT_TRUE(t.c_cflag & CSTOPB);
  EXPECT_FALSE(t.c_lflag & (ICANON | ECHO | ISIG));
  EXPECT_FALSE(t.c_oflag & OPOST);
  port_.Open();  // already open: nothing happens
  EXPECT_TRUE(port_.Connected());
}

TEST_F(PortOnTerminal, SettingsReachAnOpenPortAtOnceAndAClosedOneAtOpen) {
  const speed_t original = TerminalSpeed();
  port_.Open();
  port_.SetBaudRate(br9600);
  EXPECT_EQ(TerminalSpeed(), B9600);
  port_.Close();
  port_.SetBaudRate(br4800);
  EXPECT_EQ(TerminalSpeed(), original);  // given back at close
  port_.Open();
  EXPECT_EQ(TerminalSpeed(), B4800);
  // A rate without a termios speed fails the line settings and stays stored.
  EXPECT_EQ(FailureOf([&] { port_.SetBaudRate(br14400); }).Code, 7);
  EXPECT_EQ(port_.BaudRate(), br14400);
}

TEST_F(PortOnTerminal, ReadEndsAtCountOrAtTheDeadline) {
  port_.Open();
  std::string data = "stale";
  {
    Stopwatch watch;
    EXPECT_EQ(port_.ReadBytes(data, 6), 0);
    EXPECT_TRUE(data.empty());
    EXPECT_GE(watch.ElapsedMs(), 225);
    EXPECT_LT(watch.ElapsedMs(), 600);
  }
  {
    line_.Send("\x01\x02\x03\x04");
    Stopwatch watch;
    EXPECT_EQ(port_.ReadBytes(data, 6), 4);
    EXPECT_EQ(data, "\x01\x02\x03\x04");
    EXPECT_GE(watch.ElapsedMs(), 225);
    EXPECT_LT(watch.ElapsedMs(), 600);
  }
  {
    line_.Send("ABCDEFGH");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // let all 8 arrive
    Stopwatch watch;
    EXPECT_EQ(port_.ReadBytes(data, 6), 6);
    EXPECT_EQ(data, "ABCDEF");
    EXPECT_LT(watch.ElapsedMs(), 100);
    EXPECT_EQ(port_.ReadBytes(data, 2), 2);
    EXPECT_EQ(data, "GH");
  }
  {
    Stopwatch watch;
    EXPECT_EQ(port_.ReadBytes(data, 0), 0);
    EXPECT_TRUE(data.empty());
    EXPECT_LT(watch.ElapsedMs(), 50);
  }
}

TEST_F(PortOnTerminal, WritePurgeAndZeroBytes) {
  port_.Open();
  EXPECT_EQ(port_.WriteBytes(std::string("\x7A\x28\x00", 3)), 3);
  EXPECT_EQ(line_.Receive(500), std::string("\x7A\x28\x00", 3));
  EXPECT_EQ(port_.WriteBytes(""), 0);
  EXPECT_EQ(line_.Receive(50), "");

  line_.Send("old reply");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  port_.PurgeBuffers(true, true);
  line_.Send("new");
  std::string data;
  EXPECT_EQ(port_.ReadBytes(data, 3), 3);
  EXPECT_EQ(data, "new");
  // A pseudo-terminal has no modem lines: DTR and RTS calls do nothing.
  port_.SetDTRState(true);
  port_.SetRTSState(false);
}

TEST_F(PortOnTerminal, HangUpDuringAReadFailsPromptly) {
  port_.Open();
  std::thread cablePull([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    line_.HangUp();
  });
  Stopwatch watch;
  std::string data;
  const EComPort failure = FailureOf([&] { port_.ReadBytes(data, 18); });
  cablePull.join();
  EXPECT_EQ(failure.Code, 3);
  EXPECT_EQ(failure.OSErrorCode, EIO);
  EXPECT_LT(watch.ElapsedMs(), 200);  // the deadline would be 290 ms
  // The device has gone: the port is closed, and says so.
  EXPECT_FALSE(port_.Connected());
  EXPECT_EQ(FailureOf([&] { port_.PurgeBuffers(true, true); }).OSErrorCode, EBADF);
}

TEST_F(PortOnTerminal, SecondPortObjectIsRefused) {
  port_.Open();
  TKavelPort second;
  second.SetPort("COM7");
  const EComPort failure = FailureOf([&] { second.Open(); });
  EXPECT_EQ(failure.Code, 1);
  EXPECT_EQ(failure.Message, "Nie można otworzyć com portu (win error code: 16)");
  EXPECT_FALSE(second.Connected());
  port_.Close();
  second.Open();  // free again once closed
  EXPECT_TRUE(second.Connected());
}

TEST_F(PortOnTerminal, PortHeldByAnotherProcessIsRefused) {
  int ready[2], release[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(release), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(release[1]);  // so that the parent's close ends the read below
    const int fd = open(line_.DevicePath().c_str(), O_RDWR | O_NOCTTY);
    const char ok = fd >= 0 && flock(fd, LOCK_EX | LOCK_NB) == 0 ? 'y' : 'n';
    char byte;
    if (write(ready[1], &ok, 1) != 1 || read(release[0], &byte, 1) < 0) _exit(1);
    _exit(0);
  }
  char ok = 0;
  ASSERT_EQ(read(ready[0], &ok, 1), 1);
  ASSERT_EQ(ok, 'y');
  EXPECT_EQ(FailureOf([&] { port_.Open(); }).Code, 1);
  EXPECT_FALSE(port_.Connected());
  close(release[1]);
  waitpid(child, nullptr, 0);
  port_.Open();
  EXPECT_TRUE(port_.Connected());
  for (int fd : {ready[0], ready[1], release[0]}) close(fd);
}

TEST_F(PortOnTerminal, SyncMethodCannotChangeWhileOpen) {
  port_.Open();
  port_.SetSyncMethod(smThreadSync);  // unchanged: no failure
  const EComPort failure = FailureOf([&] { port_.SetSyncMethod(smNone); });
  EXPECT_EQ(failure.Code, 14);
  EXPECT_EQ(failure.Message, "Cannot set SyncMethod while connected");
  EXPECT_EQ(port_.SyncMethod(), smThreadSync);
  port_.Close();
  port_.SetSyncMethod(smNone);
  EXPECT_EQ(port_.SyncMethod(), smNone);
}

TEST(ComPortName, AssignmentComparesExactlyAndReopensAnOpenPort) {
  PseudoTerminal line;
  SetPortBindings({{"COM3", line.DevicePath()}, {"COM4", line.DevicePath()}});
  CountingPort port;
  port.SetPort("COM3");
  EXPECT_EQ(port.opens, 0);  // a closed port only stores the name
  port.Open();
  port.SetPort("COM3");
  EXPECT_EQ(port.opens, 1);
  port.SetPort("com3");  // other letter case: closed and reopened
  EXPECT_EQ(port.closes, 1);
  EXPECT_EQ(port.opens, 2);
  EXPECT_TRUE(port.Connected());
  EXPECT_EQ(port.Port(), "com3");

  EXPECT_THROW(port.SetPort("COM5"), EComPort);  // reopening fails: new name kept, port closed
  EXPECT_FALSE(port.Connected());
  EXPECT_EQ(port.Port(), "COM5");
  port.SetPort("COM4");
  EXPECT_FALSE(port.Connected());
  port.SetConnected(true);
  EXPECT_TRUE(port.Connected());
  port.SetConnected(false);
  EXPECT_FALSE(port.Connected());
  SetPortBindings({});
}

TEST_F(PortOnTerminal, HugeTimeOutsWaitInsteadOfReturningAtOnce) {
  // 4096 × 4294967294 ms lies beyond what the clock can count: as long as it
  // allows. The gap after the last byte ends the read.
  port_.Timeouts().SetReadInterval(100);
  port_.Timeouts().SetReadTotalConstant(0);
  port_.Timeouts().SetReadTotalMultiplier(-2);
  port_.Open();
  std::thread tester([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    line_.Send("late");
  });
  std::string data;
  EXPECT_EQ(port_.ReadBytes(data, 4096), 4);
  tester.join();
  EXPECT_EQ(data, "late");
}

TEST_F(PortOnTerminal, CloseGivesTheTerminalItsSettingsBack) {
  const termios before = TerminalSettings();
  port_.Open();
  ASSERT_EQ(TerminalSpeed(), B2400);
  port_.Close();
  const termios after = TerminalSettings();
  EXPECT_EQ(cfgetospeed(&after), cfgetospeed(&before));
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(after.c_cflag, before.c_cflag);
}
