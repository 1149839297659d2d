#pragma once

#include <QString>
#include <functional>

#include "ChangeRecorder.h"
#include "HalfChange.h"

class MeterHost;

// The one way a window changes a tester. A wrong byte in the EEPROM
// miscalibrates a safety instrument, so every dialog, and every repair of a
// change cut short, goes through the same steps, in the order kavel-cli
// takes them too.

// The half-change's words in the language in use.
HalfChangeWords TranslatedHalfChangeWords();

// A change cut short as the windows offer it: in plain words which tester,
// when (this computer's time, the user's format), what was being changed and
// what each location holds now; the bytes, the UTC time and the change's id
// in the details.
struct HalfChangeOffer {
  QString text;
  QString details;
};
HalfChangeOffer HalfChangeOfferOf(const FoundHalfChange& found);

// Before a configuration dialog opens on the tester just identified: a
// change the record says was cut short on a tester of its model and version
// text, on any port, is looked for, and when the tester holds that mix the
// user is told what happened (and on which port) and offered to finish or
// undo it. True when the dialog may open: nothing to put right, or
// put right now. False when the user leaves it for now (nothing written,
// nothing recorded; the offer comes again) or the repair found the tester
// changed meanwhile; a repair that fails leaves the offer to come again. A
// record that cannot be read is told, and the dialog opens to show what
// the tester holds; its write is then refused.
bool HalfChangeSettled(MeterHost& host);

enum class WriteOutcome {
  OtherTester,  // another tester answers now: the user has been told; nothing written
  HalfChanged,  // the tester holds a change cut short: offered instead; nothing built on it
  NotWritten,   // the write itself refused, the tester's bytes not what was read
  Written,
};

// Runs a write the user has confirmed in a dialog: the tester is identified
// anew, a change cut short on it is looked for (and offered), then the
// write runs under the exchange lock and the record keeps what came of it,
// whether it returns or raises; what the record has to tell (a change cut
// short, a line it could not keep) goes with the next box. A record that
// cannot be read lets nothing be written; one that cannot take the first
// line of a change of several writes has the user asked first, default No.
// write answers false when the tester refused it.
WriteOutcome WriteToTester(MeterHost& host, const Asked& asked, const std::function<bool()>& write);

// A half-change the user picked in the window of changes, to finish or undo
// on the tester on the program's port: identified anew, looked up in the
// record as before a dialog, and only when it holds that very mix, and the
// user confirms what will be written (confirm), put right as the offer
// before a dialog puts it right. False when the tester holds no such mix:
// nothing written, nothing recorded.
bool RepairPicked(MeterHost& host, const ChangeLine& halfChange, Repair repair,
                  const std::function<bool(const FoundHalfChange&)>& confirm);
