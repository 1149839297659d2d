// Port names as a user may type them and bind them: only "COM" and a few
// digits ever lead to a device, and then to the one bound.
#include "FuzzSupport.h"
#include "PortNames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // No real devices: the automatic numbering finds none.
  static const bool once = (SetDeviceRoots("/nonexistent-sysfs", "/dev"), true);
  (void)once;
  FuzzInput input(data, size);
  const std::string bound = input.Take(input.Byte() % 12);
  const std::string path = input.Take(input.Byte() % 12);
  SetPortBindings({{bound, path}});
  const std::string name = input.Rest();

  const auto device = ResolvePortName(name);
  FUZZ_CHECK(UpperCasePortName(name).size() == name.size());
  if (device) {
    FUZZ_CHECK(IsValidPortName(name));
    FUZZ_CHECK(BeginsWithCOM(name));
    FUZZ_CHECK(*device == path);
    FUZZ_CHECK(UpperCasePortName(name) == UpperCasePortName(bound));
  }
  FUZZ_CHECK(PortDescription(name) == (device ? *device : std::string()));
  return 0;
}
