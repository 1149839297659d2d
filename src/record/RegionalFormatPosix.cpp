#include <langinfo.h>
#include <locale.h>

#include <ctime>

#include "RegionalFormat.h"

CivilTime LocalOfUtc(const CivilTime& utc) {
  std::tm broken{};
  broken.tm_year = utc.year - 1900;
  broken.tm_mon = utc.month - 1;
  broken.tm_mday = utc.day;
  broken.tm_hour = utc.hour;
  broken.tm_min = utc.minute;
  broken.tm_sec = utc.second;
  const std::time_t moment = timegm(&broken);
  tzset();  // TZ as it is now
  std::tm local{};
  if (!localtime_r(&moment, &local)) return utc;
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::string ListSeparator() {
  // The user's numbers as the environment names them, read aside: the
  // process's own locale stays as it is.
  const locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (user == static_cast<locale_t>(0)) return ",";
  const std::string point = nl_langinfo_l(RADIXCHAR, user);
  freelocale(user);
  return point == "," ? ";" : ",";
}
