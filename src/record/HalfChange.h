#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ChangeLine.h"
#include "ChangeRecord.h"
#include "ChangeRecorder.h"
#include "KavelMeter.h"

// A change cut short between its writes (the tester gone, the program
// stopped, or its put-back refused) leaves the tester with a mix of old and
// new bytes: a TVA-740 with the new voltage word and the old balance word, a
// DKL-310 with the new voltage bit and the old CRC. No retry can prevent it;
// the record names the locations before the first write, so that the next
// time the tester is met, on whichever port, the program can find the mix
// and finish or undo the change. It stays pending until a line settles it.

// The half-changes left pending on testers of the model and version text,
// by any computer sharing the record (a tester goes from bench to bench),
// newest first: those a tester met may hold. Raises RecordUnreadable.
std::vector<ChangeLine> PendingHalfChanges(const ChangeRecorder& recorder, const std::string& model,
                                           const std::string& versionText);

enum class HalfChangeState {
  Mixed,       // each location holds its old or its new bytes, not all the same
  AllBefore,   // every location holds its old bytes: the change did not take
  AllWritten,  // every location holds its new bytes: the change took
  Neither,     // some location holds other bytes: another tester
};

struct Examined {
  HalfChangeState state = HalfChangeState::Neither;
  std::vector<std::string> found;  // the two bytes at each location, in the line's order
};

// Reads the line's locations from the tester.
Examined Examine(TMeter& meter, const ChangeLine& halfChange);

struct FoundHalfChange {
  ChangeLine line;
  Examined examined;
};

// The pending half-change the identified tester on the port holds, that very
// mix. One found all old or all new on the computer and port where it was
// made is recorded as settled; a tester holding other bytes is another
// tester, and nothing is written or recorded for it. Raises
// RecordUnreadable.
std::optional<FoundHalfChange> FindHalfChange(ChangeRecorder& recorder, TMeter& meter,
                                              const std::string& port);

enum class Repair { Finish, Undo };

// Writes the locations that do not hold their target (their new bytes to
// finish, their old ones to undo) together, with the put-back of any change.
// Reads them first: false, with nothing written, when the tester no longer
// holds the mix (another tester plugged in meanwhile).
bool WriteRepair(TMeter& meter, const ChangeLine& halfChange, Repair repair);

// What the repair asks, for its line in the record: it names the half-change.
Asked RepairOf(const ChangeLine& halfChange, Repair repair);

// Settles a half-change whose tester will never come back, with a line
// saying the user gave it up.
void RecordGivenUp(ChangeRecorder& recorder, const ChangeLine& halfChange);

// The words a half-change is told in: English as they stand here (kavel-cli),
// the windows' own translation in the program. A pattern takes its values
// for %1, %2, ... in order.
struct HalfChangeWords {
  std::string story =
      "The change of this %1 on %2 on %3 at %4 UTC (%5) was cut short between its writes: its %6 "
      "holds the new setting, its %7 still the old one. Until this is put right the tester is "
      "neither as it was nor as it was meant to be.";
  std::string voltageChange = "nominal voltage %1 V to %2 V";
  std::string autoModeChange = "AUTO-mode byte %1 to %2";
  std::string both = "%1 and %2";
  std::string voltageWord = "voltage word";
  std::string balanceWord = "balance word";
  std::string autoModeByte = "AUTO-mode byte";
  std::string voltageBit = "voltage bit";
  std::string blockCrc = "settings block's CRC";
  std::string otherAddress = "EEPROM address %1";
  std::string cutShort =
      "The change was cut short between its writes: the tester may now hold a mix of old and new "
      "bytes, neither the old setting nor the new one (its %1).";
  std::string oldOrNew = "%1 %2 (old) or %3 (new)";
  std::string list = "%1, %2";
  std::string offeredLater =
      "It will be offered for finishing or undoing the next time this tester is met.";
  std::string notKept =
      "The record of changes could not keep this, so it cannot be offered for finishing or "
      "undoing: have the tester checked.";
  std::string finished =
      "The change has been finished: the tester now holds the new setting throughout.";
  std::string undone =
      "The change has been undone: the tester holds its old setting throughout again.";
};

// The pattern with %1, %2, ... replaced by the values in order.
std::string Filled(const std::string& pattern, const std::vector<std::string>& values);

// The name a technician knows an EEPROM location by, or its address.
std::string LocationName(const std::string& model, int address, const HalfChangeWords& words = {});

// What happened, when and where, in plain words for the technician.
std::string HalfChangeStory(const ChangeLine& halfChange, const Examined& examined,
                            const HalfChangeWords& words = {});
// What a change just cut short may have left in the tester, and that it
// will be offered for putting right (or, when the record could not keep it,
// that it cannot be).
std::string HalfChangedText(const ChangeRecorder::HalfChangeNews& news,
                            const HalfChangeWords& words = {});
// What the tester holds after the repair.
std::string RepairedText(Repair repair, const HalfChangeWords& words = {});
