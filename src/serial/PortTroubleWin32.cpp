#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include "CPort.h"
#include "PortTrouble.h"
#include "SystemMessage.h"

// On Windows the device is the port's own name, so the line names the port
// alone; the terminal's name and the USB ids are Linux's.
std::string PortTroubleAdvice(const std::string& name, const std::string& path, const std::string&,
                              int error, const std::string&) {
  const std::string port = "port " + name + ": ";
  const std::string noSuchPort =
      port +
      "no such serial port on this computer; Device Manager lists the ports there are "
      "under \"Ports (COM & LPT)\"";
  if (path.empty()) return noSuchPort;
  switch (error) {
    // Windows gives a COM port to one program at a time.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return port + "held by another program; close the other program that uses it";
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return noSuchPort + "; is the cable or the USB adapter plugged in?";
    default:
      return port + SystemMessage(error);
  }
}

std::string PortTroubleOf(const TCustomComPort& port) {
  const auto& failure = port.LastOpenFailure();
  if (!failure) return "";
  return PortTroubleAdvice(port.Port(), failure->path, "", failure->error, "");
}
