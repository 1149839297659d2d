#pragma once

#include <cstddef>

// What a simulated tester can be told to get wrong, shared by the simulator
// and by whatever drives one from afar.
namespace sim {

// What can go wrong with one exchange, as seen on the line.
enum class Fault {
  NoAnswer,    // the request is lost: nothing happens, nothing comes back
  WrongCrc,    // the tester acts, but the reply's last byte is damaged
  ShortReply,  // the tester acts, but only the first half of the reply arrives
  Nak,         // the tester refuses: 0x15 instead of a reply, nothing happens
  Noise,       // the tester acts, but three stray bytes precede the reply
  HangUp,      // the request arrives, then the cable is pulled: no reply, ever
};

// Any EEPROM address, for a fault aimed at a kind of request only.
constexpr int kAnyAddress = -1;

constexpr int kForever = -1;
constexpr size_t kEepromSize = 256;

}  // namespace sim
