#include "ComError.h"

#include <array>

namespace {

// Indexed by code; the Polish texts are the port's own and stay as they are.
constexpr std::array<const char*, 23> kTexts = {
    "",
    "Nie można otworzyć com portu",
    "Błąd wykonania funkcji WriteFile",
    "Błąd wykonania funkcji ReadFile",
    "Niepoprawny parametr Async",
    "Błąd wykonania funkcji PurgeComm",
    "Brak async status",
    "SetCommState function failed",
    "Błąd wykonania SetCommTimeouts",
    "SetupComm function failed",
    "ClearCommError function failed",
    "GetCommModemStatus function failed",
    "EscapeCommFunction function failed",
    "TransmitCommChar function failed",
    "Cannot set SyncMethod while connected",
    "EnumPorts function failed",
    "Failed to store settings",
    "Failed to load settings",
    "Link (un)registration failed",
    "Cannot change led state if ComPort is selected",
    "Cannot wait for event if event thread is created",
    "WaitForEvent method failed",
    "A component is linked to OnRxBuf event",
};

}  // namespace

const char* ComErrorText(int code) {
  return code > 0 && code < static_cast<int>(kTexts.size()) ? kTexts[code] : "";
}

EComPort::EComPort(int code, int osErrorCode)
    : Exception(std::string(ComErrorText(code)) +
                " (win error code: " + std::to_string(osErrorCode) + ")"),
      Code(code),
      OSErrorCode(osErrorCode) {}

EComPort::EComPort(int code) : Exception(ComErrorText(code)), Code(code), OSErrorCode(-1) {}
