// Identification from any version text a tester could send.
#include "FuzzSupport.h"
#include "KavelMeter.h"
#include "MeterModels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::string text = input.Rest();
  bool recognised = false;
  const std::uint8_t code = MeterTypeOf(text, recognised);
  FUZZ_CHECK(code <= kMeterDKL330);
  FUZZ_CHECK(recognised || code == kMeterNone);
  if (code != kMeterNone) {
    const MeterModel* model = MeterModelOf(code);
    FUZZ_CHECK(model && text.compare(0, 7, model->versionModel) == 0);
  }
  return 0;
}
