#include "ComTypes.h"

#include <array>

int BaudRateValue(TBaudRate rate, int customRate) {
  // Indexed by the TBaudRate ordinal; brCustom takes the custom rate.
  static constexpr std::array<int, br256000 + 1> kRates = {
      0,     110,   300,   600,   1200,  2400,   4800,   9600,
      14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
  return rate == brCustom ? customRate : kRates[rate];
}
