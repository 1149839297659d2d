#include <gtest/gtest.h>

#include <cerrno>

#include "NamedRows.h"
#include "PortTrouble.h"

namespace {

struct TroubleCase {
  const char* name;
  const char* path;
  const char* tty;
  int error;
  const char* usbId;
  const char* says;
  friend void PrintTo(const TroubleCase& row, std::ostream* out) { *out << row.name; }
};

class PortTrouble : public ::testing::TestWithParam<TroubleCase> {};

}  // namespace

TEST_P(PortTrouble, NamesThePortTheDeviceAndTheCause) {
  const TroubleCase& c = GetParam();
  const std::string advice = PortTroubleAdvice("COM3", c.path, c.tty, c.error, c.usbId);
  EXPECT_EQ(advice.rfind("port COM3", 0), 0u) << advice;
  if (*c.path) {
    EXPECT_NE(advice.find(std::string("(") + c.path + ")"), std::string::npos) << advice;
  }
  EXPECT_NE(advice.find(c.says), std::string::npos) << advice;
}

INSTANTIATE_TEST_SUITE_P(
    Causes, PortTrouble,
    ::testing::Values(
        TroubleCase{"NotInDialout", "/dev/ttyUSB0", "ttyUSB0", EACCES, "0403:6001",
                    "\"sudo usermod -aG dialout $USER\""},
        TroubleCase{"HeldByBrltty", "/dev/serial/by-id/usb-1a86", "ttyUSB0", EBUSY, "1a86:7523",
                    "brltty"},
        TroubleCase{"Cp210xHeld", "/dev/ttyUSB1", "ttyUSB1", EBUSY, "10c4:ea60", "brltty"},
        TroubleCase{"HeldByModemManager", "/dev/serial/by-id/usb-arduino", "ttyACM0", EBUSY, "",
                    "ModemManager"},
        TroubleCase{"HeldByAnother", "/dev/ttyS0", "ttyS0", EBUSY, "",
                    "held by another program; close the other program"},
        TroubleCase{"Unplugged", "/dev/ttyUSB0", "ttyUSB0", ENOENT, "", "not there"},
        TroubleCase{"NoSuchName", "", "", ENOENT, "", "no such serial port"},
        TroubleCase{"OtherCause", "/dev/ttyS0", "ttyS0", EIO, "", "Input/output error"}),
    RowName());
