#include "TesterOnLine.h"

#include <gtest/gtest.h>

#include <sstream>

#include "PortNames.h"

TesterOnLine::TesterOnLine(const std::string& model, const std::string& firmware,
                           const std::string& portName)
    : tester(model, firmware) {
  SetPortBindings({{portName, tester.DevicePath()}});
  EXPECT_TRUE(OpenPort(port, portName));
}

TesterOnLine::~TesterOnLine() { SetPortBindings({}); }

std::string Bytes(const std::string& hex) {
  std::istringstream in(hex);
  std::string bytes;
  unsigned value;
  while (in >> std::hex >> value) bytes += static_cast<char>(value);
  return bytes;
}
