#pragma once

#include <QString>

#include "ChangeRecorder.h"
#include "HalfChangeOffer.h"
#include "KavelMeter.h"
#include "MessageBoxes.h"
#include "MeterHost.h"
#include "TesterExchange.h"

// Hands a note of the record on to the message that tells how the change
// came out, whichever it is (success, no device, failure report): what a
// change cut short may have left in the tester, and a record that could not
// be written.
class RecordNoteToNextBox {
 public:
  explicit RecordNoteToNextBox(ChangeRecorder& recorder) : recorder_(recorder) {}
  ~RecordNoteToNextBox() {
    // Each addition goes before those waiting: the tester's state first.
    AddDetailsToNextBox(QString::fromStdString(recorder_.TakeNote()));
    if (const auto halfChange = recorder_.TakeHalfChange())
      AddDetailsToNextBox(
          QString::fromStdString(HalfChangedText(*halfChange, TranslatedHalfChangeWords())));
  }
  RecordNoteToNextBox(const RecordNoteToNextBox&) = delete;
  RecordNoteToNextBox& operator=(const RecordNoteToNextBox&) = delete;

 private:
  ChangeRecorder& recorder_;
};

// Runs a dialog's settings write with the tester and records what came of
// it in the host's record, whether it returns or raises.
template <class Write>
auto RecordedWrite(MeterHost& host, const Asked& asked, Write write) {
  TMeter& meter = host.Meter();
  const RecordNoteToNextBox note(host.Recorder());
  return host.Recorder().Recorded(meter, meter.Port->Port(), asked,
                                  [&] { return WithTester(write); });
}
