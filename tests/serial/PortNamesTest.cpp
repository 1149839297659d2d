#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "CPort.h"
#include "PortNames.h"
#include "ScratchDir.h"

namespace fs = std::filesystem;

namespace {

// A throw-away sysfs tree with the tty entries a machine would publish.
class FakeSysfs : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "class" / "tty");
    SetDeviceRoots(root_.Path().string(), "/dev");
    SetPortBindings({});
  }
  void TearDown() override {
    SetDeviceRoots("/sys", "/dev");
    SetPortBindings({});
  }

  // A tty entry: under bus for a real device (with a "device" link), under
  // /devices/virtual otherwise; uartType writes the 8250 "type" file.
  void AddTty(const std::string& name, const std::string& bus, int uartType = -1) {
    const fs::path device = root_ / "devices" / bus / "tty" / name;
    fs::create_directories(device);
    if (bus != "virtual") fs::create_directory_symlink(root_ / "devices" / bus, device / "device");
    if (uartType >= 0) std::ofstream(device / "type") << uartType << "\n";
    fs::create_directory_symlink(device, root_ / "class" / "tty" / name);
  }

  // The attribute files sysfs publishes for a USB device.
  void AddUsbDevice(const std::string& dir, const std::map<std::string, std::string>& files) {
    fs::create_directories(root_ / "devices" / dir);
    for (const auto& [name, value] : files)
      std::ofstream(root_ / "devices" / dir / name) << value << "\n";
  }

  ScratchDir root_;  // the fake tree, removed when the test ends
};

}  // namespace

TEST_F(FakeSysfs, RealDevicesAreNumberedInWineOrder) {
  AddTty("ttyACM0", "usb2");
  AddTty("ttyUSB1", "usb1");
  AddTty("ttyUSB0", "usb1");
  AddTty("ttyS10", "pnp0", 4);
  AddTty("ttyS2", "pnp0", 4);
  AddTty("ttyS3", "platform", 0);  // phantom 8250 port
  AddTty("tty0", "virtual");
  AddTty("ptmx", "virtual");

  EXPECT_EQ(ResolvePortName("COM1"), "/dev/ttyS2");
  EXPECT_EQ(ResolvePortName("com2"), "/dev/ttyS10");
  EXPECT_EQ(ResolvePortName("COM3"), "/dev/ttyUSB0");
  EXPECT_EQ(ResolvePortName("COM4"), "/dev/ttyUSB1");
  EXPECT_EQ(ResolvePortName("COM5"), "/dev/ttyACM0");
  EXPECT_FALSE(ResolvePortName("COM6"));

  std::vector<std::string> list = {"left over"};
  EnumSerialPorts(list);
  EXPECT_EQ(list, (std::vector<std::string>{"COM1", "COM2", "COM3", "COM4", "COM5"}));
}

TEST_F(FakeSysfs, BindingsComeFirstAndAutomaticNumbersSkipThem) {
  AddTty("ttyUSB0", "usb1");
  AddTty("ttyUSB1", "usb1");
  SetPortBindings({{"com1", "/tmp/sim/tty"},
                   {"COM10", "/dev/serial/by-id/x"},
                   {"LPT1", "/dev/lp0"},
                   {"COM1/..", "/etc/passwd"}});

  EXPECT_EQ(ResolvePortName("COM1"), "/tmp/sim/tty");
  EXPECT_EQ(ResolvePortName("COM2"), "/dev/ttyUSB0");
  EXPECT_EQ(ResolvePortName("COM3"), "/dev/ttyUSB1");
  EXPECT_EQ(ResolvePortName("COM10"), "/dev/serial/by-id/x");
  EXPECT_FALSE(ResolvePortName("LPT1"));

  std::vector<std::string> list;
  EnumSerialPorts(list);
  EXPECT_EQ(list, (std::vector<std::string>{"COM1", "COM10", "COM2", "COM3"}));
}

TEST_F(FakeSysfs, NoDevicesGiveAnEmptyList) {
  std::vector<std::string> list = {"COM1"};
  EnumSerialPorts(list);
  EXPECT_TRUE(list.empty());
  SetDeviceRoots((root_ / "missing").string(), "/dev");
  EnumSerialPorts(list);
  EXPECT_TRUE(list.empty());
}

TEST_F(FakeSysfs, DescriptionsNameTheDeviceAndTheUsbAdapterBehindIt) {
  // The root hub above the adapters has attributes of its own, never shown.
  AddUsbDevice("usb1", {{"idVendor", "1d6b"}, {"manufacturer", "Linux Foundation"}});
  AddUsbDevice("usb1/1-1", {{"idVendor", "0403"},
                            {"manufacturer", "FTDI"},
                            {"product", "FT232R USB UART"},
                            {"serial", "A1234567"}});
  AddTty("ttyUSB0", "usb1/1-1/1-1:1.0/ttyUSB0");
  AddUsbDevice("usb1/1-2", {{"idVendor", "2341"}, {"product", "Tester cable"}});
  AddTty("ttyACM0", "usb1/1-2/1-2:1.0");
  AddTty("ttyS0", "pnp0", 4);
  SetPortBindings({{"COM9", "/tmp/sim/tty"}});

  EXPECT_EQ(PortDescription("COM1"), "/dev/ttyS0");
  EXPECT_EQ(PortDescription("com2"), "/dev/ttyUSB0 - FTDI FT232R USB UART - A1234567");
  EXPECT_EQ(PortDescription("COM3"), "/dev/ttyACM0 - Tester cable");
  EXPECT_EQ(PortDescription("COM9"), "/tmp/sim/tty");
  EXPECT_EQ(PortDescription("COM4"), "");
  EXPECT_EQ(PortDescription("../COM1"), "");

  // The adapter's ids, found from its device path.
  AddUsbDevice("usb1/1-1", {{"idProduct", "6001"}});
  EXPECT_EQ(UsbIdOf("/dev/ttyUSB0"), "0403:6001");
  EXPECT_EQ(UsbIdOf("/dev/ttyS0"), "");
}
