#include "ChangeRecorder.h"

#include <chrono>
#include <cstdio>
#include <random>
#include <utility>

#include "MeterModels.h"
#include "RecordFileSystem.h"
#include "TesterText.h"

namespace {

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

// The English words of a change from its data.
std::string WordsOf(const Asked& asked) {
  if (!asked.words.empty()) return asked.words;
  const auto value = [](const std::optional<std::int64_t>& number, auto text) {
    return number ? text(*number) : std::string();
  };
  if (asked.setting == kSettingVoltage)
    return "nominal voltage " + value(asked.from, [](auto v) { return std::to_string(v) + " V"; }) +
           " to " + value(asked.to, [](auto v) { return std::to_string(v) + " V"; });
  const std::string from = value(asked.from, [](auto v) { return HexByteText(v) + " "; });
  return "AUTO-mode byte " + from + "to " + value(asked.to, HexByteText);
}

}  // namespace

Asked VoltageChange(std::uint16_t from, std::uint16_t to) {
  Asked asked;
  asked.setting = kSettingVoltage;
  asked.from = from;
  asked.to = to;
  return asked;
}

Asked AutoSetupChange(std::uint8_t to) {
  Asked asked;
  asked.setting = kSettingAutoMode;
  asked.to = to;
  return asked;
}

TesterOnPort TesterOf(const TMeter& meter, const std::string& port) {
  const MeterModel* model = MeterModelOf(meter.MeterType);
  return {port, TesterText(meter.VersionText), model ? model->deviceName : ""};
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
  // Whole numbers only: the same in every locale.
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02d.%03dZ",
                static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                static_cast<unsigned>(date.day()), static_cast<int>(time.hours().count()),
                static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count()),
                static_cast<int>(time.subseconds().count()));
  return text;
}

std::string NewChangeId() {
  static std::random_device source;
  std::string id;
  for (int i = 0; i < 4; ++i) {
    const std::uint32_t bits = source();
    id += HexText(std::string{static_cast<char>(bits >> 24), static_cast<char>(bits >> 16),
                              static_cast<char>(bits >> 8), static_cast<char>(bits)});
  }
  std::erase(id, ' ');
  return id;
}

ChangeRecorder::ChangeRecorder(std::string program, std::string version)
    : program_(std::move(program)),
      version_(std::move(version)),
      // As the lines keep them, so that this computer's own lines are found
      // whatever its name's encoding.
      computer_(AsRecorded(ComputerName())),
      user_(AsRecorded(UserName())) {
  const std::string trouble = CarryUserRecordOver();
  if (!trouble.empty())
    Tell("The half-changes pending in your own record of changes could not be carried into the "
         "record of all users of this computer (" +
         trouble + "); they will be carried at the next start.");
}

ChangeLine ChangeRecorder::LineFor(const TesterOnPort& tester, const std::string& id,
                                   const Asked& asked, const std::vector<LocationWrite>& locations,
                                   const std::string& outcome) const {
  Asked done = asked;
  // The AUTO-mode byte it held, read by the write itself.
  if (done.setting == kSettingAutoMode && !done.from && locations.size() == 1 &&
      !locations[0].before.empty())
    done.from = static_cast<unsigned char>(locations[0].before[0]);
  ChangeLine line;
  line.id = id;
  line.time = UtcTimeNow();
  line.program = program_;
  line.version = version_;
  line.computer = computer_;
  line.user = user_;
  line.port = tester.port;
  line.versionText = tester.versionText;
  line.model = tester.model;
  line.action = done.action;
  line.setting = done.setting;
  line.from = done.from;
  line.to = done.to;
  line.change = WordsOf(done);
  line.about = done.about;
  // A repair settles its half-change only when it took.
  line.settles = done.settles || (!done.about.empty() && outcome == kOutcomeDone);
  for (const LocationWrite& location : locations) {
    line.locations.push_back(
        {location.address, HexText(location.before), HexText(location.written),
         HexText(location.putBack),
         outcome == kOutcomeStarted ? "planned" : LocationOutcomeText(location.outcome)});
  }
  line.outcome = outcome;
  return line;
}

std::string ChangeRecorder::Append(const ChangeLine& line) {
  std::string rotation;
  const std::string trouble = Record().Append(line, &rotation);
  if (!rotation.empty() && !std::exchange(rotationTold_, true))
    Tell("The record of changes is full and could not be begun anew (" + rotation +
         "): it takes the lines all the same and grows.");
  return trouble;
}

void ChangeRecorder::Tell(const std::string& text) { note_ += (note_.empty() ? "" : " ") + text; }

bool ChangeRecorder::Write(const ChangeLine& line) {
  const std::string trouble = Append(line);
  if (trouble.empty()) return true;
  if (troubleTold_) return false;
  troubleTold_ = true;
  Tell("This change could not be added to the record of changes (" + trouble +
       "). The change itself is as reported; later changes in this run may be missing from "
       "the record too.");
  return false;
}

bool ChangeRecorder::WriteStarted(const ChangeLine& line) {
  const std::string trouble = Append(line);
  if (trouble.empty()) return true;
  if (!UnrecordedChangeAllowed || !UnrecordedChangeAllowed(trouble))
    throw ChangeNotRecorded(trouble);
  if (!std::exchange(troubleTold_, true))
    Tell("This change could not be added to the record of changes (" + trouble +
         "): had it been cut short, nothing would have found it.");
  return false;
}

void ChangeRecorder::WriteFinal(const ChangeLine& line, bool startRecorded) {
  // Either line keeps the half-change for the next meeting with the tester.
  const bool recorded = Write(line) || startRecorded;
  if (line.outcome == kOutcomeHalfChanged && line.locations.size() > 1)
    halfChange_ = HalfChangeNews{line, recorded};
}

std::string ChangeRecorder::TakeNote() { return std::exchange(note_, std::string()); }

std::optional<ChangeRecorder::HalfChangeNews> ChangeRecorder::TakeHalfChange() {
  return std::exchange(halfChange_, std::nullopt);
}
