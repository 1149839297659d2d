#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "Exception.h"

// How the program's port names ("COM" and a number) become devices.
//
// Windows names its ports itself: the list is what the drivers publish in
// the registry, and a name opens in the device namespace (\\.\COM3).
// On Linux names bound by the settings file's "Ports" section come first;
// every other real serial device found under sysfs gets the next free COM
// number, ttyS devices first, then ttyUSB, ttyACM and the rest. A name is
// matched without regard to case but is never used as a path itself:
// anything but "COM" and a few decimal digits resolves to nothing.

// A registry value under the port list that cannot be read as a port name.
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

// Replaces the bindings: port name -> device path, as the user wrote them.
// Keys that are not a valid port name are left out. Linux only: Windows
// ignores them.
void SetPortBindings(const std::map<std::string, std::string>& bindings);

// Where real devices are looked for; tests point these at a fake tree.
// Linux only.
void SetDeviceRoots(const std::string& sysfsRoot, const std::string& devRoot);

// The device path for a port name, or nothing.
std::optional<std::string> ResolvePortName(const std::string& name);

// What a user needs to tell the port from others. On Linux the device path,
// and for a USB adapter its maker, product and serial number, such as
// "/dev/ttyUSB0 - FTDI FT232R USB UART - A1234567"; a bound name shows the
// path it is bound to. On Windows the name Device Manager shows ("USB Serial
// Port (COM3)"), else the driver's device ("\Device\Serial0"). "" for a
// name that leads to no port.
std::string PortDescription(const std::string& name);

// The USB vendor and product ids ("1a86:7523") of the adapter behind a device
// path, or "" for a device not on USB. Linux only: "" on Windows.
std::string UsbIdOf(const std::string& devicePath);

// Every port name, unsorted: on Linux each name that resolves, bound and
// automatic; on Windows the names the drivers publish, where a value that
// is not text raises ERegistryException.
std::vector<std::string> KnownPortNames();
// The order of the port list: without regard to letter case, as the
// system's own lists sort; names that differ only in letter case stay in the
// order they came.
void SortPortNames(std::vector<std::string>& List);

// How a user of this system finds a port's name and makes it usable, for
// --help: it goes on from a sentence and ends with its line end.
extern const char kPortNamesHelp[];

// "COM" and 1 to 5 decimal digits, in any letter case.
bool IsValidPortName(const std::string& name);

// Port names are compared in upper case; these two are the only places that
// decide how.
std::string UpperCasePortName(std::string name);
// True when the name's first three characters are "COM" in any letter case.
bool BeginsWithCOM(const std::string& name);
