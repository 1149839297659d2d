#include "ChangeRecorder.h"

#include <chrono>
#include <cstdio>
#include <utility>

#include "MeterModels.h"
#include "RecordFileSystem.h"
#include "TesterText.h"

namespace {

std::string HexByte(unsigned byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte & 0xFF);
  return text;
}

const char* LocationOutcomeText(LocationOutcome outcome) {
  switch (outcome) {
    case LocationOutcome::Written:
      return "written";
    case LocationOutcome::PutBack:
      return "put-back";
    case LocationOutcome::Unknown:
      return "unknown";
    case LocationOutcome::NotSent:
      break;
  }
  return "not-written";
}

}  // namespace

ChangeWords VoltageChangeWords(std::uint16_t from, std::uint16_t to) {
  return [=](const std::vector<LocationWrite>&) {
    return "nominal voltage " + std::to_string(from) + " V to " + std::to_string(to) + " V";
  };
}

ChangeWords AutoSetupChangeWords(std::uint8_t to) {
  // The byte it held is known only once the write has read it.
  return [=](const std::vector<LocationWrite>& locations) {
    const std::string from =
        locations.empty() || locations[0].before.empty()
            ? std::string()
            : HexByte(static_cast<unsigned char>(locations[0].before[0])) + " ";
    return "AUTO-mode byte " + from + "to " + HexByte(to);
  };
}

std::string OutcomeOf(const std::vector<LocationWrite>& locations) {
  const auto any = [&](LocationOutcome outcome) {
    for (const LocationWrite& location : locations) {
      if (location.outcome == outcome) return true;
    }
    return false;
  };
  if (any(LocationOutcome::Unknown)) return kOutcomeHalfChanged;
  if (any(LocationOutcome::PutBack)) return kOutcomePutBack;
  if (any(LocationOutcome::Written)) return kOutcomeDone;
  return kOutcomeNotWritten;
}

std::string UtcTimeNow() {
  using namespace std::chrono;
  const auto now = floor<milliseconds>(system_clock::now());
  const auto day = floor<days>(now);
  const year_month_day date{day};
  const hh_mm_ss time{now - day};
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ",
                static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()),
                static_cast<int>(time.subseconds().count()));
  return text;
}

ChangeRecorder::ChangeRecorder(std::string program, std::string version)
    : program_(std::move(program)),
      version_(std::move(version)),
      computer_(ComputerName()),
      user_(UserName()) {}

ChangeLine ChangeRecorder::LineFor(const TMeter& meter, const std::string& port,
                                   const std::string& change,
                                   const std::vector<LocationWrite>& locations,
                                   const std::string& outcome) const {
  const MeterModel* model = MeterModelOf(meter.MeterType);
  ChangeLine line{UtcTimeNow(),
                  program_,
                  version_,
                  computer_,
                  user_,
                  port,
                  TesterText(meter.VersionText),
                  model ? model->deviceName : "",
                  change,
                  {},
                  outcome};
  for (const LocationWrite& location : locations) {
    line.locations.push_back({location.address, HexText(location.before), HexText(location.written),
                              HexText(location.putBack), LocationOutcomeText(location.outcome)});
  }
  return line;
}

void ChangeRecorder::Write(const ChangeLine& line) {
  const ChangeRecord record = Record();
  const std::string trouble = record.Append(line);
  if (trouble.empty() || troubleTold_) return;
  troubleTold_ = true;
  note_ = "This change could not be added to the record of changes (" + trouble +
          "). The change itself is as reported; later changes in this run may be missing from "
          "the record too.";
}

std::string ChangeRecorder::TakeNote() { return std::exchange(note_, std::string()); }
