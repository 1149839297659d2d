// A line of the record of changes from any bytes a file could hold (another
// program's, a torn write, a hand edit): it is read as ours or refused, never
// crashes, and a line read as ours is written back to the same line.
#include "ChangeLine.h"
#include "FuzzSupport.h"

namespace {

bool SameLine(const ChangeLine& a, const ChangeLine& b) {
  if (a.locations.size() != b.locations.size()) return false;
  for (size_t i = 0; i < a.locations.size(); ++i) {
    const LocationLine& x = a.locations[i];
    const LocationLine& y = b.locations[i];
    if (x.address != y.address || x.before != y.before || x.written != y.written ||
        x.putBack != y.putBack || x.outcome != y.outcome)
      return false;
  }
  return a.id == b.id && a.time == b.time && a.program == b.program && a.version == b.version &&
         a.computer == b.computer && a.user == b.user && a.port == b.port &&
         a.versionText == b.versionText && a.model == b.model && a.action == b.action &&
         a.setting == b.setting && a.from == b.from && a.to == b.to && a.change == b.change &&
         a.about == b.about && (a.about.empty() || a.settles == b.settles) &&
         a.outcome == b.outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput input(data, size);
  const std::optional<ChangeLine> line = ParseChangeLine(input.Rest());
  if (!line) return 0;
  for (const LocationLine& location : line->locations)
    FUZZ_CHECK(location.address >= 0 && location.address <= 0xFFFF);
  const std::string written = ToJsonLine(*line);
  FUZZ_CHECK(written.find('\n') == std::string::npos);
  const std::optional<ChangeLine> again = ParseChangeLine(written);
  FUZZ_CHECK(again && SameLine(*line, *again));
  return 0;
}
