#include <cerrno>
#include <filesystem>

#include "CPort.h"
#include "PortNames.h"
#include "PortTrouble.h"
#include "SystemMessage.h"

namespace {

// USB-serial chips that Debian's braille-display daemon claims as its own.
bool BrailleDaemonTakes(const std::string& usbId) {
  return usbId == "1a86:7523" || usbId == "10c4:ea60";  // CH340, CP210x
}

PortCause CauseOf(const std::string& path, const std::string& tty, int error,
                  const std::string& usbId) {
  if (path.empty()) return PortCause::NoSuchPort;
  switch (error) {
    case EACCES:
    case EPERM:
      return PortCause::PermissionDenied;
    case EBUSY:
      if (BrailleDaemonTakes(usbId)) return PortCause::HeldByBrltty;
      if (tty.rfind("ttyACM", 0) == 0) return PortCause::HeldByModemManager;
      return PortCause::HeldByOther;
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return PortCause::NotThere;
    default:
      return PortCause::Other;
  }
}

}  // namespace

PortTroubleCause PortTroubleCauseOf(const std::string& name, const std::string& path,
                                    const std::string& tty, int error, const std::string& usbId) {
  return {CauseOf(path, tty, error, usbId), name, path, SystemMessage(error), error};
}

std::string PortTroubleAdvice(const PortTroubleCause& c) {
  const std::string port = "port " + c.name;
  const std::string where = port + " (" + c.path + "): ";
  const std::string held = where + "held by another program; ";
  switch (c.cause) {
    case PortCause::NoSuchPort:
    case PortCause::NoSuchComPort:
    case PortCause::NoSuchComPortCable:
      return port +
             ": no such serial port on this computer; bind one in the [Ports] section of "
             "the settings file";
    case PortCause::PermissionDenied:
      return where +
             "permission denied; add the user to the dialout group with "
             "\"sudo usermod -aG dialout $USER\" and log in again";
    case PortCause::HeldByBrltty:
      return held + "brltty takes CH340 and CP210x adapters: \"sudo apt remove brltty\"";
    case PortCause::HeldByModemManager:
      return held + "ModemManager probes ttyACM devices: \"sudo systemctl stop ModemManager\"";
    case PortCause::HeldByOther:
      return held + "close the other program that uses it";
    case PortCause::NotThere:
      return where + "the device is not there; is the cable or the USB adapter plugged in?";
    case PortCause::Other:
      break;
  }
  return where + c.systemMessage;
}

std::optional<PortTroubleCause> PortTroubleCauseOf(const TCustomComPort& port) {
  const auto& failure = port.LastOpenFailure();
  if (!failure) return std::nullopt;
  std::error_code ec;
  const std::filesystem::path device = std::filesystem::canonical(failure->path, ec);
  const std::string tty = (ec ? std::filesystem::path(failure->path) : device).filename().string();
  return PortTroubleCauseOf(port.Port(), failure->path, tty, failure->error,
                            failure->path.empty() ? "" : UsbIdOf(failure->path));
}
