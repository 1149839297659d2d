#pragma once

#include <QString>
#include <exception>
#include <string>

#include "PortTrouble.h"

// What the layers below the windows say in English (the tester's link, the
// serial port, the settings file, the record of changes), said to the user
// in the windows' language. The layers' own texts stay as they are and go
// into the details, where whoever helps the user can read them.

// Why a port did not open and what usually fixes it.
QString PortAdviceText(const PortTroubleCause& cause);

// The general failure report of a failure: in English the failure's own
// message, as it always was; in another language a text of that language,
// the failure's message joining its details.
struct FailureReport {
  QString text;
  QString details;
};
FailureReport FailureReportOf(const std::exception_ptr& failure);

// A note of the record of changes (that it could not keep a line), for the
// details of the next box.
QString RecordNoteText(const std::string& note);
