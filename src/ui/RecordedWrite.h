#pragma once

#include "ChangeRecorder.h"
#include "KavelMeter.h"
#include "MeterHost.h"
#include "TesterExchange.h"

// Runs a dialog's settings write with the tester and records what came of
// it in the host's record, whether it returns or raises.
template <class Write>
auto RecordedWrite(MeterHost& host, const ChangeWords& words, Write write) {
  TMeter& meter = host.Meter();
  return host.Recorder().Recorded(meter, meter.Port->Port(), words,
                                  [&] { return WithTester(write); });
}
