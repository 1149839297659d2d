#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Frames: the payload followed by its CRC-16/XMODEM, low byte first.
std::uint16_t CalcCRC(const std::string& payload);
std::string AddCRC(const std::string& payload);
// True when the frame has at least one payload byte and its trailer is the
// CRC of that payload.
bool CheckCRC(const std::string& frame);
// The payload: the frame without its 2-byte trailer; empty below 3 bytes.
std::string CutCRC(const std::string& frame);

// Waits ms milliseconds while the program's windows stay live; never returns
// early. A wait of 0 returns at once.
void Delay(std::uint32_t ms);
// The same wait on a given 32-bit millisecond counter, which may wrap.
void DelayOn(std::uint32_t ms, const std::function<std::uint32_t()>& tickCount);
// Milliseconds since an arbitrary start, cut to 32 bits.
std::uint32_t GetTickCount();
// The counter Delay waits on: GetTickCount unless a fuzzer installs one that
// its message pump moves on (nullptr goes back to GetTickCount).
void InstallTickSource(std::uint32_t (*source)());

bool TestBit(std::uint8_t value, int bit);
void SetBit(std::uint8_t& value, int bit);
void ClearBit(std::uint8_t& value, int bit);

// True when every character is a digit, "-" or "+"; the empty text passes.
bool IsDigitText(const std::string& text);
