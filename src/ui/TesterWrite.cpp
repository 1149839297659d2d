#include "TesterWrite.h"

#include <QCoreApplication>

#include "MessageBoxes.h"
#include "Messages.h"
#include "MeterHost.h"
#include "TesterExchange.h"

HalfChangeWords TranslatedHalfChangeWords() {
  const auto text = [](const char* english) {
    return QCoreApplication::translate("HalfChange", english).toStdString();
  };
  HalfChangeWords words;
  words.story = text(QT_TRANSLATE_NOOP(
      "HalfChange",
      "The change of this %1 on %2 on %3 at %4 UTC (%5) was cut short between its writes: its %6 "
      "holds the new setting, its %7 still the old one. Until this is put right the tester is "
      "neither as it was nor as it was meant to be."));
  words.voltageChange = text(QT_TRANSLATE_NOOP("HalfChange", "nominal voltage %1 V to %2 V"));
  words.autoModeChange = text(QT_TRANSLATE_NOOP("HalfChange", "AUTO-mode byte %1 to %2"));
  words.both = text(QT_TRANSLATE_NOOP("HalfChange", "%1 and %2"));
  words.voltageWord = text(QT_TRANSLATE_NOOP("HalfChange", "voltage word"));
  words.balanceWord = text(QT_TRANSLATE_NOOP("HalfChange", "balance word"));
  words.autoModeByte = text(QT_TRANSLATE_NOOP("HalfChange", "AUTO-mode byte"));
  words.voltageBit = text(QT_TRANSLATE_NOOP("HalfChange", "voltage bit"));
  words.blockCrc = text(QT_TRANSLATE_NOOP("HalfChange", "settings block's CRC"));
  words.otherAddress = text(QT_TRANSLATE_NOOP("HalfChange", "EEPROM address %1"));
  words.cutShort = text(QT_TRANSLATE_NOOP(
      "HalfChange",
      "The change was cut short between its writes: the tester may now hold a mix of old and new "
      "bytes, neither the old setting nor the new one (its %1)."));
  words.oldOrNew = text(QT_TRANSLATE_NOOP("HalfChange", "%1 %2 (old) or %3 (new)"));
  words.list = text(QT_TRANSLATE_NOOP("HalfChange", "%1, %2"));
  words.offeredLater = text(QT_TRANSLATE_NOOP(
      "HalfChange",
      "It will be offered for finishing or undoing the next time this tester is met."));
  words.notKept = text(QT_TRANSLATE_NOOP(
      "HalfChange",
      "The record of changes could not keep this, so it cannot be offered for finishing or "
      "undoing: have the tester checked."));
  words.finished = text(QT_TRANSLATE_NOOP(
      "HalfChange",
      "The change has been finished: the tester now holds the new setting throughout."));
  words.undone = text(QT_TRANSLATE_NOOP(
      "HalfChange",
      "The change has been undone: the tester holds its old setting throughout again."));
  return words;
}

namespace {

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

// The write with the tester, recorded in the host's record.
bool RecordedWrite(MeterHost& host, const Asked& asked, const std::function<bool()>& write) {
  TMeter& meter = host.Meter();
  const RecordNoteToNextBox note(host.Recorder());
  return host.Recorder().Recorded(meter, meter.Port->Port(), asked,
                                  [&] { return WithTester(write); });
}

// Puts the half-change right once the user has chosen how: the tester
// identified anew, as before any write, then the repair written and
// recorded; the user told what the tester holds now.
bool RunRepair(MeterHost& host, const ChangeLine& halfChange, Repair repair) {
  TMeter& meter = host.Meter();
  if (!host.MeterCorrect(meter.MeterType)) return false;
  if (!RecordedWrite(host, RepairOf(halfChange, repair),
                     [&] { return WriteRepair(meter, halfChange, repair); })) {
    Boxes().Information(kRepairOvertakenMessage);
    return false;
  }
  Boxes().Information(QString::fromStdString(RepairedText(repair, TranslatedHalfChangeWords())));
  return true;
}

}  // namespace

bool HalfChangeSettled(MeterHost& host, bool* wasFound) {
  TMeter& meter = host.Meter();
  const std::string port = meter.Port->Port();
  std::optional<FoundHalfChange> found;
  {
    const RecordNoteToNextBox note(host.Recorder());
    found = WithTester([&] { return FindHalfChange(host.Recorder(), meter, port); });
  }
  if (wasFound) *wasFound = found.has_value();
  if (!found) return true;
  const ChangeLine& halfChange = found->line;
  const int choice = Boxes().Choose(HalfChangeOfferMessage(HalfChangeStory(
                                        halfChange, found->examined, TranslatedHalfChangeWords())),
                                    {kFinishChoice, kUndoChoice, kLeaveChoice});
  if (choice != 0 && choice != 1) return false;
  return RunRepair(host, halfChange, choice == 0 ? Repair::Finish : Repair::Undo);
}

bool RepairPicked(MeterHost& host, const ChangeLine& halfChange, Repair repair,
                  const std::function<bool(const FoundHalfChange&)>& confirm) {
  TMeter& meter = host.Meter();
  if (!host.MeterCorrect(meter.MeterType)) return true;  // another type: the user was told
  std::optional<FoundHalfChange> found;
  {
    const RecordNoteToNextBox note(host.Recorder());
    found = WithTester([&] { return FindHalfChange(host.Recorder(), meter, meter.Port->Port()); });
  }
  if (!found || found->line.id != halfChange.id) return false;
  if (confirm(*found)) RunRepair(host, found->line, repair);
  return true;
}

WriteOutcome WriteToTester(MeterHost& host, const Asked& asked,
                           const std::function<bool()>& write) {
  // Another tester plugged in meanwhile: MeterCorrect has said so.
  if (!host.MeterCorrect(host.Meter().MeterType)) return WriteOutcome::OtherTester;
  // One of the model holding a change cut short: it is offered for putting
  // right instead, and nothing is built on it.
  bool halfChanged = false;
  HalfChangeSettled(host, &halfChanged);
  if (halfChanged) return WriteOutcome::HalfChanged;
  return RecordedWrite(host, asked, write) ? WriteOutcome::Written : WriteOutcome::NotWritten;
}
