#pragma once

#include "MessagePump.h"

// Keeps the windows live while the protocol waits for the tester.
class QtMessagePump : public MessagePump {
 public:
  void ProcessMessages() override;
  void WaitForMessages(std::uint32_t ms) override;
};
