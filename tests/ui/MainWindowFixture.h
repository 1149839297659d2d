#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "ChangeRecord.h"
#include "PortNames.h"
#include "ProgramWindows.h"
#include "QtMessagePump.h"
#include "ScratchDir.h"
#include "TesterSimulator.h"
#include "UiTestSupport.h"
#include "fmChangeVoltage_.h"

// The program's windows on a settings file of the test's own, with a
// simulated tester that the settings can bind to a port name.
class MainWindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsPath_ = (dir_ / "kavel-setup.ini").string();
    recordBefore_ = qgetenv(kRecordVariable);
    qputenv(kRecordVariable, QByteArray::fromStdString(record_.File().string()));
    InstallMessagePump(&pump_);
  }
  void TearDown() override {
    form_.reset();
    InstallMessagePump(nullptr);
    SetPortBindings({});
    qputenv(kRecordVariable, recordBefore_);
  }

  void WriteSettings(const std::string& text) { std::ofstream(settingsPath_) << text; }
  std::string ReadSettings() const {
    std::ifstream in(settingsPath_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  // A "Ports" section binding the name to the simulated tester. Windows
  // names its ports itself: there Wine's mapping of the name leads to the
  // tester, and the section is only text that the program keeps.
  std::string PortsBinding(const std::string& name) {
#ifdef _WIN32
    tester_.Bind(name);
#endif
    return "[Ports]\n" + name + "=" + tester_.DevicePath() + "\n";
  }
  // Settings remembering the port and the type, with the tester on that port.
  void Remember(const std::string& port, const std::string& meter) {
    WriteSettings(PortsBinding(port) + "[Main Setings]\nSerial port=" + port + "\nMeter=" + meter +
                  "\n");
  }

  TForm1& Start() {
    form_ = CreateWindows({settingsPath_, {}});
    return *form_;
  }

  ScratchDir dir_;  // removed with everything in it when the test ends
  std::string settingsPath_;
  ChangeRecord record_{dir_ / "changes.jsonl"};  // the program's, while the test runs
  QByteArray recordBefore_;
  QtMessagePump pump_;
  RecordingBoxes boxes_;
  sim::TesterSimulator tester_{"TVA-740", "2.01"};
  std::unique_ptr<TForm1> form_;
};
