#include "HalfChange.h"

#include "DKL310.h"
#include "MeterModels.h"
#include "PortNames.h"
#include "TVA740.h"
#include "TesterText.h"

std::string Filled(const std::string& pattern, const std::vector<std::string>& values) {
  std::string text;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const size_t n =
        i + 1 < pattern.size() ? static_cast<size_t>(pattern[i + 1] - '1') : values.size();
    if (pattern[i] == '%' && n < values.size() && n < 9) {
      text += values[n];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

std::string LocationName(const std::string& model, int address, const HalfChangeWords& words) {
  struct Named {
    const char* model;
    int address;
    std::string HalfChangeWords::*name;
  };
  static const Named kNames[] = {
      {"TVA-740", tva740::kVoltageAddress, &HalfChangeWords::voltageWord},
      {"TVA-740", tva740::kBalanceAddress, &HalfChangeWords::balanceWord},
      {"TVA-740", tva740::kAutoSetupAddress, &HalfChangeWords::autoModeByte},
      {"DKL-310", dkl310::kBlockAddress, &HalfChangeWords::voltageBit},
      {"DKL-310", dkl310::kBlockAddress + dkl310::kCrcOffset, &HalfChangeWords::blockCrc},
  };
  for (const Named& named : kNames) {
    if (model == named.model && address == named.address) return words.*named.name;
  }
  return Filled(words.otherAddress, {std::to_string(address)});
}

namespace {

// What the change asked, from its data; a line from before changes had
// data names it in its English words.
std::string AskedText(const ChangeLine& halfChange, const HalfChangeWords& words) {
  if (!halfChange.from || !halfChange.to) return halfChange.change;
  if (halfChange.setting == kSettingVoltage)
    return Filled(words.voltageChange,
                  {std::to_string(*halfChange.from), std::to_string(*halfChange.to)});
  if (halfChange.setting == kSettingAutoMode)
    return Filled(words.autoModeChange,
                  {HexByteText(*halfChange.from), HexByteText(*halfChange.to)});
  return halfChange.change;
}

// The names of the locations, as one text.
std::string Joined(const std::vector<std::string>& names, const std::string& pattern) {
  std::string joined;
  for (const std::string& name : names)
    joined = joined.empty() ? name : Filled(pattern, {joined, name});
  return joined;
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
    return line.model != model ||
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
    // Two testers set alike hold the same bytes: only the computer and port
    // the change was made on tell that this is its tester.
    if (examined.state != HalfChangeState::Neither && halfChange.computer == recorder.Computer() &&
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
std::string HalfChangeStory(const ChangeLine& halfChange, const Examined& examined,
                            const HalfChangeWords& words) {
  std::vector<std::string> newOnes, oldOnes;
  for (size_t i = 0; i < halfChange.locations.size(); ++i) {
    const LocationLine& location = halfChange.locations[i];
    (examined.found[i] == BytesOfHex(location.written) ? newOnes : oldOnes)
        .push_back(LocationName(halfChange.model, location.address, words));
  }
  // "2026-12-07T18:40:01.123Z": the day and the hour and minute, UTC.
  const std::string& time = halfChange.time;
  return Filled(words.story,
                {halfChange.model, halfChange.port, time.substr(0, 10),
                 time.size() >= 16 ? time.substr(11, 5) : "", AskedText(halfChange, words),
                 Joined(newOnes, words.both), Joined(oldOnes, words.both)});
}

std::string HalfChangedText(const ChangeRecorder::HalfChangeNews& news,
                            const HalfChangeWords& words) {
  const ChangeLine& halfChange = news.line;
  std::vector<std::string> locations;
  for (const LocationLine& location : halfChange.locations) {
    locations.push_back(
        Filled(words.oldOrNew, {LocationName(halfChange.model, location.address, words),
                                location.before, location.written}));
  }
  return Filled(words.cutShort, {Joined(locations, words.list)}) + " " +
         (news.recorded ? words.offeredLater : words.notKept);
}

std::string RepairedText(Repair repair, const HalfChangeWords& words) {
  return repair == Repair::Finish ? words.finished : words.undone;
}
