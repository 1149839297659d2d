#pragma once

#include <string>

class TCustomComPort;

// One line a Linux user can act on when a serial port does not open ("port
// COM3 (/dev/ttyUSB0): ..."; the program puts its name before it): the
// port, its device and the cause (permission, held by another program, gone),
// with what usually fixes it. path: the device the name led to ("" for none);
// tty: the device node's own name behind any link ("ttyACM0"); error: the
// errno of the open; usbId: the adapter's "vendor:product", or "".
std::string PortTroubleAdvice(const std::string& name, const std::string& path,
                              const std::string& tty, int error, const std::string& usbId);

// The advice for the port's last failed open, or "" when it opened.
std::string PortTroubleOf(const TCustomComPort& port);
