#include "PortTrouble.h"

std::string PortTroubleAdvice(const std::string& name, const std::string& path,
                              const std::string& tty, int error, const std::string& usbId) {
  return PortTroubleAdvice(PortTroubleCauseOf(name, path, tty, error, usbId));
}

std::string PortTroubleOf(const TCustomComPort& port) {
  const auto cause = PortTroubleCauseOf(port);
  return cause ? PortTroubleAdvice(*cause) : "";
}
