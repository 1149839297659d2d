#pragma once

#include "HalfChange.h"

class MeterHost;

// The half-change's words in the language in use.
HalfChangeWords TranslatedHalfChangeWords();

// Before a configuration dialog opens on the tester just identified: a
// change the record says was cut short on a tester of its model and version
// text, on any port, is looked for, and when the tester holds that mix the
// user is told what happened (and on which port) and offered to finish or
// undo it. True when the dialog may open: nothing to put right, or
// put right now. False when the user leaves it for now (nothing written,
// nothing recorded; the offer comes again) or the repair found the tester
// changed meanwhile; a repair that fails leaves the offer to come again.
// found, when given, tells whether the tester held one.
bool HalfChangeSettled(MeterHost& host, bool* found = nullptr);
