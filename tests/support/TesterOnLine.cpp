#include "TesterOnLine.h"

#include <gtest/gtest.h>

#include "PortNames.h"

TesterOnLine::TesterOnLine(const std::string& model, const std::string& firmware,
                           const std::string& portName)
    : tester(model, firmware) {
  SetPortBindings({{portName, tester.DevicePath()}});
  EXPECT_TRUE(OpenPort(port, portName));
}

TesterOnLine::~TesterOnLine() { SetPortBindings({}); }
