#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ChangeLine.h"
#include "ChangeRecord.h"
#include "ChangeRecorder.h"
#include "KavelMeter.h"

// A change cut short between its writes (the tester gone, or its put-back
// refused) leaves the tester with a mix of old and new bytes: a TVA-740 with
// the new voltage word and the old balance word, a DKL-310 with the new
// voltage bit and the old CRC. No retry can prevent it; the record names the
// locations, so that the next time the tester is met the program can find
// the mix and finish or undo the change.

// The record's newest line for the port, when that line is half-changed and
// names the model.
std::optional<ChangeLine> PendingHalfChange(const ChangeRecord& record, const std::string& port,
                                            const std::string& model);

enum class HalfChangeState {
  Mixed,       // each location holds its old or its new bytes, not all the same
  AllBefore,   // every location holds its old bytes: the change did not take
  AllWritten,  // every location holds its new bytes: the change took
  Neither,     // some location holds other bytes: repaired elsewhere, or another tester
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

// The half-change the record leaves for the identified tester on the port,
// when the tester holds that very mix. A tester that holds anything else is
// recorded as not having it, and is not asked about again.
std::optional<FoundHalfChange> FindHalfChange(ChangeRecorder& recorder, TMeter& meter,
                                              const std::string& port);

enum class Repair { Finish, Undo };

// Writes the locations that do not hold their target (their new bytes to
// finish, their old ones to undo) together, with the put-back of any change.
// Reads them first: false, with nothing written, when the tester no longer
// holds the mix (another tester plugged in meanwhile).
bool WriteRepair(TMeter& meter, const ChangeLine& halfChange, Repair repair);

// The words of the record's line for the repair.
ChangeWords RepairWords(const ChangeLine& halfChange, Repair repair);

// What happened and when, in plain words for the technician.
std::string HalfChangeStory(const ChangeLine& halfChange, const Examined& examined);
// What the tester holds after the repair.
std::string RepairedText(Repair repair);
