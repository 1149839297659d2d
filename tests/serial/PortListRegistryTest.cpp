#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

// Before devguid.h: the ports class's GUID is defined here too.
#include <initguid.h>

#include <devguid.h>
#include <gtest/gtest.h>
#include <setupapi.h>

#include <optional>

#include "CPort.h"
#include "NamedRows.h"
#include "PortNames.h"
#include "WideText.h"

namespace {

// A value as a driver publishes it: its device and the port's name, or a
// number where a broken driver wrote one.
struct Published {
  const char* device;
  const char* port;  // nullptr: a REG_DWORD
};
using Values = std::optional<std::vector<Published>>;  // nothing: no key

// The machine's port list with these values while it lives: volatile, as
// HKLM\HARDWARE is. Test programs running side by side take turns.
class PortList {
 public:
  explicit PortList(const Values& values) : turn_(CreateMutexA(nullptr, FALSE, "kavel-ports")) {
    EXPECT_EQ(WaitForSingleObject(turn_, 30000), WAIT_OBJECT_0);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    HKEY key = nullptr;
    if (!values || RegCreateKeyExA(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, REG_OPTION_VOLATILE,
                                   KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
      return;
    const DWORD number = 3;
    for (const auto& [device, port] : *values) {
      const std::wstring name = WideFromUtf8(device), text = port ? WideFromUtf8(port) : L"";
      RegSetValueExW(
          key, name.c_str(), 0, port ? REG_SZ : REG_DWORD,
          port ? reinterpret_cast<const BYTE*>(text.c_str()) : reinterpret_cast<const BYTE*>(&number),
          port ? static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)) : sizeof number);
    }
    RegCloseKey(key);
  }
  ~PortList() {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kKey);
    ReleaseMutex(turn_);
    CloseHandle(turn_);
  }

 private:
  static constexpr const char* kKey = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
  HANDLE turn_;
};

struct RegistryCase {
  const char* name;
  Values values;  // in the order they are published
  std::vector<std::string> listed;
  std::string failure;  // the registry failure's message, or ""
  friend void PrintTo(const RegistryCase& row, std::ostream* out) { *out << row.name; }
};

class PublishedPorts : public ::testing::TestWithParam<RegistryCase> {
  void SetUp() override {
    // On Windows itself the port list is the drivers' and only an
    // administrator's to change.
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
      GTEST_SKIP() << "rewrites the machine's port list: under Wine only";
  }
};

}  // namespace

TEST_P(PublishedPorts, AreListed) {
  const PortList published(GetParam().values);
  std::vector<std::string> list = {"left over"};
  std::string failure;
  try {
    EnumSerialPorts(list);
  } catch (const ERegistryException& raised) {
    failure = raised.Message;
  }
  EXPECT_EQ(list, GetParam().listed);
  EXPECT_EQ(failure, GetParam().failure);
}

INSTANTIATE_TEST_SUITE_P(
    Registry, PublishedPorts,
    ::testing::Values(RegistryCase{"SortedAsText",
                                   std::vector<Published>{{"\\Device\\Serial0", "COM3"},
                                                          {"\\Device\\Serial1", "COM1"},
                                                          {"\\Device\\Serial2", "COM10"},
                                                          {"\\Device\\Serial3", "COM2"}},
                                   {"COM1", "COM10", "COM2", "COM3"},
                                   ""},
                      RegistryCase{"EmptyKey", std::vector<Published>{}, {}, ""},
                      RegistryCase{"MissingKey", std::nullopt, {}, ""},
                      RegistryCase{"ValueOfAnotherType",
                                   std::vector<Published>{{"\\Device\\Serial0", "COM1"},
                                                          {"\\Device\\Serial1", nullptr}},
                                   {},
                                   "Invalid data type for '\\Device\\Serial1'"}),
    RowName());

TEST_F(PublishedPorts, AreDescribedByTheirFriendlyNameOrTheirDriversDevice) {
  // A driver's device named in Polish reaches the user as UTF-8.
  const PortList published(std::vector<Published>{{"\\Device\\Serial0", "COM1"},
                                                  {"\\Device\\Serial1", "COM7"},
                                                  {"\\Device\\Łącze szeregowe", "COM4"}});
  // COM7 is a device of the ports class, as a driver's installation makes it.
  const HDEVINFO devices = SetupDiCreateDeviceInfoList(&GUID_DEVCLASS_PORTS, nullptr);
  SP_DEVINFO_DATA device{sizeof device, {}, 0, 0};
  ASSERT_TRUE(SetupDiCreateDeviceInfoA(devices, "ROOT\\PORTS\\0007", &GUID_DEVCLASS_PORTS, nullptr,
                                       nullptr, 0, &device));
  const char friendly[] = "USB Serial Port (COM7)";
  SetupDiSetDeviceRegistryPropertyA(devices, &device, SPDRP_FRIENDLYNAME,
                                    reinterpret_cast<const BYTE*>(friendly), sizeof friendly);
  SetupDiRegisterDeviceInfo(devices, &device, 0, nullptr, nullptr, nullptr);
  const HKEY key =
      SetupDiCreateDevRegKeyA(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, nullptr, nullptr);
  RegSetValueExA(key, "PortName", 0, REG_SZ, reinterpret_cast<const BYTE*>("COM7"), 5);
  RegCloseKey(key);
  EXPECT_EQ(PortDescription("com7"), friendly);
  EXPECT_EQ(PortDescription("COM1"), "\\Device\\Serial0");
  EXPECT_EQ(PortDescription("COM4"), "\\Device\\Łącze szeregowe");
  EXPECT_EQ(PortDescription("COM9"), "");
  SetupDiRemoveDevice(devices, &device);
  SetupDiDestroyDeviceInfoList(devices);
}
