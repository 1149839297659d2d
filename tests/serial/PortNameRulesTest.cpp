#include <gtest/gtest.h>

#include "PortNames.h"

TEST(PortNameRules, OnlyComAndDecimalDigitsAreNames) {
  for (const char* good : {"COM1", "com3", "CoM12", "COM99999"}) {
    EXPECT_TRUE(IsValidPortName(good)) << good;
  }
  for (const char* bad : {"", "COM", "COM1a", "COM+1", "COM-1", "COM 1", "COM1 ", "COM123456",
                          "LPT1", "COM1/..", "../COM1", "COM/dev/ttyS0", "/dev/ttyS0"}) {
    EXPECT_FALSE(IsValidPortName(bad)) << bad;
  }
}

TEST(PortNameRules, SortIsTextualAndIgnoresCaseKeepingDuplicates) {
  std::vector<std::string> names = {"COM3", "COM1", "COM10", "COM2", "COM2", "OTHER"};
  SortPortNames(names);
  EXPECT_EQ(names, (std::vector<std::string>{"COM1", "COM10", "COM2", "COM2", "COM3", "OTHER"}));

  std::vector<std::string> mixed = {"com2", "COM1", "COM2"};
  SortPortNames(mixed);
  EXPECT_EQ(mixed, (std::vector<std::string>{"COM1", "com2", "COM2"}));
}
