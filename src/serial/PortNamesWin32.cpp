// Port names on Windows: the system names its ports itself. The drivers
// publish each port under HKLM\HARDWARE\DEVICEMAP\SERIALCOMM (value name: the
// driver's device, data: the port's name), and a name opens as \\.\COMn.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

// After windows.h and before devguid.h: this file defines the ports class's
// GUID.
#include <initguid.h>

#include <devguid.h>
#include <setupapi.h>

#include <algorithm>

#include "PortNames.h"
#include "WideText.h"

namespace {

constexpr const wchar_t* kSerialComm = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

// Closes a registry key when it goes.
class OpenKey {
 public:
  explicit OpenKey(HKEY key) : key_(key) {}
  ~OpenKey() { RegCloseKey(key_); }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY Get() const { return key_; }

 private:
  HKEY key_;
};

// A value's data read as text, in UTF-8: empty data (or data whose size
// cannot be read) is the empty text; string data is its text up to the
// first zero; anything else is a registry failure. Read in wide: the narrow
// calls answer in the ANSI code page, which turns a Polish driver's name
// into bytes no UTF-8 reader takes.
std::string TextValue(HKEY key, const std::wstring& name) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size == 0)
    return "";
  std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS)
    throw ERegistryException("Failed to get data for '" + Utf8FromWide(name) + "'");
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw ERegistryException("Invalid data type for '" + Utf8FromWide(name) + "'");
  data.resize(std::min<size_t>(size / sizeof(wchar_t), data.find(L'\0')));
  return Utf8FromWide(data);
}

// What the drivers publish, in the registry's order: value name and port
// name. A missing key, or one that may not be read, publishes nothing.
std::vector<std::pair<std::string, std::string>> PublishedPorts() {
  HKEY handle = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialComm, 0, KEY_READ, &handle) != ERROR_SUCCESS)
    return {};
  const OpenKey key(handle);
  DWORD count = 0;
  DWORD longestName = 0;
  if (RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                       &longestName, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
    return {};
  // All names first, then the data: the names are what the key held at one
  // moment.
  std::vector<std::wstring> names;
  std::wstring name(longestName + 1, L'\0');
  for (DWORD index = 0; index < count; ++index) {
    DWORD length = longestName + 1;
    if (RegEnumValueW(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
        ERROR_SUCCESS)
      names.emplace_back(name.data(), length);
  }
  std::vector<std::pair<std::string, std::string>> ports;
  for (const std::wstring& valueName : names)
    ports.emplace_back(Utf8FromWide(valueName), TextValue(key.Get(), valueName));
  return ports;
}

// Releases a SetupAPI device list when it goes.
class DeviceList {
 public:
  DeviceList()
      : list_(SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT)) {}
  ~DeviceList() {
    if (list_ != INVALID_HANDLE_VALUE) SetupDiDestroyDeviceInfoList(list_);
  }
  DeviceList(const DeviceList&) = delete;
  DeviceList& operator=(const DeviceList&) = delete;
  HDEVINFO Get() const { return list_; }

 private:
  HDEVINFO list_;
};

// The port name a device of the ports class answers to ("" for none).
std::string PortNameOf(HDEVINFO list, SP_DEVINFO_DATA& device) {
  const HKEY handle = SetupDiOpenDevRegKey(list, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
  if (handle == INVALID_HANDLE_VALUE) return "";
  const OpenKey key(handle);
  try {
    return TextValue(key.Get(), L"PortName");
  } catch (const ERegistryException&) {
    return "";  // not a key as the ports class writes it: no port of ours
  }
}

// The name Device Manager shows for the port ("USB Serial Port (COM3)"), or
// "" when no present device of the ports class answers to it.
std::string FriendlyName(const std::string& name) {
  const DeviceList list;
  if (list.Get() == INVALID_HANDLE_VALUE) return "";
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; SetupDiEnumDeviceInfo(list.Get(), index, &device); ++index) {
    if (UpperCasePortName(PortNameOf(list.Get(), device)) != UpperCasePortName(name)) continue;
    DWORD size = 0;
    SetupDiGetDeviceRegistryPropertyW(list.Get(), &device, SPDRP_FRIENDLYNAME, nullptr, nullptr, 0,
                                      &size);
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    if (size == 0 ||
        !SetupDiGetDeviceRegistryPropertyW(list.Get(), &device, SPDRP_FRIENDLYNAME, nullptr,
                                           reinterpret_cast<BYTE*>(text.data()), size, nullptr))
      return "";
    return Utf8FromWide(text.substr(0, text.find(L'\0')));
  }
  return "";
}

}  // namespace

const char kPortNamesHelp[] =
    " Windows names the ports: COM and a\n"
    "  number. Device Manager lists them under \"Ports (COM & LPT)\"; a USB adapter\n"
    "  shows there once plugged in, with its number in brackets.\n";

// Windows decides which device a name is; the settings file's bindings and
// the device folders are how Linux numbers its devices, and mean nothing here.
void SetPortBindings(const std::map<std::string, std::string>&) {}
void SetDeviceRoots(const std::string&, const std::string&) {}

std::optional<std::string> ResolvePortName(const std::string& name) {
  if (!IsValidPortName(name)) return std::nullopt;
  // The device namespace: COM10 and above open only this way.
  return "\\\\.\\" + name;
}

std::string PortDescription(const std::string& name) {
  if (std::string friendly = FriendlyName(name); !friendly.empty()) return friendly;
  for (const auto& [device, port] : PublishedPorts()) {
    if (UpperCasePortName(port) == UpperCasePortName(name)) return device;
  }
  return "";
}

// Only the Linux advice on a port that did not open names the adapter (its
// fixes depend on it); Windows' advice does not, so nothing is looked up.
std::string UsbIdOf(const std::string&) { return ""; }

std::vector<std::string> KnownPortNames() {
  std::vector<std::string> names;
  for (auto& port : PublishedPorts()) names.push_back(std::move(port.second));
  return names;
}

void SortPortNames(std::vector<std::string>& List) {
  std::stable_sort(List.begin(), List.end(), [](const std::string& a, const std::string& b) {
    const std::wstring wideA = WideFromUtf8(a), wideB = WideFromUtf8(b);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wideA.data(),
                          static_cast<int>(wideA.size()), wideB.data(),
                          static_cast<int>(wideB.size())) == CSTR_LESS_THAN;
  });
}
