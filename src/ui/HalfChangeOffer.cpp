#include "HalfChangeOffer.h"

#include <QCoreApplication>

#include "HalfChange.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "MeterHost.h"
#include "RecordedWrite.h"

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
  const Repair repair = choice == 0 ? Repair::Finish : Repair::Undo;
  // As before any write: the tester identified anew.
  if (!host.MeterCorrect(meter.MeterType)) return false;
  if (!RecordedWrite(host, RepairOf(halfChange, repair),
                     [&] { return WriteRepair(meter, halfChange, repair); })) {
    Boxes().Information(kRepairOvertakenMessage);
    return false;
  }
  Boxes().Information(QString::fromStdString(RepairedText(repair, TranslatedHalfChangeWords())));
  return true;
}
