#include "RememberedTypes.h"

#include <array>

#include "DKL310.h"
#include "TVA740.h"

namespace {

constexpr std::array<RememberedType, 3> kTypes = {{
    {kMeterTVA740v1, "TVA740v0_199Type", " TVA740 v1"},
    {kMeterTVA740v2, "TVA740v2_299Type", " TVA740 v2"},
    {kMeterDKL310, "DKL310Type", " DKL310"},
}};

}  // namespace

const RememberedType* RememberedTypeNamed(const std::string& settingsName) {
  for (const auto& type : kTypes) {
    if (settingsName == type.settingsName) return &type;
  }
  return nullptr;
}

std::string SettingsNameOf(std::uint8_t code) {
  for (const auto& type : kTypes) {
    if (type.code == code) return type.settingsName;
  }
  return "NoType";
}

std::unique_ptr<TMeter> MakeMeter(std::uint8_t code) {
  switch (code) {
    case kMeterTVA740v1:
    case kMeterTVA740v2:
      return std::make_unique<TTVA740>();
    case kMeterDKL310:
      return std::make_unique<TDKL310>();
    default:
      return std::make_unique<TMeter>();
  }
}
