#include "HalfChangeOffer.h"

#include "HalfChange.h"
#include "MessageBoxes.h"
#include "Messages.h"
#include "MeterHost.h"
#include "MeterModels.h"
#include "RecordedWrite.h"

bool HalfChangeSettled(MeterHost& host) {
  TMeter& meter = host.Meter();
  const std::string port = meter.Port->Port();
  const MeterModel* model = MeterModelOf(meter.MeterType);
  if (!model) return true;
  const auto halfChange = PendingHalfChange(host.Recorder().Record(), port, model->deviceName);
  if (!halfChange) return true;
  const Examined examined = WithTester([&] { return Examine(meter, *halfChange); });
  if (examined.state != HalfChangeState::Mixed) {
    const RecordNoteToNextBox note(host.Recorder());
    RecordNotFound(host.Recorder(), meter, port, *halfChange, examined);
    return true;
  }
  const int choice = Boxes().Choose(HalfChangeOfferMessage(HalfChangeStory(*halfChange, examined)),
                                    {kFinishChoice, kUndoChoice, kLeaveChoice});
  if (choice != 0 && choice != 1) return false;
  const Repair repair = choice == 0 ? Repair::Finish : Repair::Undo;
  // As before any write: the tester identified anew.
  if (!host.MeterCorrect(meter.MeterType)) return false;
  if (!RecordedWrite(host, RepairWords(*halfChange, repair),
                     [&] { return WriteRepair(meter, *halfChange, repair); })) {
    Boxes().Information(kRepairOvertakenMessage);
    return false;
  }
  Boxes().Information(QString::fromStdString(RepairedText(repair)));
  return true;
}
