#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "ComError.h"
#include "HandlerGuard.h"
#include "IniFile.h"
#include "KavelMeter.h"
#include "MessageBoxes.h"
#include "NamedRows.h"
#include "QtMessagePump.h"
#include "ScratchDir.h"
#include "Stopwatch.h"
#include "TesterExchange.h"
#include "UiTestSupport.h"
#include "useful.h"

struct ReportCase {
  const char* name;
  std::string message;
  std::string shown;
  friend void PrintTo(const ReportCase& row, std::ostream* out) { *out << row.name; }
};

class FailureReportDot : public ::testing::TestWithParam<ReportCase> {};

TEST_P(FailureReportDot, IsAddedOnlyAfterACharacterSortingAfterIt) {
  EXPECT_EQ(FailureReportText(GetParam().message), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, FailureReportDot,
    ::testing::Values(ReportCase{"Letter", "Abstract Error", "Abstract Error."},
                      ReportCase{"TrailingBlank", " object TMeter.EERead: NO ANSWER ",
                                 " object TMeter.EERead: NO ANSWER "},
                      ReportCase{"Parenthesis", "Nie można otworzyć com portu (win error code: 2)",
                                 "Nie można otworzyć com portu (win error code: 2)"},
                      ReportCase{"Dot", "Done.", "Done."}, ReportCase{"Hyphen", "a-", "a-"},
                      ReportCase{"Path", "Unable to write to /tmp/x.ini",
                                 "Unable to write to /tmp/x.ini."},
                      ReportCase{"Empty", "", ""}),
    RowName());

TEST(FailureReport, GuardReportsEveryFailureAndCommandsWaitForExchanges) {
  RecordingBoxes boxes;
  Guarded([] { throw EComPort(ceOpenFailed, 2); });
  Guarded([] { throw EAbstractError("Abstract Error"); });
  Guarded([] { throw 42; });
  Guarded([] {});
  ASSERT_EQ(boxes.shown.size(), 3u);
  EXPECT_EQ(boxes.shown[0].kind, BoxKind::Failure);
  EXPECT_EQ(boxes.shown[0].text, "Nie można otworzyć com portu (win error code: 2)");
  EXPECT_EQ(boxes.shown[1].text, "Abstract Error.");
  EXPECT_EQ(boxes.shown[2].text, "Unknown failure.");

  int runs = 0;
  {
    TesterExchange exchange;
    RunCommand([&] { ++runs; });
  }
  RunCommand([&] { ++runs; });
  EXPECT_EQ(runs, 1);
}

TEST(RealMessageBoxes, LookAsTheProgramShowsThem) {
  auto info = BuildMessageBox(BoxKind::Information, "one\rtwo");
  EXPECT_EQ(info->windowTitle(), "KAVEL S.A. devices' setup");
  EXPECT_EQ(info->text(), "one\ntwo");
  EXPECT_EQ(info->icon(), QMessageBox::NoIcon);
  EXPECT_EQ(info->standardButtons(), QMessageBox::Ok);

  auto question = BuildMessageBox(BoxKind::Confirmation, "Sure ?", false);
  EXPECT_EQ(question->windowTitle(), " Confirmation ");
  EXPECT_EQ(question->icon(), QMessageBox::Question);
  EXPECT_EQ(question->standardButtons(), QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(question->defaultButton(), question->button(QMessageBox::No));
  auto yesFirst = BuildMessageBox(BoxKind::Confirmation, "Sure ?", true);
  EXPECT_EQ(yesFirst->defaultButton(), yesFirst->button(QMessageBox::Yes));

  auto failure = BuildMessageBox(BoxKind::Failure, "Abstract Error.");
  EXPECT_EQ(failure->windowTitle(), "KAVEL S.A. devices' setup");
  EXPECT_EQ(failure->icon(), QMessageBox::Critical);
  EXPECT_EQ(failure->standardButtons(), QMessageBox::Ok);

  auto choice = BuildChoiceBox("Which ?", {"Finish", "Undo", "Leave"});
  EXPECT_EQ(choice->windowTitle(), "Change cut short");
  ASSERT_EQ(choice->buttons().size(), 3);
  EXPECT_EQ(choice->buttons()[0]->text(), "Finish");
  EXPECT_EQ(choice->defaultButton(), choice->buttons()[2]);
  EXPECT_EQ(choice->escapeButton(), choice->buttons()[2]);
}

TEST(QtPump, DelayKeepsTheWindowsLive) {
  QtMessagePump pump;
  InstallMessagePump(&pump);
  int fired = 0;
  QTimer::singleShot(20, [&] { ++fired; });
  QTimer::singleShot(60, [&] { ++fired; });
  Stopwatch watch;
  Delay(100);
  EXPECT_GE(watch.ElapsedMs(), 100);
  EXPECT_LT(watch.ElapsedMs(), 400);
  EXPECT_EQ(fired, 2);
  InstallMessagePump(nullptr);
}

TEST(Settings, NamesMatchRegardlessOfCaseAndWritesKeepTheRest) {
  const ScratchDir scratch;
  const auto path = (scratch / "kavel-setup.ini").string();
  std::ofstream(path) << "[Main Setings]\nSERIAL PORT=com4\n[ports]\ncom1=/dev/ttyUSB0\n";
  {
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("main setings", "Serial port", ""), "com4");
    EXPECT_EQ(ini.ReadString("Main Setings", "Meter", "NoType"), "NoType");
    EXPECT_EQ(ini.ReadSection("Ports"),
              (std::map<std::string, std::string>{{"com1", "/dev/ttyUSB0"}}));
    ini.WriteString("Main Setings", "Serial port", "COM2");
    ini.UpdateFile();
  }
  IniFile again(path);
  EXPECT_EQ(again.ReadString("Main Setings", "Serial port", ""), "COM2");
  EXPECT_EQ(again.ReadString("Ports", "COM1", ""), "/dev/ttyUSB0");

  IniFile nowhere("/dev/null/kavel.ini");  // no folder can be made there
  EXPECT_EQ(nowhere.ReadString("Main Setings", "Meter", "NoType"), "NoType");
  EXPECT_THROW(nowhere.UpdateFile(), Exception);
}
