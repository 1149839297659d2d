#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "CPort.h"
#include "PortTrouble.h"
#include "SystemMessage.h"

// On Windows the device is the port's own name, so the advice names the port
// alone; the terminal's name and the USB ids are Linux's.
PortTroubleCause PortTroubleCauseOf(const std::string& name, const std::string& path,
                                    const std::string&, int error, const std::string&) {
  PortCause cause = PortCause::Other;
  if (path.empty()) {
    cause = PortCause::NoSuchComPort;
  } else {
    switch (error) {
      // Windows gives a COM port to one program at a time.
      case ERROR_ACCESS_DENIED:
      case ERROR_SHARING_VIOLATION:
        cause = PortCause::HeldByOther;
        break;
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
        cause = PortCause::NoSuchComPortCable;
        break;
      default:
        break;
    }
  }
  return {cause, name, "", SystemMessage(error), error};
}

std::string PortTroubleAdvice(const PortTroubleCause& c) {
  const std::string port = "port " + c.name + ": ";
  const std::string noSuchPort =
      port +
      "no such serial port on this computer; Device Manager lists the ports there are "
      "under \"Ports (COM & LPT)\"";
  switch (c.cause) {
    case PortCause::NoSuchPort:
    case PortCause::NoSuchComPort:
      return noSuchPort;
    case PortCause::NoSuchComPortCable:
    case PortCause::NotThere:
      return noSuchPort + "; is the cable or the USB adapter plugged in?";
    case PortCause::PermissionDenied:
    case PortCause::HeldByBrltty:
    case PortCause::HeldByModemManager:
    case PortCause::HeldByOther:
      return port + "held by another program; close the other program that uses it";
    case PortCause::Other:
      break;
  }
  return port + c.systemMessage;
}

std::optional<PortTroubleCause> PortTroubleCauseOf(const TCustomComPort& port) {
  const auto& failure = port.LastOpenFailure();
  if (!failure) return std::nullopt;
  return PortTroubleCauseOf(port.Port(), failure->path, "", failure->error, "");
}
