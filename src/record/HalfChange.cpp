#include "HalfChange.h"

#include "DKL310.h"
#include "MeterModels.h"
#include "PortNames.h"
#include "TVA740.h"
#include "TesterText.h"

std::string LocationName(const std::string& model, int address) {
  struct Named {
    const char* model;
    int address;
    const char* name;
  };
  static const Named kNames[] = {
      {"TVA-740", tva740::kVoltageAddress, "voltage word"},
      {"TVA-740", tva740::kBalanceAddress, "balance word"},
      {"TVA-740", tva740::kAutoSetupAddress, "AUTO-mode byte"},
      {"DKL-310", dkl310::kBlockAddress, "voltage bit"},
      {"DKL-310", dkl310::kBlockAddress + dkl310::kCrcOffset, "settings block's CRC"},
  };
  for (const Named& named : kNames) {
    if (model == named.model && address == named.address) return named.name;
  }
  return "EEPROM address " + std::to_string(address);
}

namespace {

// "2026-12-07T18:40:01.123Z" as "on 2026-12-07 at 18:40 UTC".
std::string WhenText(const std::string& time) {
  if (time.size() < 16) return "at " + time;
  return "on " + time.substr(0, 10) + " at " + time.substr(11, 5) + " UTC";
}

std::string Target(const LocationLine& location, Repair repair) {
  return BytesOfHex(repair == Repair::Finish ? location.written : location.before).value_or("");
}

// What a repair, check or forget of the half-change asks: the half-change's
// setting, named by its id.
Asked AboutHalfChange(const ChangeLine& halfChange, const char* action, std::string words) {
  return {action, halfChange.setting, halfChange.from, halfChange.to, halfChange.id,
          false,  std::move(words)};
}

// Records that the tester on the port where the half-change was made holds
// its old or its new bytes throughout: settled, nothing to put right.
void RecordSettled(ChangeRecorder& recorder, const TMeter& meter, const std::string& port,
                   const ChangeLine& halfChange, const Examined& examined) {
  const std::string what =
      examined.state == HalfChangeState::AllBefore
          ? "the tester holds the old bytes throughout: the change did not take"
          : "the tester holds the new bytes throughout: the change took";
  Asked check = AboutHalfChange(halfChange, kActionCheck,
                                "check of the half-change of " + halfChange.time + ": " + what);
  check.settles = true;
  std::vector<LocationWrite> found;
  for (size_t i = 0; i < halfChange.locations.size(); ++i)
    found.push_back(PlannedWrite(static_cast<std::uint16_t>(halfChange.locations[i].address),
                                 examined.found[i], ""));
  recorder.Write(
      recorder.LineFor(TesterOf(meter, port), NewChangeId(), check, found, kOutcomeNotWritten));
}

}  // namespace

std::vector<ChangeLine> PendingHalfChanges(const ChangeRecorder& recorder, const std::string& model,
                                           const std::string& versionText) {
  std::vector<ChangeLine> pending = recorder.Record().Pending();
  std::erase_if(pending, [&](const ChangeLine& line) {
    return line.computer != recorder.Computer() || line.model != model ||
           line.versionText != versionText || line.locations.empty();
  });
  return pending;
}

std::optional<FoundHalfChange> FindHalfChange(ChangeRecorder& recorder, TMeter& meter,
                                              const std::string& port) {
  const MeterModel* model = MeterModelOf(meter.MeterType);
  if (!model) return std::nullopt;
  for (ChangeLine& halfChange :
       PendingHalfChanges(recorder, model->deviceName, TesterText(meter.VersionText))) {
    Examined examined = Examine(meter, halfChange);
    if (examined.state == HalfChangeState::Mixed)
      return FoundHalfChange{std::move(halfChange), std::move(examined)};
    // Two testers set alike hold the same bytes: only the port the change
    // was made on tells that this is its tester.
    if (examined.state != HalfChangeState::Neither &&
        UpperCasePortName(halfChange.port) == UpperCasePortName(port))
      RecordSettled(recorder, meter, port, halfChange, examined);
  }
  return std::nullopt;
}

Asked RepairOf(const ChangeLine& halfChange, Repair repair) {
  return AboutHalfChange(halfChange, repair == Repair::Finish ? kActionFinish : kActionUndo,
                         std::string(repair == Repair::Finish ? "finish" : "undo") +
                             " of the half-change of " + halfChange.time + " (" +
                             halfChange.change + ")");
}

void RecordGivenUp(ChangeRecorder& recorder, const ChangeLine& halfChange) {
  Asked forget = AboutHalfChange(halfChange, kActionForget,
                                 "given up by the user: the half-change of " + halfChange.time +
                                     " (" + halfChange.change + ")");
  forget.settles = true;
  recorder.Write(recorder.LineFor({halfChange.port, halfChange.versionText, halfChange.model},
                                  NewChangeId(), forget, {}, kOutcomeNotWritten));
}

Examined Examine(TMeter& meter, const ChangeLine& halfChange) {
  Examined examined;
  bool allBefore = true;
  bool allWritten = true;
  bool eachOneOrOther = true;
  for (const LocationLine& location : halfChange.locations) {
    std::string data;
    meter.EERead(static_cast<std::uint16_t>(location.address), data);
    const std::string found = data.substr(0, 2);
    examined.found.push_back(found);
    const bool before = found == BytesOfHex(location.before);
    const bool written = found == BytesOfHex(location.written);
    allBefore = allBefore && before;
    allWritten = allWritten && written;
    eachOneOrOther = eachOneOrOther && (before || written);
  }
  examined.state = !eachOneOrOther ? HalfChangeState::Neither
                   : allWritten    ? HalfChangeState::AllWritten
                   : allBefore     ? HalfChangeState::AllBefore
                                   : HalfChangeState::Mixed;
  return examined;
}
bool WriteRepair(TMeter& meter, const ChangeLine& halfChange, Repair repair) {
  const Examined now = Examine(meter, halfChange);
  if (now.state != HalfChangeState::Mixed) return false;
  std::vector<LocationWrite> writes;
  for (size_t i = 0; i < halfChange.locations.size(); ++i) {
    const LocationLine& location = halfChange.locations[i];
    const std::string target = Target(location, repair);
    if (now.found[i] != target)
      writes.push_back(
          PlannedWrite(static_cast<std::uint16_t>(location.address), now.found[i], target));
  }
  meter.EEWriteTogether(writes);
  return true;
}
std::string HalfChangeStory(const ChangeLine& halfChange, const Examined& examined) {
  std::string newOnes, oldOnes;
  for (size_t i = 0; i < halfChange.locations.size(); ++i) {
    const LocationLine& location = halfChange.locations[i];
    std::string& list = examined.found[i] == BytesOfHex(location.written) ? newOnes : oldOnes;
    list += (list.empty() ? "" : " and ") + LocationName(halfChange.model, location.address);
  }
  return "The change of this " + halfChange.model + " on " + halfChange.port + " " +
         WhenText(halfChange.time) + " (" + halfChange.change +
         ") was cut short between its writes: its " + newOnes + " holds the new setting, its " +
         oldOnes +
         " still the old one. Until this is put right the tester is neither as it "
         "was nor as it was meant to be.";
}

std::string HalfChangedText(const ChangeRecorder::HalfChangeNews& news) {
  const ChangeLine& halfChange = news.line;
  std::string locations;
  for (const LocationLine& location : halfChange.locations) {
    locations += (locations.empty() ? "" : ", ") +
                 LocationName(halfChange.model, location.address) + " " + location.before +
                 " (old) or " + location.written + " (new)";
  }
  return "The change was cut short between its writes: the tester may now hold a mix of old and "
         "new bytes, neither the old setting nor the new one (its " +
         locations + "). " +
         (news.recorded
              ? "It will be offered for finishing or undoing the next time this tester is met."
              : "The record of changes could not keep this, so it cannot be offered for "
                "finishing or undoing: have the tester checked.");
}

std::string RepairedText(Repair repair) {
  return repair == Repair::Finish
             ? "The change has been finished: the tester now holds the new setting throughout."
             : "The change has been undone: the tester holds its old setting throughout again.";
}
