#include "HalfChangeOffer.h"

#include "HalfChange.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "MeterHost.h"
#include "RecordedWrite.h"

bool HalfChangeSettled(MeterHost& host) {
  TMeter& meter = host.Meter();
  const std::string port = meter.Port->Port();
  std::optional<FoundHalfChange> found;
  {
    const RecordNoteToNextBox note(host.Recorder());
    found = WithTester([&] { return FindHalfChange(host.Recorder(), meter, port); });
  }
  if (!found) return true;
  const ChangeLine& halfChange = found->line;
  const int choice =
      Boxes().Choose(HalfChangeOfferMessage(HalfChangeStory(halfChange, found->examined)),
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
  Boxes().Information(QString::fromStdString(RepairedText(repair)));
  return true;
}
