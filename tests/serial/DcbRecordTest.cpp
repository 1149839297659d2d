// DcbRecord.h brings windows.h.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include "DcbRecord.h"

#include <gtest/gtest.h>

#include <array>

#include "KavelMeter.h"
#include "NamedRows.h"

namespace {

// BaudRate, ByteSize, Parity, StopBits, fParity, fErrorChar, ErrorChar, fNull,
// fOutxCtsFlow, fOutxDsrFlow, fDtrControl, fRtsControl, fOutX, fInX,
// fDsrSensitivity, fTXContinueOnXoff, XonChar, XoffChar, XonLim, XoffLim, EvtChar
using DcbFields = std::array<long long, 21>;

DcbFields FieldsOf(const DCB& d) {
  return {
      d.BaudRate,  d.ByteSize, d.Parity,          d.StopBits,          d.fParity,     d.fErrorChar,
      d.ErrorChar, d.fNull,    d.fOutxCtsFlow,    d.fOutxDsrFlow,      d.fDtrControl, d.fRtsControl,
      d.fOutX,     d.fInX,     d.fDsrSensitivity, d.fTXContinueOnXoff, d.XonChar,     d.XoffChar,
      d.XonLim,    d.XoffLim,  d.EvtChar};
}

struct DcbCase {
  const char* name;
  LineSettings line;
  int inputQueueSize;
  DcbFields want;
  friend void PrintTo(const DcbCase& row, std::ostream* out) { *out << row.name; }
};
class DcbRecord : public ::testing::TestWithParam<DcbCase> {};

struct TimeoutsCase {
  const char* name;
  TimeoutSettings timeouts;
  std::array<DWORD, 5> want;  // in the record's order
  friend void PrintTo(const TimeoutsCase& row, std::ostream* out) { *out << row.name; }
};
class CommTimeoutsRecord : public ::testing::TestWithParam<TimeoutsCase> {};

}  // namespace

TEST_P(DcbRecord, CarriesTheLineSettings) {
  const DCB d = BuildDcb(GetParam().line, GetParam().inputQueueSize);
  EXPECT_EQ(d.DCBlength, 28u);
  EXPECT_EQ(d.fBinary, 1u);
  EXPECT_EQ(d.fAbortOnError, 0u);
  EXPECT_EQ(FieldsOf(d), GetParam().want);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Rows, DcbRecord, ::testing::Values(
    DcbCase{"TesterPreset", TKavelPort().CurrentLineSettings(), 1024,
            {2400, 8, EVENPARITY, TWOSTOPBITS, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 17, 19, 256, 256, 0}},
    DcbCase{"PortDefaults", {}, 1024,
            {9600, 8, NOPARITY, ONESTOPBIT, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 17, 19, 256, 256, 0}},
    DcbCase{"EverythingOn", {brCustom, 250000, dbFive, sbOne5StopBits, prSpace, true, true, '?',
                             true, 'E', true, true, dtrHandshake, rtsToggle, true, true, true,
                             true, 'Q', 'S'}, 4098,
            {250000, 5, SPACEPARITY, ONE5STOPBITS, 1, 1, '?', 1, 1, 1, 2, 3, 1, 1, 1, 1, 'Q', 'S',
             1024, 1024, 'E'}},
    // A replacement needs the parity check; a quarter of -3 is 0.
    DcbCase{"ReplaceWithoutCheckNegativeQueue", {br110, 0, dbSeven, sbTwoStopBits, prMark, false,
                                                 true, '?'}, -3,
            {110, 7, MARKPARITY, TWOSTOPBITS, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 17, 19, 0, 0, 0}}),
    RowName());

TEST_P(CommTimeoutsRecord, CarriesTheFiveTimeOutsInOrder) {
  const COMMTIMEOUTS t = BuildCommTimeouts(GetParam().timeouts);
  EXPECT_EQ((std::array<DWORD, 5>{t.ReadIntervalTimeout, t.ReadTotalTimeoutMultiplier,
      t.ReadTotalTimeoutConstant, t.WriteTotalTimeoutMultiplier, t.WriteTotalTimeoutConstant}),
      GetParam().want);
}

INSTANTIATE_TEST_SUITE_P(Rows, CommTimeoutsRecord, ::testing::Values(
    TimeoutsCase{"TesterPreset", {0, 5, 200, 5, 1000}, {0, 5, 200, 5, 1000}},
    TimeoutsCase{"MinusOneIsAllOnes", {-1, -1, 0, -1, 7}, {MAXDWORD, MAXDWORD, 0, MAXDWORD, 7}}),
    RowName());
// clang-format on
