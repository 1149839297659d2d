#include "PortOpening.h"

#include "KavelMeter.h"
#include "PortNames.h"
#include "PortTrouble.h"

bool OpenPortTellingWhy(TKavelPort& port, const std::string& name, std::ostream& out) {
  const bool opened = OpenPort(port, name);
  // A half-typed name, or a port already open, has nothing to tell.
  if (!opened && !port.Connected() && IsValidPortName(name)) {
    const std::string advice = PortTroubleOf(port);
    if (!advice.empty()) out << "kavel-setup: " << advice << std::endl;
  }
  return opened;
}
