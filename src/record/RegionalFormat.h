#pragma once

#include <string>

// What the record's lists take from the user's regional format, one
// implementation per platform.

struct CivilTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

// The time UTC shows as the user's clock showed it at that moment.
CivilTime LocalOfUtc(const CivilTime& utc);

// The separator a spreadsheet of the user's reads CSV with: the list
// separator of the regional format where the system has one, else ";" where
// numbers are written with a decimal comma and "," elsewhere.
std::string ListSeparator();
