#include <gtest/gtest.h>

#include "HexBytes.h"
#include "useful.h"

TEST(Crc, KnownValues) {
  EXPECT_EQ(CalcCRC("123456789"), 0x31C3);
  EXPECT_EQ(CalcCRC("V"), 0x3A33);
  EXPECT_EQ(CalcCRC(""), 0x0000);
}

TEST(Crc, FramesOfTheProtocol) {
  struct Case {
    std::string payload;
    std::string frame;
  };
  const Case cases[] = {
      {"V", Bytes("56 33 3A")},
      {Bytes("6F 28 00"), Bytes("6F 28 00 15 38")},              // read of address 40
      {Bytes("7A 28 00 5C 87"), Bytes("7A 28 00 5C 87 18 43")},  // write of 5C 87 to 40
      {Bytes("5C 87 00 00"), Bytes("5C 87 00 00 C3 84")},        // read reply
      {"", Bytes("00 00")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AddCRC(c.payload), c.frame);
    if (!c.payload.empty()) {
      EXPECT_TRUE(CheckCRC(c.frame));
      EXPECT_EQ(CutCRC(c.frame), c.payload);
    }
  }
}

TEST(Crc, CheckRejectsDamagedAndShortFrames) {
  EXPECT_FALSE(CheckCRC(Bytes("56 3A 33")));  // trailer bytes swapped
  EXPECT_FALSE(CheckCRC(Bytes("5C 87 00 01 C3 84")));
  EXPECT_FALSE(CheckCRC(Bytes("00 00")));  // though an empty payload's CRC is 0
  EXPECT_FALSE(CheckCRC(""));
  EXPECT_EQ(CutCRC(Bytes("00 00")), "");
  EXPECT_EQ(CutCRC("x"), "");
}

TEST(Bits, TestSetClear) {
  EXPECT_TRUE(TestBit(0x80, 7));
  EXPECT_FALSE(TestBit(0x7F, 7));
  EXPECT_TRUE(TestBit(0x01, 0));
  std::uint8_t value = 0x00;
  SetBit(value, 7);
  EXPECT_EQ(value, 0x80);
  SetBit(value, 0);
  EXPECT_EQ(value, 0x81);
  value = 0xFF;
  ClearBit(value, 7);
  EXPECT_EQ(value, 0x7F);
  ClearBit(value, 0);
  EXPECT_EQ(value, 0x7E);
}

TEST(DigitText, DigitsAndSignsOnly) {
  for (const char* passes : {"", "12", "+-", "0", "-3"}) EXPECT_TRUE(IsDigitText(passes)) << passes;
  for (const char* fails : {"1a", " 1", "1 ", "1.0", "x"})
    EXPECT_FALSE(IsDigitText(fails)) << fails;
}
