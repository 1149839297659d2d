#include "useful.h"

#include <algorithm>
#include <cstdint>

#include "MessagePump.h"
#include "SystemTicks.h"

// CRC-16/XMODEM: width 16, polynomial 0x1021, initial value 0x0000, neither
// input nor output reflected, no final XOR; check value 0x31C3.
std::uint16_t CalcCRC(const std::string& payload) {
  constexpr std::uint16_t kPolynomial = 0x1021;
  std::uint16_t crc = 0x0000;
  for (unsigned char byte : payload) {
    crc ^= static_cast<std::uint16_t>(byte << 8);
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc & 0x8000) ? static_cast<std::uint16_t>((crc << 1) ^ kPolynomial)
                           : static_cast<std::uint16_t>(crc << 1);
    }
  }
  return crc;
}

std::string AddCRC(const std::string& payload) {
  const std::uint16_t crc = CalcCRC(payload);
  std::string frame = payload;
  frame += static_cast<char>(crc & 0xFF);
  frame += static_cast<char>(crc >> 8);
  return frame;
}

bool CheckCRC(const std::string& frame) {
  if (frame.size() < 3) return false;
  const auto low = static_cast<unsigned char>(frame[frame.size() - 2]);
  const auto high = static_cast<unsigned char>(frame[frame.size() - 1]);
  return low + 256 * high == CalcCRC(CutCRC(frame));
}

std::string CutCRC(const std::string& frame) {
  return frame.size() < 3 ? std::string() : frame.substr(0, frame.size() - 2);
}

std::uint32_t GetTickCount() { return SystemTickCount(); }

void DelayOn(std::uint32_t ms, const std::function<std::uint32_t()>& tickCount) {
  if (ms == 0) return;
  // The time is summed look by look: unsigned subtraction keeps each step
  // right across the counter's wrap, and the sum never wraps, so even the
  // longest wait ends. The counter moves in whole milliseconds, so the start
  // may lie up to 1 ms after its tick: one more tick keeps the wait from
  // ending early.
  std::uint64_t elapsed = 0;
  std::uint32_t last = tickCount();
  for (;;) {
    const std::uint32_t now = tickCount();
    elapsed += static_cast<std::uint32_t>(now - last);
    last = now;
    if (elapsed > ms) return;
    CurrentMessagePump().WaitForMessages(static_cast<std::uint32_t>(
        std::min<std::uint64_t>(ms + std::uint64_t{1} - elapsed, UINT32_MAX)));
  }
}

namespace {

std::uint32_t (*tickSource)() = nullptr;

}  // namespace

void InstallTickSource(std::uint32_t (*source)()) { tickSource = source; }

void Delay(std::uint32_t ms) { DelayOn(ms, tickSource ? tickSource : GetTickCount); }

bool TestBit(std::uint8_t value, int bit) { return (value >> bit) & 1; }

void SetBit(std::uint8_t& value, int bit) { value = static_cast<std::uint8_t>(value | (1 << bit)); }

void ClearBit(std::uint8_t& value, int bit) {
  value = static_cast<std::uint8_t>(value & ~(1 << bit));
}

bool IsDigitText(const std::string& text) {
  for (char c : text) {
    if (!((c >= '0' && c <= '9') || c == '-' || c == '+')) return false;
  }
  return true;
}
