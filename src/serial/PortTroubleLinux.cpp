#include "PortTrouble.h"

#include <cerrno>
#include <filesystem>

#include "CPort.h"
#include "PortNames.h"
#include "SystemMessage.h"

namespace {

// USB-serial chips that Debian's braille-display daemon claims as its own.
bool BrailleDaemonTakes(const std::string& usbId) {
  return usbId == "1a86:7523" || usbId == "10c4:ea60";  // CH340, CP210x
}

}  // namespace

std::string PortTroubleAdvice(const std::string& name, const std::string& path,
                              const std::string& tty, int error, const std::string& usbId) {
  const std::string port = "port " + name;
  if (path.empty())
    return port +
           ": no such serial port on this computer; bind one in the [Ports] section of "
           "the settings file";
  const std::string where = port + " (" + path + "): ";
  switch (error) {
    case EACCES:
    case EPERM:
      return where +
             "permission denied; add the user to the dialout group with "
             "\"sudo usermod -aG dialout $USER\" and log in again";
    case EBUSY: {
      std::string suspect = "close the other program that uses it";
      if (BrailleDaemonTakes(usbId)) {
        suspect = "brltty takes CH340 and CP210x adapters: \"sudo apt remove brltty\"";
      } else if (tty.rfind("ttyACM", 0) == 0) {
        suspect = "ModemManager probes ttyACM devices: \"sudo systemctl stop ModemManager\"";
      }
      return where + "held by another program; " + suspect;
    }
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return where + "the device is not there; is the cable or the USB adapter plugged in?";
    default:
      return where + SystemMessage(error);
  }
}

std::string PortTroubleOf(const TCustomComPort& port) {
  const auto& failure = port.LastOpenFailure();
  if (!failure) return "";
  std::error_code ec;
  const std::filesystem::path device = std::filesystem::canonical(failure->path, ec);
  const std::string tty = (ec ? std::filesystem::path(failure->path) : device).filename().string();
  return PortTroubleAdvice(port.Port(), failure->path, tty, failure->error,
                           failure->path.empty() ? "" : UsbIdOf(failure->path));
}
