#include "MeterModels.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <limits>
#include <optional>

#include "DKL310.h"
#include "TVA740.h"

namespace {

template <class Model>
std::unique_ptr<TMeter> Make() {
  return std::make_unique<Model>();
}

constexpr double kLowest = std::numeric_limits<double>::lowest();
constexpr double kHighest = std::numeric_limits<double>::infinity();

// One row per meter type code but 0.
const std::array<MeterModel, 4> kMeterModels = {{
    // The TVA-740's firmware 2.0 brought the AUTO-mode option byte.
    {kMeterTVA740v1, "TVA-740", FirmwareRange{kLowest, 2.0}, "TVA-740", Make<TTVA740>, false,
     "TVA740v0_199Type", " TVA740 v1"},
    {kMeterTVA740v2, "TVA-740", FirmwareRange{2.0, kHighest}, "TVA-740", Make<TTVA740>, true,
     "TVA740v2_299Type", " TVA740 v2"},
    {kMeterDKL310, "DKL-310", std::nullopt, "DKL-310", Make<TDKL310>, false, "DKL310Type",
     " DKL310"},
    // Identified, but its EEPROM is not known to the program.
    {kMeterDKL330, "DKL-330", std::nullopt, "DKL-330", nullptr, false, nullptr, ""},
}};

template <class Matches>
const MeterModel* FirstModel(Matches matches) {
  const auto found = std::find_if(kMeterModels.begin(), kMeterModels.end(), matches);
  return found == kMeterModels.end() ? nullptr : &*found;
}

// A firmware number as the tester writes it: optional leading blanks, an
// optional sign, digits with an optional fraction, an optional exponent, and
// nothing after.
std::optional<double> ParseDecimal(const std::string& text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return std::nullopt;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  const std::string number = text.substr(i);
  // from_chars takes no sign and no blanks, and ignores the user's locale.
  if (number.empty() || number[0] == '+' || number[0] == '-') return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                            std::chars_format::general);
  if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  // from_chars also takes "inf" and "nan", which are no version number.
  if (!std::isdigit(static_cast<unsigned char>(number[0])) && number[0] != '.') return std::nullopt;
  return negative ? -value : value;
}

}  // namespace

const MeterModel* MeterModelOf(std::uint8_t code) {
  return FirstModel([&](const MeterModel& model) { return model.code == code; });
}

const MeterModel* MeterModelRemembered(const std::string& settingsName) {
  return FirstModel([&](const MeterModel& model) {
    return model.settingsName && settingsName == model.settingsName;
  });
}

const MeterModel* MeterModelChosen(const std::string& deviceName) {
  return FirstModel([&](const MeterModel& model) { return deviceName == model.deviceName; });
}

bool DeviceAccepts(const MeterModel& chosen, std::uint8_t detected) {
  const MeterModel* found = MeterModelOf(detected);
  return found && found->makeMeter && std::string(found->deviceName) == chosen.deviceName;
}

std::string SettingsNameOf(std::uint8_t code) {
  const MeterModel* model = MeterModelOf(code);
  return model && model->settingsName ? model->settingsName : "NoType";
}

std::unique_ptr<TMeter> MakeMeter(std::uint8_t code) {
  const MeterModel* model = MeterModelOf(code);
  return model && model->makeMeter ? model->makeMeter() : std::make_unique<TMeter>();
}

std::uint8_t MeterTypeOf(const std::string& versionText, bool& recognised) {
  recognised = true;
  const std::string model = versionText.substr(0, 7);
  std::optional<double> firmware;
  for (const MeterModel& row : kMeterModels) {
    if (model != row.versionModel) continue;
    if (!row.firmware) return row.code;
    if (!firmware) {
      firmware = ParseDecimal(versionText.size() > 9 ? versionText.substr(9, 4) : "");
      if (!firmware) {
        recognised = false;
        return kMeterNone;
      }
    }
    if (*firmware >= row.firmware->from && *firmware < row.firmware->below) return row.code;
  }
  return kMeterNone;
}

bool IdentifiesAs(TMeter& meter, std::uint8_t expected) {
  meter.ClearVersion();
  if (meter.GetMeterType() == expected) return true;
  meter.MeterType = expected;
  return false;
}

// Kept beside the table that gives the codes, so that the meter link itself
// knows no model.
std::uint8_t TMeter::GetMeterType() {
  std::string text;
  GetVersion(text);
  bool recognised = false;
  const std::uint8_t code = MeterTypeOf(text, recognised);
  // An unreadable firmware number is not an identification: keep the old code.
  if (recognised) MeterType = code;
  return code;
}
