#pragma once

#include <cstdint>

// How the protocol keeps the program's windows alive while it waits for the
// tester, without knowing the windowing toolkit. The program installs its
// pump at start-up; without one (tests, tools) waiting just sleeps.
class MessagePump {
 public:
  virtual ~MessagePump() = default;
  // Dispatches every waiting window message and returns at once.
  virtual void ProcessMessages() = 0;
  // Waits up to ms for window messages, dispatching them as they come; may
  // return earlier.
  virtual void WaitForMessages(std::uint32_t ms) = 0;
};

// Installs the pump (not owned); nullptr goes back to the sleeping default.
void InstallMessagePump(MessagePump* pump);
MessagePump& CurrentMessagePump();
