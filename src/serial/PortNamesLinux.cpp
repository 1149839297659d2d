// Port names on Linux: bound by the settings file or numbered from the
// serial devices sysfs lists.
#include "PortNames.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <tuple>

namespace fs = std::filesystem;

namespace {

struct PortNameState {
  std::mutex lock;
  std::map<std::string, std::string> bindings;  // upper-case name -> path
  std::string sysfsRoot = "/sys";
  std::string devRoot = "/dev";
};

PortNameState& State() {
  static PortNameState state;
  return state;
}

// Orders devices the way Wine numbers them: ttyS by number, then ttyUSB, then
// ttyACM, then the rest by name and number.
struct DeviceOrder {
  int family;
  std::string stem;
  long number;
  bool operator<(const DeviceOrder& o) const {
    return std::tie(family, stem, number) < std::tie(o.family, o.stem, o.number);
  }
};

DeviceOrder OrderOf(const std::string& device) {
  size_t digits = device.size();
  while (digits > 0 && std::isdigit(static_cast<unsigned char>(device[digits - 1]))) --digits;
  std::string stem = device.substr(0, digits);
  long number = digits < device.size() ? std::stol(device.substr(digits, 9)) : -1;
  int family = stem == "ttyS" ? 0 : stem == "ttyUSB" ? 1 : stem == "ttyACM" ? 2 : 3;
  return {family, stem, number};
}

// A real device has a "device" link outside /devices/virtual; the 8250 driver
// also registers phantom ports whose UART type reads 0.
bool IsRealSerialDevice(const fs::path& entry) {
  std::error_code ec;
  const fs::path target = fs::canonical(entry, ec);
  if (ec || !fs::exists(target / "device", ec)) return false;
  if (target.generic_string().find("/devices/virtual/") != std::string::npos) return false;
  std::ifstream typeFile(target / "type");
  int uartType = -1;
  if (typeFile >> uartType && uartType == 0) return false;
  return true;
}

// Real devices numbered COM1, COM2, ... skipping numbers already bound: name
// -> tty name ("ttyUSB0").
std::map<std::string, std::string> AutomaticPorts(const PortNameState& state) {
  std::vector<std::pair<DeviceOrder, std::string>> devices;
  std::error_code ec;
  for (const auto& entry :
       fs::directory_iterator(fs::path(state.sysfsRoot) / "class" / "tty", ec)) {
    const std::string name = entry.path().filename().string();
    if (IsRealSerialDevice(entry.path())) devices.emplace_back(OrderOf(name), name);
  }
  std::sort(devices.begin(), devices.end());

  std::map<std::string, std::string> ports;
  int number = 0;
  for (const auto& device : devices) {
    std::string name;
    do {
      name = "COM" + std::to_string(++number);
    } while (state.bindings.count(name));
    ports[name] = device.second;
  }
  return ports;
}

std::string DevicePath(const PortNameState& state, const std::string& tty) {
  return (fs::path(state.devRoot) / tty).string();
}

std::string FirstLineOf(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

// The USB device behind a tty, as sysfs publishes it, or "" for a device not
// on USB. A ttyUSB's "device" is its usb-serial port, whose parent is the
// interface and grandparent the USB device (the one with idVendor); a
// ttyACM's "device" is the interface. The search stops there, before the hub
// above the device.
fs::path UsbDeviceOf(const PortNameState& state, const std::string& tty) {
  std::error_code ec;
  fs::path dir = fs::canonical(fs::path(state.sysfsRoot) / "class" / "tty" / tty / "device", ec);
  if (ec) return {};
  for (int level = 0; level < 3 && !dir.empty(); ++level, dir = dir.parent_path()) {
    if (fs::exists(dir / "idVendor", ec)) return dir;
  }
  return {};
}

// Maker, product and serial number of the USB device behind a tty.
std::string UsbDetails(const PortNameState& state, const std::string& tty) {
  const fs::path dir = UsbDeviceOf(state, tty);
  if (dir.empty()) return "";
  std::string maker = FirstLineOf(dir / "manufacturer");
  const std::string product = FirstLineOf(dir / "product");
  if (!maker.empty() && !product.empty()) maker += " ";
  std::string details = maker + product;
  const std::string serial = FirstLineOf(dir / "serial");
  if (!serial.empty()) details += (details.empty() ? "" : " - ") + serial;
  return details;
}

// Where a name leads: the path the user bound it to, or the tty of a real
// device.
struct PortTarget {
  bool bound;
  std::string device;
};

std::optional<PortTarget> Find(const PortNameState& state, const std::string& name) {
  if (!IsValidPortName(name)) return std::nullopt;
  const std::string key = UpperCasePortName(name);
  if (auto bound = state.bindings.find(key); bound != state.bindings.end())
    return PortTarget{true, bound->second};
  const auto automatic = AutomaticPorts(state);
  if (auto found = automatic.find(key); found != automatic.end())
    return PortTarget{false, found->second};
  return std::nullopt;
}

}  // namespace

const char kPortNamesHelp[] =
    " To give a port\n"
    "  name a device of your choice, add a section to that file:\n"
    "    [Ports]\n"
    "    COM3=/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1234567-if00-port0\n"
    "  The user needs access to the device: membership of the dialout group.\n"
    "\n"
    "Without a tester: tester-sim --link /tmp/tester simulates one; bind it\n"
    "with COM1=/tmp/tester in the [Ports] section.\n";

void SetPortBindings(const std::map<std::string, std::string>& bindings) {
  auto& state = State();
  std::lock_guard guard(state.lock);
  state.bindings.clear();
  for (const auto& [name, path] : bindings) {
    if (IsValidPortName(name) && !path.empty()) state.bindings[UpperCasePortName(name)] = path;
  }
}

void SetDeviceRoots(const std::string& sysfsRoot, const std::string& devRoot) {
  auto& state = State();
  std::lock_guard guard(state.lock);
  state.sysfsRoot = sysfsRoot;
  state.devRoot = devRoot;
}

std::optional<std::string> ResolvePortName(const std::string& name) {
  auto& state = State();
  std::lock_guard guard(state.lock);
  const auto target = Find(state, name);
  if (!target) return std::nullopt;
  return target->bound ? target->device : DevicePath(state, target->device);
}

std::string PortDescription(const std::string& name) {
  auto& state = State();
  std::lock_guard guard(state.lock);
  const auto target = Find(state, name);
  if (!target) return "";
  if (target->bound) return target->device;
  const std::string details = UsbDetails(state, target->device);
  return DevicePath(state, target->device) + (details.empty() ? "" : " - " + details);
}

std::string UsbIdOf(const std::string& devicePath) {
  auto& state = State();
  std::lock_guard guard(state.lock);
  std::error_code ec;
  // A by-id link leads to the device node, whose name is the tty's.
  const fs::path device = fs::canonical(devicePath, ec);
  const fs::path dir = UsbDeviceOf(state, (ec ? fs::path(devicePath) : device).filename().string());
  if (dir.empty()) return "";
  return FirstLineOf(dir / "idVendor") + ":" + FirstLineOf(dir / "idProduct");
}

std::vector<std::string> KnownPortNames() {
  auto& state = State();
  std::lock_guard guard(state.lock);
  std::vector<std::string> names;
  for (const auto& binding : state.bindings) names.push_back(binding.first);
  for (const auto& port : AutomaticPorts(state)) names.push_back(port.first);
  return names;
}

void SortPortNames(std::vector<std::string>& List) {
  std::stable_sort(List.begin(), List.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
  });
}
