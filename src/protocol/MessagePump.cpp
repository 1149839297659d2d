#include "MessagePump.h"

#include <chrono>
#include <thread>

namespace {

class SleepingPump : public MessagePump {
 public:
  void ProcessMessages() override {}
  void WaitForMessages(std::uint32_t ms) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
};

SleepingPump defaultPump;
MessagePump* installedPump = nullptr;

}  // namespace

void InstallMessagePump(MessagePump* pump) { installedPump = pump; }

MessagePump& CurrentMessagePump() { return installedPump ? *installedPump : defaultPump; }
