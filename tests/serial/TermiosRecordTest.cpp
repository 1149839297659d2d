#include <gtest/gtest.h>

#include "CPort.h"
#include "KavelMeter.h"
#include "TermiosRecord.h"

TEST(TermiosRecord, TesterPresetGivesRaw2400Even8Data2Stop) {
  TKavelPort port;
  const auto t = BuildTermios(port.CurrentLineSettings());
  ASSERT_TRUE(t);
  EXPECT_EQ(cfgetispeed(&*t), B2400);
  EXPECT_EQ(cfgetospeed(&*t), B2400);
  EXPECT_EQ(t->c_cflag & CSIZE, tcflag_t{CS8});
  EXPECT_TRUE(t->c_cflag & CSTOPB);
  EXPECT_TRUE(t->c_cflag & PARENB);
  EXPECT_FALSE(t->c_cflag & PARODD);
  EXPECT_FALSE(t->c_cflag & CMSPAR);
  EXPECT_TRUE(t->c_cflag & CREAD);
  EXPECT_TRUE(t->c_cflag & CLOCAL);
  EXPECT_FALSE(t->c_cflag & CRTSCTS);
  // Parity errors are checked, but the damaged byte is still delivered.
  EXPECT_TRUE(t->c_iflag & INPCK);
  EXPECT_FALSE(t->c_iflag & (IGNPAR | PARMRK));
  EXPECT_FALSE(t->c_iflag & (IXON | IXOFF | ICRNL | ISTRIP));
  EXPECT_FALSE(t->c_lflag & (ICANON | ECHO | ISIG | IEXTEN));
  EXPECT_FALSE(t->c_oflag & OPOST);
  EXPECT_EQ(t->c_cc[VMIN], 1);
  EXPECT_EQ(t->c_cc[VTIME], 0);
}

TEST(TermiosRecord, ParityKindsAndFlowControl) {
  struct Case {
    TParityBits parity;
    tcflag_t expected;
  };
  for (const Case& c : {Case{prNone, 0}, Case{prOdd, PARENB | PARODD}, Case{prEven, PARENB},
                        Case{prMark, PARENB | PARODD | CMSPAR}, Case{prSpace, PARENB | CMSPAR}}) {
    LineSettings s;
    s.parity = c.parity;
    const auto t = BuildTermios(s);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->c_cflag & (PARENB | PARODD | CMSPAR), c.expected) << c.parity;
    EXPECT_FALSE(t->c_iflag & INPCK);
  }
  LineSettings s;
  s.dataBits = dbSeven;
  s.outCTSFlow = true;
  s.xonXoffOut = true;
  s.xonXoffIn = true;
  s.xonChar = 0x11;
  s.xoffChar = 0x13;
  const auto t = BuildTermios(s);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->c_cflag & CSIZE, tcflag_t{CS7});
  EXPECT_FALSE(t->c_cflag & CSTOPB);
  EXPECT_TRUE(t->c_cflag & CRTSCTS);
  EXPECT_TRUE((t->c_iflag & (IXON | IXOFF)) == (IXON | IXOFF));
  EXPECT_EQ(t->c_cc[VSTART], 0x11);
  EXPECT_EQ(t->c_cc[VSTOP], 0x13);
}

TEST(TermiosRecord, RatesWithoutTermiosSpeedAreRefused) {
  LineSettings s;
  s.baudRate = br14400;
  EXPECT_FALSE(BuildTermios(s));
  s.baudRate = brCustom;
  s.customBaudRate = 1234;
  EXPECT_FALSE(BuildTermios(s));
  s.customBaudRate = 19200;
  const auto custom = BuildTermios(s);
  ASSERT_TRUE(custom);
  EXPECT_EQ(cfgetospeed(&*custom), B19200);
}
