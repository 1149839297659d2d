#pragma once

#include <QString>

#include "ChangeRecorder.h"
#include "KavelMeter.h"
#include "MessageBoxes.h"
#include "MeterHost.h"
#include "TesterExchange.h"

// Hands a note of the record on to the message that tells how the change
// came out, whichever it is (success, no device, failure report).
class RecordNoteToNextBox {
 public:
  explicit RecordNoteToNextBox(ChangeRecorder& recorder) : recorder_(recorder) {}
  ~RecordNoteToNextBox() { AddDetailsToNextBox(QString::fromStdString(recorder_.TakeNote())); }
  RecordNoteToNextBox(const RecordNoteToNextBox&) = delete;
  RecordNoteToNextBox& operator=(const RecordNoteToNextBox&) = delete;

 private:
  ChangeRecorder& recorder_;
};

// Runs a dialog's settings write with the tester and records what came of
// it in the host's record, whether it returns or raises.
template <class Write>
auto RecordedWrite(MeterHost& host, const ChangeWords& words, Write write) {
  TMeter& meter = host.Meter();
  const RecordNoteToNextBox note(host.Recorder());
  return host.Recorder().Recorded(meter, meter.Port->Port(), words,
                                  [&] { return WithTester(write); });
}
