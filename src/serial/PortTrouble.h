#pragma once

#include <optional>
#include <string>

class TCustomComPort;

// Why a serial port did not open, with what usually fixes it, as values: the
// windows word it in their language, kavel-cli and standard error in English.
enum class PortCause {
  NoSuchPort,          // no device behind the name: bind one in the settings file's [Ports]
  NoSuchComPort,       // Windows: no such COM port (Device Manager lists them)
  NoSuchComPortCable,  // Windows: the COM port is gone: the cable or adapter unplugged?
  PermissionDenied,    // Linux: not in the dialout group
  HeldByBrltty,        // Linux: the braille daemon takes CH340 and CP210x adapters
  HeldByModemManager,  // Linux: ModemManager probes ttyACM devices
  HeldByOther,         // another program holds it
  NotThere,            // the device node is gone: the cable or adapter unplugged?
  Other,               // the system's own text says why
};

struct PortTroubleCause {
  PortCause cause = PortCause::Other;
  std::string name;           // the port's name, "COM3"
  std::string path;           // the device the name led to, "" for none (and on Windows)
  std::string systemMessage;  // the system's text of the error, for Other
  int error = 0;              // the errno (GetLastError on Windows) of the open
};

// path: the device the name led to ("" for none); tty: the device node's own
// name behind any link ("ttyACM0"); error: the errno of the open; usbId: the
// adapter's "vendor:product", or "".
PortTroubleCause PortTroubleCauseOf(const std::string& name, const std::string& path,
                                    const std::string& tty, int error, const std::string& usbId);

// One line a user can act on ("port COM3 (/dev/ttyUSB0): ..."): the port, its
// device and the cause, in English.
std::string PortTroubleAdvice(const PortTroubleCause& cause);
std::string PortTroubleAdvice(const std::string& name, const std::string& path,
                              const std::string& tty, int error, const std::string& usbId);

// The cause of the port's last failed open; none when it opened.
std::optional<PortTroubleCause> PortTroubleCauseOf(const TCustomComPort& port);
// Its advice in English, or "" when it opened.
std::string PortTroubleOf(const TCustomComPort& port);
