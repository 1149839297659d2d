#include "HalfChange.h"

#include "DKL310.h"
#include "MeterModels.h"
#include "TVA740.h"

namespace {

// The name a technician knows a location by, or its address.
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

// "2026-12-07T18:40:01.123Z" as "on 2026-12-07 at 18:40 UTC".
std::string WhenText(const std::string& time) {
  if (time.size() < 16) return "at " + time;
  return "on " + time.substr(0, 10) + " at " + time.substr(11, 5) + " UTC";
}

std::string Target(const LocationLine& location, Repair repair) {
  return BytesOfHex(repair == Repair::Finish ? location.written : location.before).value_or("");
}

// Records that the half-change was looked for and what was found instead.
void RecordNotFound(ChangeRecorder& recorder, const TMeter& meter, const std::string& port,
                    const ChangeLine& halfChange, const Examined& examined) {
  std::string what;
  switch (examined.state) {
    case HalfChangeState::AllBefore:
      what = "the tester holds the old bytes throughout: the change did not take";
      break;
    case HalfChangeState::AllWritten:
      what = "the tester holds the new bytes throughout: the change took";
      break;
    default:
      what = "not found: the tester holds other bytes (repaired elsewhere, or another tester)";
  }
  std::vector<LocationWrite> found;
  for (size_t i = 0; i < halfChange.locations.size(); ++i)
    found.push_back(PlannedWrite(static_cast<std::uint16_t>(halfChange.locations[i].address),
                                 examined.found[i], ""));
  recorder.Write(recorder.LineFor(meter, port,
                                  "check of the half-change of " + halfChange.time + ": " + what,
                                  found, kOutcomeNotWritten));
}

}  // namespace

std::optional<ChangeLine> PendingHalfChange(const ChangeRecord& record, const std::string& port,
                                            const std::string& model) {
  std::optional<ChangeLine> last = record.LastFor(port);
  if (!last || last->outcome != kOutcomeHalfChanged || last->model != model ||
      last->locations.empty())
    return std::nullopt;
  return last;
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

std::optional<FoundHalfChange> FindHalfChange(ChangeRecorder& recorder, TMeter& meter,
                                              const std::string& port) {
  const MeterModel* model = MeterModelOf(meter.MeterType);
  if (!model) return std::nullopt;
  std::optional<ChangeLine> halfChange =
      PendingHalfChange(recorder.Record(), port, model->deviceName);
  if (!halfChange) return std::nullopt;
  Examined examined = Examine(meter, *halfChange);
  if (examined.state != HalfChangeState::Mixed) {
    RecordNotFound(recorder, meter, port, *halfChange, examined);
    return std::nullopt;
  }
  return FoundHalfChange{std::move(*halfChange), std::move(examined)};
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

ChangeWords RepairWords(const ChangeLine& halfChange, Repair repair) {
  const std::string words = std::string(repair == Repair::Finish ? "finish" : "undo") +
                            " of the half-change of " + halfChange.time + " (" + halfChange.change +
                            ")";
  return [words](const std::vector<LocationWrite>&) { return words; };
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

std::string RepairedText(Repair repair) {
  return repair == Repair::Finish
             ? "The change has been finished: the tester now holds the new setting throughout."
             : "The change has been undone: the tester holds its old setting throughout again.";
}
