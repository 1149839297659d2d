#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <tuple>

#include "ChangeRecord.h"
#include "CliInterruption.h"
#include "NamedRows.h"
#include "PortNames.h"
#include "RecordTrouble.h"
#include "RecordedLines.h"
#include "ScratchDir.h"
#include "TesterOnLine.h"
#include "useful.h"

using sim::Fault;

namespace {

struct CliRun {
  int status;
  std::string out;
};

// kavel-cli with a simulated tester bound to COM3 in a settings file.
class CliOnTester : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(settings_) << "[Ports]\nCOM3=" << tester_.DevicePath() << "\n";
  }

  // Runs kavel-cli with the arguments; typed is all its input, then its end;
  // as is a command that runs it (as another user).
  CliRun Cli(const std::string& arguments, const std::string& typed = "",
             const std::string& as = "") {
    const std::string command = "printf '%s' '" + typed + "' | env " + kRecordVariable + "=" +
                                record_.File().string() + " " + as + " " + KAVEL_CLI_PROGRAM +
                                " --settings " + settings_.string() + " " + arguments +
                                " 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    CliRun run{-1, ""};
    char buffer[512];
    while (pipe && fgets(buffer, sizeof buffer, pipe)) run.out += buffer;
    const int status = pipe ? pclose(pipe) : -1;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
  }

  // kavel-cli started apart, its input a pipe kept open and empty, so that
  // a signal meets it at a known point; answers its process id.
  pid_t Start(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {KAVEL_CLI_PROGRAM, "--settings", settings_.string()});
    return Spawn(arguments);
  }

  // A shell running script, in a process group of its own (the terminal's
  // foreground group, to a signal sent to the group).
  pid_t StartShell(const std::string& script) {
    return Spawn({"/bin/bash", "-c", script}, true);
  }

  // The command line of kavel-cli for a shell script.
  std::string CliCommand() const {
    return std::string(KAVEL_CLI_PROGRAM) + " --settings " + settings_.string();
  }

  pid_t Spawn(std::vector<std::string> arguments, bool ownGroup = false) {
    std::vector<char*> argv, envp;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::string record = std::string(kRecordVariable) + "=" + record_.File().string();
    for (char** variable = environ; *variable; ++variable) envp.push_back(*variable);
    envp.push_back(record.data());
    envp.push_back(nullptr);
    // Its ends of the pipes alone: a child holding the test's end would hide its close.
    if (pipe2(input_, O_CLOEXEC) != 0 || pipe2(errors_, O_CLOEXEC) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input_[0], 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, errors_[1], 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    if (ownGroup) posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    pid_t pid = -1;
    posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    close(input_[0]);
    close(errors_[1]);
    return pid;
  }

  // Reads what the started kavel-cli prints on its standard error until text
  // appears or it ends.
  void AwaitError(const std::string& text) {
    std::string printed;
    char buffer[256];
    ssize_t n;
    while (printed.find(text) == std::string::npos &&
           (n = read(errors_[0], buffer, sizeof buffer)) > 0)
      printed.append(buffer, static_cast<size_t>(n));
  }

  // What the started kavel-cli prints on its standard error from now to its end.
  std::string RestOfError() {
    std::string printed;
    char buffer[256];
    for (ssize_t n; (n = read(errors_[0], buffer, sizeof buffer)) > 0;)
      printed.append(buffer, static_cast<size_t>(n));
    return printed;
  }

  // Its exit status, or minus the signal that ended it.
  int Ended(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    close(input_[1]);
    close(errors_[0]);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
  }

  static QJsonObject Json(const std::string& text) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(text)).object();
  }

  ScratchDir scratch_;
  std::filesystem::path settings_ = scratch_ / "kavel-setup.ini";
  ChangeRecord record_{scratch_ / "state" / "changes.jsonl"};
  sim::TesterSimulator tester_{"TVA-740", "2.01"};
  int input_[2] = {-1, -1};
  int errors_[2] = {-1, -1};
};

// The line settings a program may change on a terminal, to compare.
auto LineOf(const termios& t) {
  return std::make_tuple(t.c_iflag, t.c_oflag, t.c_cflag, t.c_lflag, cfgetospeed(&t),
                         HexText(std::string(t.c_cc, t.c_cc + NCCS)));
}

}  // namespace

TEST_F(CliOnTester, IdentifyAndReadAsJson) {
  const QJsonObject identity = Json(Cli("identify --port COM3 --json").out);
  EXPECT_EQ(identity["status"].toInt(), 0);
  EXPECT_EQ(identity["version"].toString(), "TVA-740 v2.01");
  EXPECT_EQ(identity["model"].toString(), "TVA-740");
  EXPECT_EQ(identity["firmware"].toString(), "2.01");
  EXPECT_EQ(identity["code"].toInt(), 2);
  EXPECT_EQ(Json(Cli("voltage --port COM3 --json").out)["voltage"].toString(), "220");
  const QJsonObject automatic = Json(Cli("auto --port COM3 --json").out);
  EXPECT_EQ(automatic["auto"].toString(), "0x3C");
  EXPECT_EQ(automatic["measurements"].toArray().size(), 4);
  const QJsonObject port{{"name", "COM3"},
                         {"description", QString::fromStdString(tester_.DevicePath())}};
  EXPECT_TRUE(Json(Cli("ports --json").out)["ports"].toArray().contains(port));
  EXPECT_NE(Cli("ports").out.find("\n  COM3 " + tester_.DevicePath() + "\n"), std::string::npos);
}

TEST_F(CliOnTester, WithoutPortThePortTheProgramRemembers) {
  EXPECT_TRUE(Json(Cli("identify --json").out)["error"].toString().contains("\"Serial port\""));
  std::ofstream(settings_, std::ios::app) << "[Main Setings]\nSerial port=com3\n";
  const auto size = std::filesystem::file_size(settings_);
  const QJsonObject identity = Json(Cli("identify --json").out);
  EXPECT_EQ(identity["version"].toString(), "TVA-740 v2.01");
  EXPECT_EQ(identity["port"].toString(), "COM3");
  EXPECT_EQ(std::filesystem::file_size(settings_), size);  // read, never written
}

TEST_F(CliOnTester, VoltageSetSendsWhatTheDialogSends) {
  const std::string before = tester_.Eeprom();
  const CliRun run = Cli("voltage --port COM3 230 --yes --json");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(Json(run.out)["written"].toString(), "yes");
  // Identified, voltage read; identified anew, voltage and balance read anew,
  // both words written.
  EXPECT_EQ(tester_.Requests(),
            (std::vector<std::string>{AddCRC("V"), AddCRC(Bytes("6F 28 00")), AddCRC("V"),
                                      AddCRC(Bytes("6F 28 00")), AddCRC(Bytes("6F 7E 00")), AddCRC(Bytes("7A 28 00 66 87")),
                                      AddCRC(Bytes("7A 7E 00 3E 12"))}));
  std::string expected = before;
  expected.replace(40, 2, Bytes("66 87"));
  expected.replace(126, 2, Bytes("3E 12"));
  EXPECT_EQ(tester_.Eeprom(), expected);
}

TEST_F(CliOnTester, AutoBasicIsOneWriteOf0x44) {
  EXPECT_EQ(Cli("auto --port COM3 --basic --yes").status, 0);
  const auto requests = tester_.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.back(), AddCRC(Bytes("7A 90 00 44 5A")));
  EXPECT_EQ(std::count_if(requests.begin(), requests.end(),
                          [](const std::string& r) { return r[0] == 'z'; }),
            1);
}

// The image of a tester of the model with the bytes changed at the addresses.
std::string Image(const char* model, std::initializer_list<std::pair<int, const char*>> changes) {
  std::string image = sim::TesterSimulator::DefaultEeprom(model);
  for (const auto& [address, hex] : changes) image.replace(address, 2, Bytes(hex));
  return image;
}

// Two lines, the older first, as the record keeps them.
constexpr char kTwoChanges[] =
    R"({"time":"2026-12-06T09:00:00.000Z","port":"COM3","model":"TVA-740",)"
    R"("change":"AUTO-mode byte 0x3C to 0x44","locations":[],"outcome":"put-back"})" "\n"
    R"({"time":"2026-12-07T09:00:00.000Z","port":"COM4","model":"DKL-310",)"
    R"("change":"nominal voltage 220 V to 230 V","locations":[],"outcome":"done"})" "\n";
// A writer killed in the middle of its line.
constexpr char kTornLast[] =
    R"({"time":"2026-12-06T09:00:00.000Z","port":"COM3","model":"TVA-740",)"
    R"("change":"AUTO-mode byte 0x3C to 0x44","locations":[],"outcome":"put-back"})" "\n"
    R"({"time":"2026-12-07T09:30)";

void TvaHalfChanged(sim::TesterSimulator& tester) { tester.SetEepromBytes(40, Bytes("66 87")); }
void TvaAllNew(sim::TesterSimulator& tester) { tester.SetEepromBytes(40, Bytes("66 87 00 00")); tester.SetEepromBytes(126, Bytes("3E 12")); }

// The record's half-change with one part of its text replaced: made on
// another port, or never ended.
std::string TvaHalfChangedLineWith(const std::string& part, const std::string& replacement) {
  std::string line = TvaHalfChangedLine();
  return line.replace(line.find(part), part.size(), replacement);
}
void FolderIsAFile(const std::filesystem::path& record) {
  std::filesystem::remove_all(record.parent_path());
  std::ofstream(record.parent_path()) << "";
}
void FileIsAFolder(const std::filesystem::path& record) {
  std::filesystem::remove(record);
  std::filesystem::create_directory(record);
}
void DklHalfChanged(sim::TesterSimulator& tester) {
  tester.SetModel("DKL-310", "1.00");
  tester.SetEeprom(Image("DKL-310", {{112, "01 92"}}));
}

// Every exit status from a real cause; unless the row names the image it
// leaves, only a write that is done changes the tester. Each row also names
// the outcome of the record's last line, when there is one.
struct StatusCase {
  const char* name;
  const char* arguments;
  const char* answer = "";  // typed at the question
  void (*prepare)(sim::TesterSimulator&) = nullptr;  // the tester before the run
  int status;
  const char* recorded = "";  // the last line's outcome afterwards
  std::string history = "";     // the record's lines before the run
  std::string (*image)() = nullptr;
  const char* printed = "";  // a part of what it prints
  // What harms the record before the run: a file where its folder should
  // be (it cannot be written), a folder where the file should be (it
  // cannot be read, even by root).
  void (*harm)(const std::filesystem::path& record) = nullptr;
  const char* lastLineHas = "";  // a part of the record's last line
  friend void PrintTo(const StatusCase& row, std::ostream* out) { *out << row.name; }
};

class CliStatus : public CliOnTester, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(CliStatus, NamesTheOutcome) {
  const StatusCase& row = GetParam();
  std::filesystem::create_directories(record_.File().parent_path());
  std::ofstream(record_.File()) << row.history;
  if (row.harm) row.harm(record_.File());
  if (row.prepare) row.prepare(tester_);
  const std::string before = tester_.Eeprom();
  const CliRun run = Cli(row.arguments, row.answer);
  EXPECT_EQ(run.status, row.status) << run.out;
  EXPECT_NE(run.out.find(row.printed), std::string::npos) << run.out;
  if (row.image) {
    EXPECT_EQ(HexText(tester_.Eeprom()), HexText(row.image()));
  } else {
    EXPECT_EQ(tester_.Eeprom() != before, run.status == 0);
  }
  std::string recorded = "unreadable";
  try {
    const std::vector<ChangeLine> lines = record_.Lines();
    recorded = lines.empty() ? "" : lines.back().outcome;
  } catch (const RecordUnreadable&) {
  }
  EXPECT_EQ(recorded, row.recorded);
  std::ifstream in(record_.File());
  std::string line, last;
  while (std::getline(in, line)) last = line;
  EXPECT_NE(last.find(row.lastLineHas), std::string::npos) << last;
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, CliStatus,
    ::testing::Values(
        StatusCase{.name = "Usage", .arguments = "voltage", .status = 1},
        StatusCase{.name = "AbsentPort", .arguments = "identify --port COM9", .status = 2},
        StatusCase{.name = "SilentTester", .arguments = "identify --port COM3",
                   .prepare = [](sim::TesterSimulator& tester) {
                     tester.AddFault(Fault::NoAnswer, sim::kForever);
                   }, .status = 3},
        StatusCase{.name = "CorruptReply", .arguments = "identify --port COM3",
                   .prepare = [](sim::TesterSimulator& tester) {
                     tester.AddFault(Fault::WrongCrc, sim::kForever);
                   }, .status = 4},
        StatusCase{.name = "RefusedWrite", .arguments = "voltage --port COM3 230 --yes --json",
                   .prepare = [](sim::TesterSimulator& tester) {
                     tester.AddFault(Fault::Nak, sim::kForever, 'z');
                   }, .status = 7, .recorded = "half-changed",
                   .printed =
                       "It will be offered for finishing or undoing the next time this tester is met."},
        StatusCase{.name = "ExpectedAnotherModel",
                   .arguments = "voltage --port COM3 220 --yes --expect TVA-740",
                   .prepare = [](sim::TesterSimulator& tester) {
                     tester.SetModel("DKL-310", "1.00");
                   }, .status = 5},
        StatusCase{.name = "AnsweredY", .arguments = "voltage --port COM3 230", .answer = "y\n",
                   .status = 0, .recorded = "done",
                   .lastLineHas = R"("change":"nominal voltage 220 V to 230 V","locations":[)"
                     R"({"address":40,"before":"5C 87","written":"66 87","outcome":"written"},)"
                     R"({"address":126,"before":"34 12","written":"3E 12","outcome":"written"}])"},
        StatusCase{.name = "AnsweredYesInCapitals", .arguments = "voltage --port COM3 230",
                   .answer = "YES\n", .status = 0, .recorded = "done"},
        StatusCase{.name = "AnsweredNo", .arguments = "voltage --port COM3 230", .answer = "no\n",
                   .status = 6},
        StatusCase{.name = "AnsweredEmptyLine", .arguments = "voltage --port COM3 230",
                   .answer = "\n", .status = 6},
        StatusCase{.name = "InputEnded", .arguments = "voltage --port COM3 230", .status = 6},
        StatusCase{.name = "NoTrippingOption", .arguments = "auto --port COM3 --set 0x03 --yes",
                   .status = 6},
        // Refused before the question: a yes would not change it.
        StatusCase{.name = "UnrecognisedVoltage", .arguments = "voltage --port COM3 230",
                   .answer = "y\n", .prepare = [](sim::TesterSimulator& tester) {
                     tester.SetEepromBytes(40, Bytes("5C 87 01 00"));
                   }, .status = 6},
        StatusCase{.name = "SettingsBlockFailsItsCrc", .arguments = "voltage --port COM3 220 --yes",
                   .prepare = [](sim::TesterSimulator& tester) {
                     tester.SetModel("DKL-310", "1.00");
                   }, .status = 4, .recorded = "not-written"},
        StatusCase{.name = "AutoWritten", .arguments = "auto --port COM3 --basic --yes",
                   .status = 0, .recorded = "done",
                   .lastLineHas = R"("change":"AUTO-mode byte 0x3C to 0x44","locations":[)"
                     R"({"address":144,"before":"3C 5A","written":"44 5A","outcome":"written"}])"},
        // Refused and restored: the balance word's write refused, the voltage
        // word put back.
        StatusCase{.name = "SecondWriteRefused", .arguments = "voltage --port COM3 230 --yes",
                   .prepare = [](sim::TesterSimulator& tester) {
                     tester.AddFault(Fault::Nak, 5, 'z', 126);
                   }, .status = 4, .recorded = "put-back",
                   .lastLineHas =
                       R"({"address":40,"before":"5C 87","written":"66 87","putBack":"5C 87",)"
                     R"("outcome":"put-back"},{"address":126,"before":"34 12","written":"3E 12",)"
                     R"("putBack":"34 12","outcome":"put-back"}])"},
        StatusCase{.name = "HungUpAtTheSecondWrite", .arguments = "voltage --port COM3 230 --yes",
                   .prepare = [](sim::TesterSimulator& tester) {
                     tester.AddFault(Fault::HangUp, 1, 'z', 126);
                   }, .status = 7, .recorded = "half-changed",
                   .image = [] { return Image("TVA-740", {{40, "66 87"}}); },
                   .lastLineHas =
                       R"("address":126,"before":"34 12","written":"3E 12","putBack":"34 12",)"
                     R"("outcome":"unknown"}])"},
        StatusCase{.name = "HalfChangeFoundBeforeARead", .arguments = "voltage --port COM3",
                   .prepare = TvaHalfChanged, .status = 7, .recorded = "half-changed",
                   .history = TvaHalfChangedLine()},
        StatusCase{.name = "HalfChangeFoundBeforeAuto",
                   .arguments = "auto --port COM3 --basic --yes", .prepare = TvaHalfChanged,
                   .status = 7, .recorded = "half-changed", .history = TvaHalfChangedLine()},
        StatusCase{.name = "HalfChangeFinished",
                   .arguments = "voltage --port COM3 --repair finish --yes",
                   .prepare = TvaHalfChanged, .status = 0, .recorded = "done",
                   .history = TvaHalfChangedLine(),
                   .image = [] { return Image("TVA-740", {{40, "66 87"}, {126, "3E 12"}}); },
                   .lastLineHas =
                       R"x("change":"finish of the half-change of 2026-12-07T10:00:00.000Z )x"
                     R"x((nominal voltage 220 V to 230 V)","about":"7d0c0a1e","settles":true,)x"
                     R"x("locations":[{"address":126,)x"
                     R"x("before":"34 12","written":"3E 12","outcome":"written"}])x"},
        StatusCase{.name = "HalfChangeUndone", .arguments = "voltage --port COM3 --repair undo",
                   .answer = "y\n", .prepare = TvaHalfChanged, .status = 0, .recorded = "done",
                   .history = TvaHalfChangedLine(), .image = [] { return Image("TVA-740", {}); }},
        StatusCase{.name = "HalfChangeRepairDeclined",
                   .arguments = "voltage --port COM3 --repair undo", .answer = "n\n",
                   .prepare = TvaHalfChanged, .status = 6, .recorded = "half-changed",
                   .history = TvaHalfChangedLine()},
        StatusCase{.name = "DklHalfChangeFound", .arguments = "voltage --port COM3",
                   .prepare = DklHalfChanged, .status = 7, .recorded = "half-changed",
                   .history = DklHalfChangedLine()},
        StatusCase{.name = "DklHalfChangeFinished",
                   .arguments = "voltage --port COM3 --repair finish --yes",
                   .prepare = DklHalfChanged, .status = 0, .recorded = "done",
                   .history = DklHalfChangedLine(),
                   .image = [] { return Image("DKL-310", {{112, "01 92"}, {122, "A4 7D"}}); },
                   .lastLineHas =
                       R"("locations":[{"address":122,"before":"16 C2","written":"A4 7D",)"
                     R"("outcome":"written"}])"},
        StatusCase{.name = "DklHalfChangeUndone",
                   .arguments = "voltage --port COM3 --repair undo --yes",
                   .prepare = DklHalfChanged, .status = 0, .recorded = "done",
                   .history = DklHalfChangedLine(), .image = [] { return Image("DKL-310", {}); }},
        // Another tester of the model: nothing written, nothing recorded, and
        // the half-change still waits for its own tester.
        StatusCase{.name = "HalfChangeNotFound", .arguments = "voltage --port COM3",
                   .prepare = [](sim::TesterSimulator& tester) {
                     tester.SetEepromBytes(126, Bytes("00 00"));
                   }, .status = 0, .recorded = "half-changed",
                   .history = TvaHalfChangedLine(),
                   .image = [] { return Image("TVA-740", {{126, "00 00"}}); }},
        // The adapter given another COM number: found all the same, and named
        // by the port it happened on.
        StatusCase{.name = "HalfChangeOnAnotherPort", .arguments = "voltage --port COM3 --json",
                   .prepare = TvaHalfChanged, .status = 7, .recorded = "half-changed",
                   .history = TvaHalfChangedLineWith("COM3", "COM7"),
                   .printed = "this TVA-740 on COM7"},
        // Killed between the writes: only the line before the first write.
        StatusCase{.name = "HalfChangeNeverEnded",
                   .arguments = "voltage --port COM3 --repair undo --yes",
                   .prepare = TvaHalfChanged, .status = 0, .recorded = "done",
                   .history =
                       TvaHalfChangedLineWith(R"("outcome":"half-changed")", R"("outcome":"started")"),
                   .image = [] { return Image("TVA-740", {}); }},
        // All new on the port it was made on: it took, and that settles it.
        StatusCase{.name = "HalfChangeTookOnItsPort", .arguments = "voltage --port COM3",
                   .prepare = TvaAllNew, .status = 0, .recorded = "not-written",
                   .history = TvaHalfChangedLine(),
                   .image = [] { return Image("TVA-740", {{40, "66 87"}, {126, "3E 12"}}); },
                   .lastLineHas = R"("about":"7d0c0a1e","settles":true)"},
        // All new on another port: as any tester set alike; nothing settled.
        StatusCase{.name = "HalfChangeAllNewElsewhere", .arguments = "voltage --port COM3",
                   .prepare = TvaAllNew, .status = 0, .recorded = "half-changed",
                   .history = TvaHalfChangedLineWith("COM3", "COM7"),
                   .image = [] { return Image("TVA-740", {{40, "66 87"}, {126, "3E 12"}}); }},
        // A repair refused names the half-change and leaves it pending.
        StatusCase{.name = "HalfChangeRepairRefused",
                   .arguments = "voltage --port COM3 --repair finish --yes",
                   .prepare = [](sim::TesterSimulator& tester) {
                     TvaHalfChanged(tester);
                     tester.AddFault(Fault::Nak, sim::kForever, 'z');
                   }, .status = 7, .recorded = "half-changed",
                   .history = TvaHalfChangedLine(),
                   .image = [] { return Image("TVA-740", {{40, "66 87"}}); },
                   .lastLineHas = R"("about":"7d0c0a1e","settles":false)"},
        StatusCase{.name = "HistoryOfAChangeNeverEnded", .arguments = "history", .status = 0,
                   .recorded = "started",
                   .history =
                       TvaHalfChangedLineWith(R"("outcome":"half-changed")", R"("outcome":"started")"),
                   .image = [] { return Image("TVA-740", {}); },
                   .printed = "TVA-740  half-changed  tech"},
        StatusCase{.name = "PendingListed", .arguments = "history --pending", .status = 0,
                   .recorded = "half-changed", .history = TvaHalfChangedLine(),
                   .image = [] { return Image("TVA-740", {}); },
                   .printed = "half-changed  tech        7d0c0a1e  nominal voltage 220 V to 230 V"},
        StatusCase{.name = "Forgotten", .arguments = "forget 7d0c0a1e --yes", .status = 0,
                   .recorded = "not-written", .history = TvaHalfChangedLine(),
                   .image = [] { return Image("TVA-740", {}); },
                   .lastLineHas = R"("action":"forget",)"},
        StatusCase{.name = "ForgetDeclined", .arguments = "forget 7d0c0a1e", .answer = "n\n",
                   .status = 6, .recorded = "half-changed", .history = TvaHalfChangedLine(),
                   .image = [] { return Image("TVA-740", {}); }},
        StatusCase{.name = "ForgetNothingPending", .arguments = "forget 7d0c0a1e --yes",
                   .status = 6, .image = [] { return Image("TVA-740", {}); }},
        StatusCase{.name = "HalfChangeOfAnotherModel", .arguments = "voltage --port COM3",
                   .prepare = [](sim::TesterSimulator& tester) {
                     tester.SetEepromBytes(40, Bytes("66 87"));
                   }, .status = 0, .recorded = "half-changed",
                   .history = DklHalfChangedLine(),
                   .image = [] { return Image("TVA-740", {{40, "66 87"}}); }},
        // Cut short, it would leave no trace: not made, unless asked for.
        StatusCase{.name = "RecordCannotBeWritten",
                   .arguments = "voltage --port COM3 230 --yes --json", .status = 8,
                   .printed = "--without-record makes the change without a trace",
                   .harm = FolderIsAFile},
        StatusCase{.name = "RecordCannotBeWrittenWithoutRecord",
                   .arguments = "voltage --port COM3 230 --yes --without-record --json",
                   .status = 0,
                   .printed = "This change could not be added to the record of changes",
                   .harm = FolderIsAFile},
        // One location is never a mix: made, and the user told.
        StatusCase{.name = "RecordCannotBeWrittenAuto",
                   .arguments = "auto --port COM3 --basic --yes --json", .status = 0,
                   .printed = "This change could not be added to the record of changes",
                   .harm = FolderIsAFile},
        // A record that cannot be read may hide a half-change: what the tester
        // holds is shown, nothing is written, and the status says so.
        StatusCase{.name = "RecordUnreadableRead", .arguments = "voltage --port COM3 --json",
                   .status = 8, .recorded = "unreadable", .printed = R"("voltage":"220")",
                   .harm = FileIsAFolder},
        StatusCase{.name = "RecordUnreadableAutoRead", .arguments = "auto --port COM3", .status = 8,
                   .recorded = "unreadable", .printed = "auto: 0x3C", .harm = FileIsAFolder},
        StatusCase{.name = "RecordUnreadableWrite", .arguments = "voltage --port COM3 230 --yes",
                   .status = 8, .recorded = "unreadable", .harm = FileIsAFolder},
        StatusCase{.name = "RecordUnreadableAutoWrite",
                   .arguments = "auto --port COM3 --basic --yes", .status = 8,
                   .recorded = "unreadable", .harm = FileIsAFolder},
        StatusCase{.name = "RecordUnreadableRepair",
                   .arguments = "voltage --port COM3 --repair undo --yes",
                   .prepare = TvaHalfChanged, .status = 8, .recorded = "unreadable",
                   .harm = FileIsAFolder},
        StatusCase{.name = "RecordUnreadableHistory", .arguments = "history --json", .status = 8,
                   .recorded = "unreadable", .image = [] { return Image("TVA-740", {}); },
                   .printed = "cannot be read", .harm = FileIsAFolder},
        StatusCase{.name = "RecordUnreadableForget", .arguments = "forget 7d0c0a1e --yes",
                   .status = 8, .recorded = "unreadable",
                   .image = [] { return Image("TVA-740", {}); }, .harm = FileIsAFolder},
        // A tester carried from another computer's bench is found; all new
        // here, it is another tester set alike as far as this port knows.
        StatusCase{.name = "HalfChangeOfAnotherComputer", .arguments = "voltage --port COM3",
                   .prepare = TvaHalfChanged, .status = 7, .recorded = "half-changed",
                   .history = TvaHalfChangedLineWith(R"("computer":")", R"("computer":"bench 2)")},
        StatusCase{.name = "HalfChangeAllNewOnAnotherComputer", .arguments = "voltage --port COM3",
                   .prepare = TvaAllNew, .status = 0, .recorded = "half-changed",
                   .history = TvaHalfChangedLineWith(R"("computer":")", R"("computer":"bench 2)"),
                   .image = [] { return Image("TVA-740", {{40, "66 87"}, {126, "3E 12"}}); }},
        StatusCase{.name = "AppendedAfterATornLine", .arguments = "voltage --port COM3 230 --yes",
                   .status = 0, .recorded = "done", .history = kTornLast},
        StatusCase{.name = "HistoryNewestFirst", .arguments = "history", .status = 0,
                   .recorded = "done", .history = kTwoChanges,
                   .image = [] { return Image("TVA-740", {}); },
                   .printed =
                       "nominal voltage 220 V to 230 V\n2026-12-06T09:00:00.000Z  COM3    TVA-740  "
                     "put-back"},
        StatusCase{.name = "HistoryOfAPortAsJson", .arguments = "history --port com3 --json",
                   .status = 0, .recorded = "done", .history = kTwoChanges,
                   .image = [] { return Image("TVA-740", {}); },
                   .printed = R"("changes":[{"id":"2026-12-06T09:00:00.000Z)"},
        // Newest first, so only the end of the list shows the older line left out.
        StatusCase{.name = "HistorySince", .arguments = "history --since 2026-12-07 --json",
                   .status = 0, .recorded = "done", .history = kTwoChanges,
                   .image = [] { return Image("TVA-740", {}); },
                   .printed = R"("outcome":"done"}]})"},
        // One row per change for a spreadsheet, newest first, CRLF ends.
        StatusCase{.name = "HistoryAsCsv", .arguments = "history --csv --port COM3", .status = 0,
                   .recorded = "done", .history = kTwoChanges,
                   .image = [] { return Image("TVA-740", {}); }, .printed = "put back\r\n"},
        StatusCase{.name = "HistoryCsvNotJson", .arguments = "history --csv --json", .status = 1,
                   .recorded = "done", .history = kTwoChanges,
                   .image = [] { return Image("TVA-740", {}); }},
        // Read all the same: a rotation cut short is recovered at the look-up.
        StatusCase{.name = "HistoryOfAFolderWithoutCurrentFile", .arguments = "history",
                   .status = 0, .recorded = "done", .history = kTwoChanges,
                   .image = [] { return Image("TVA-740", {}); }, .printed = "put-back",
                   .harm = [](const std::filesystem::path& record) {
                     std::filesystem::rename(
                         record, std::filesystem::path(record).replace_filename("changes.7.jsonl"));
                   }},
        // A name with an escape sequence in it cannot act on the terminal.
        StatusCase{.name = "HistoryWithoutControlCharacters", .arguments = "history", .status = 0,
                   .recorded = "done",
                   .history =
                       R"({"time":"2026-12-07T09:00:00.000Z","user":"tech\u001b[2J","outcome":"done"})"
                     "\n", .image = [] { return Image("TVA-740", {}); },
                   .printed = "tech?[2J"},
        StatusCase{.name = "NothingToRepair",
                   .arguments = "voltage --port COM3 --repair finish --yes", .status = 0,
                   .image = [] { return Image("TVA-740", {}); }}),
    RowName());

// kavel-cli killed the moment the tester has taken the first write: the
// line made before that write is all the record has, and it is enough to
// find the mix and put the tester back exactly.
TEST_F(CliOnTester, KilledBetweenTheWritesIsFoundAndUndone) {
  std::atomic<pid_t> cli{0};
  std::atomic<bool> sent{false};
  tester_.OnEepromWritten([&] {
    if (!sent.exchange(true)) kill(cli, SIGKILL);
  });
  cli = Start({"voltage", "--port", "COM3", "230", "--yes"});
  EXPECT_EQ(Ended(cli), -SIGKILL);
  tester_.OnEepromWritten({});
  EXPECT_EQ(tester_.EepromBytes(40, 2), Bytes("66 87"));
  EXPECT_EQ(Cli("voltage --port COM3").status, 7);
  EXPECT_EQ(Cli("voltage --port COM3 --repair undo --yes").status, 0);
  EXPECT_EQ(HexText(tester_.Eeprom()), HexText(Image("TVA-740", {})));
  EXPECT_EQ(Cli("voltage --port COM3").status, 0);
}

TEST_F(CliOnTester, TheTestersBytesReadAsLatin1WithoutControlBytes) {
  tester_.SetModel(std::string("T\x01V-7") + "\xB5" + "4", "2.01");
  const QJsonObject identity = Json(Cli("identify --port COM3 --json").out);
  EXPECT_EQ(identity["version"].toString(), QString::fromUtf8("T?V-7µ4 v2.01"));
}

TEST_F(CliOnTester, ALeadingZeroIsNoOctal) {
  EXPECT_EQ(Json(Cli("auto --port COM3 --set 044 --yes --json").out)["auto"].toString(), "0x2C");
  EXPECT_EQ(tester_.EepromBytes(144, 1), Bytes("2C"));
}

TEST_F(CliOnTester, APortTheProgramHoldsIsRefused) {
  SetPortBindings({{"COM3", tester_.DevicePath()}});
  TKavelPort program;
  ASSERT_TRUE(OpenPort(program, "COM3"));
  EXPECT_EQ(Cli("identify --port COM3").status, 2);
  EXPECT_TRUE(tester_.Requests().empty());
  SetPortBindings({});
}

// Interrupted at its question (a reader of its messages gone, for SIGPIPE):
// nothing is written and the port gets back its settings, then kavel-cli
// dies by the signal, forget as voltage.
class CliInterruptedAtItsQuestion
    : public CliOnTester,
      public ::testing::WithParamInterface<std::tuple<const char*, int>> {};

TEST_P(CliInterruptedAtItsQuestion, WritesNothingAndDiesByTheSignal) {
  const auto [command, signal] = GetParam();
  const bool forget = std::string(command) == "forget";
  if (forget) {
    std::filesystem::create_directories(record_.File().parent_path());
    std::ofstream(record_.File()) << TvaHalfChangedLine();
  }
  const termios before = tester_.TerminalSettings();
  const std::string image = tester_.Eeprom();
  const size_t recorded = record_.Lines().size();
  const pid_t cli = Start(forget ? std::vector<std::string>{"forget", "7d0c0a1e"}
                                 : std::vector<std::string>{"voltage", "--port", "COM3", "230"});
  if (signal == SIGPIPE) {
    close(errors_[0]);
  } else {
    AwaitError("[y/N] ");
    kill(cli, signal);
  }
  EXPECT_EQ(Ended(cli), -signal);
  EXPECT_EQ(HexText(tester_.Eeprom()), HexText(image));
  EXPECT_EQ(record_.Lines().size(), recorded);
  EXPECT_EQ(LineOf(tester_.TerminalSettings()), LineOf(before));
}

INSTANTIATE_TEST_SUITE_P(
    Signals, CliInterruptedAtItsQuestion,
    ::testing::Values(std::make_tuple("voltage", SIGINT), std::make_tuple("voltage", SIGQUIT),
                      std::make_tuple("voltage", SIGPIPE), std::make_tuple("forget", SIGTERM)),
    [](const auto& row) {
      return std::get<0>(row.param) + std::string(sigabbrev_np(std::get<1>(row.param)));
    });

// A hang-up ignored when kavel-cli started (nohup) stays ignored: it waits
// on for the answer, and writes.
TEST_F(CliOnTester, StartedUnderNohupOutlivesAHangUpAtItsQuestion) {
  const auto before = signal(SIGHUP, SIG_IGN);
  const pid_t cli = Start({"voltage", "--port", "COM3", "230"});
  signal(SIGHUP, before);
  AwaitError("[y/N] ");
  kill(cli, SIGHUP);
  ASSERT_EQ(write(input_[1], "y\n", 2), 2);
  EXPECT_EQ(Ended(cli), 0);
  EXPECT_EQ(tester_.EepromBytes(40, 2), Bytes("66 87"));
}

// A loop of two changes whose first is interrupted by Ctrl+C, sent to the
// whole group as a terminal sends it: the first is finished, and the shell
// stops before the second, as kavel-cli died by the signal.
TEST_F(CliOnTester, AShellLoopInterruptedInItsFirstChangeStopsBeforeTheSecond) {
  tester_.SetPaced(true);
  std::atomic<pid_t> shell{0};
  std::atomic<bool> sent{false};
  tester_.OnEepromWritten([&] {
    if (!sent.exchange(true)) kill(-shell, SIGINT);
  });
  shell = StartShell("for v in 230 220; do " + CliCommand() + " voltage --port COM3 $v --yes; done");
  EXPECT_EQ(Ended(shell), -SIGINT);
  tester_.OnEepromWritten({});
  EXPECT_EQ(tester_.EepromBytes(40, 2), Bytes("66 87"));
  EXPECT_EQ(record_.Lines().size(), 2u);
}

// A half-changed tester plugged in while kavel-cli waits at its question: the
// one met first held the old bytes, so the change made on COM7 was not its
// own; the one identified anew before the write gets nothing written.
TEST_F(CliOnTester, AHalfChangedTesterSwappedInAtTheQuestionIsRefused) {
  std::filesystem::create_directories(record_.File().parent_path());
  std::ofstream(record_.File()) << TvaHalfChangedLineWith("\"COM3\"", "\"COM7\"");
  const pid_t cli = Start({"voltage", "--port", "COM3", "230"});
  AwaitError("[y/N] ");
  TvaHalfChanged(tester_);
  const std::string image = tester_.Eeprom();
  ASSERT_EQ(write(input_[1], "y\n", 2), 2);
  EXPECT_EQ(Ended(cli), 7);
  EXPECT_EQ(HexText(tester_.Eeprom()), HexText(image));
}

// Each ending signal, sent the moment the tester has taken each write of a
// voltage change: the change is finished and recorded, then kavel-cli dies
// by the signal, the port's settings as they were; the second time it says,
// once, that it is finishing.
class CliInterruptedInAChange : public CliOnTester, public ::testing::WithParamInterface<int> {};

TEST_P(CliInterruptedInAChange, FinishesTheChangeThenEnds) {
  const termios before = tester_.TerminalSettings();
  tester_.SetPaced(true);
  std::atomic<pid_t> cli{0};
  std::atomic<int> sent{0};
  tester_.OnEepromWritten([&] {
    kill(cli, GetParam());
    ++sent;
  });
  cli = Start({"voltage", "--port", "COM3", "230", "--yes"});
  const std::string printed = RestOfError();
  EXPECT_EQ(Ended(cli), -GetParam());
  EXPECT_EQ(sent, 2);
  const size_t told = printed.find(kStillFinishingText);
  EXPECT_NE(told, std::string::npos);
  EXPECT_EQ(printed.find(kStillFinishingText, told + 1), std::string::npos);
  EXPECT_EQ(HexText(tester_.Eeprom()), HexText(Image("TVA-740", {{40, "66 87"}, {126, "3E 12"}})));
  ASSERT_FALSE(record_.Lines().empty());
  EXPECT_EQ(record_.Lines().back().outcome, "done");
  EXPECT_EQ(LineOf(tester_.TerminalSettings()), LineOf(before));
}

INSTANTIATE_TEST_SUITE_P(EndingSignals, CliInterruptedInAChange,
                         ::testing::Values(SIGINT, SIGQUIT, SIGTERM, SIGHUP),
                         [](const auto& row) { return std::string(sigabbrev_np(row.param)); });

// Two users of the computer share its record, in a folder made as the
// package makes it: the first one's change, cut short under a umask that
// keeps files to their owner, is found by the second, who puts it right.
TEST_F(CliOnTester, ASecondUserFindsAndRepairsTheFirstOnesHalfChange) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root, to run kavel-cli as a second user";
  const std::filesystem::path shared = scratch_ / "var-lib-kavel-setup";
  std::filesystem::create_directory(shared);
  ASSERT_EQ(chown(shared.c_str(), 0, 20), 0);  // root:dialout, Debian's fixed group
  ASSERT_EQ(chmod(shared.c_str(), 02775), 0);
  ASSERT_EQ(chmod(scratch_.Path().c_str(), 0755), 0);
  ASSERT_EQ(chmod(settings_.c_str(), 0644), 0);
  ASSERT_EQ(chmod(tester_.DevicePath().c_str(), 0666), 0);
  record_ = ChangeRecord(shared / "changes.jsonl");
  std::atomic<pid_t> cli{0};
  std::atomic<bool> sent{false};
  tester_.OnEepromWritten([&] {
    if (!sent.exchange(true)) kill(cli, SIGKILL);
  });
  const mode_t umaskBefore = umask(077);
  cli = Start({"voltage", "--port", "COM3", "230", "--yes"});
  EXPECT_EQ(Ended(cli), -SIGKILL);
  umask(umaskBefore);
  tester_.OnEepromWritten({});
  // The simulator keeps its end of the terminal open, so the exclusive use
  // the killed program took stays (a real port's last close ends it).
  const int line = open(tester_.DevicePath().c_str(), O_RDWR | O_NOCTTY);
  ioctl(line, TIOCNXCL);
  close(line);
  const std::string secondUser = "setpriv --reuid=nobody --regid=nogroup --groups=dialout";
  EXPECT_EQ(Cli("voltage --port COM3", "", secondUser).status, 7);
  EXPECT_EQ(Cli("voltage --port COM3 --repair undo --yes", "", secondUser).status, 0);
  EXPECT_EQ(HexText(tester_.Eeprom()), HexText(Image("TVA-740", {})));
  ASSERT_FALSE(record_.Lines().empty());
  EXPECT_EQ(record_.Lines().back().user, "nobody");
  EXPECT_TRUE(record_.Pending().empty());
}
