// The meter link and the tester models fed any reply a tester could send:
// any bytes, any length, cut into reads at any place.
#include <algorithm>
#include <memory>

#include "DKL310.h"
#include "FuzzSupport.h"
#include "MessagePump.h"
#include "TVA740.h"
#include "useful.h"

namespace {

// Time that moves only when the program waits, so that retries and their
// pauses cost nothing.
std::uint32_t virtualNow = 0;
std::uint32_t VirtualTicks() { return virtualNow; }

class VirtualTimePump : public MessagePump {
 public:
  void ProcessMessages() override {}
  void WaitForMessages(std::uint32_t ms) override { virtualNow += ms; }
};

// A port whose replies come from the fuzzer: each read takes a length byte
// (how much of the count asked for arrives) and then that many bytes.
class ScriptedPort : public TKavelPort {
 public:
  explicit ScriptedPort(FuzzInput& input) : input_(input) {}
  int WriteBytes(const std::string& Data) override {
    FUZZ_CHECK(CheckCRC(Data));  // every request leaves framed
    return static_cast<int>(Data.size());
  }
  int ReadBytes(std::string& Data, int Count) override {
    const int arriving = input_.Byte() % (Count + 1);
    Data = input_.Take(static_cast<std::size_t>(arriving));
    return static_cast<int>(Data.size());
  }
  void PurgeBuffers(bool, bool) override {}

 private:
  FuzzInput& input_;
};

// Runs one operation; only the link's own failures may leave it.
template <class Operation>
void Expecting(Operation operation) {
  try {
    operation();
  } catch (const ENoConnection&) {
  } catch (const ECRCError&) {
  } catch (const EReadError&) {
  } catch (const EWriteError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static VirtualTimePump pump;
  InstallMessagePump(&pump);
  InstallTickSource(VirtualTicks);

  FuzzInput input(data, size);
  ScriptedPort port(input);
  const std::uint8_t choice = input.Byte();
  std::unique_ptr<TMeter> meter;
  if (choice & 1) {
    meter = std::make_unique<TDKL310>();
  } else {
    meter = std::make_unique<TTVA740>();
  }
  meter->Port = &port;
  switch ((choice >> 1) % 5) {
    case 0:
      Expecting([&] {
        std::string text;
        const std::uint8_t code = meter->GetMeterType();
        meter->GetVersion(text);
        FUZZ_CHECK(text.size() == 13);
        FUZZ_CHECK(code <= kMeterDKL330);
      });
      break;
    case 1:
      Expecting([&] {
        std::string bytes;
        meter->EERead(input.Byte(), bytes);
        FUZZ_CHECK(bytes.size() == 4);
      });
      break;
    case 2: {
      const std::uint16_t address = input.Byte();
      const std::string bytes = input.Take(2);
      if (bytes.size() != 2) {
        // Refused before anything is sent.
        try {
          meter->EEWrite(address, bytes);
          FUZZ_CHECK(!"a write of other than 2 bytes went through");
        } catch (const ENoConnection&) {
          FUZZ_CHECK(!"a refused write reached the line");
        } catch (const Exception& failure) {
          FUZZ_CHECK(failure.Message == " ENTER DATA ");
        }
        break;
      }
      Expecting([&] { FUZZ_CHECK(meter->EEWrite(address, bytes)); });
      break;
    }
    case 3:
      Expecting([&] {
        const std::uint16_t voltage = meter->ReadNominalVoltage();
        FUZZ_CHECK(voltage == 0 || voltage == 220 || voltage == 230);
        meter->WriteNominalVoltage(input.Byte() & 1 ? 230 : 220);
      });
      break;
    default:
      if (choice & 1) break;  // the DKL-310 has no AUTO mode
      Expecting([&] {
        const std::uint8_t setup = meter->ReadAutoSetup();
        meter->WriteAutoSetup(static_cast<std::uint8_t>(setup ^ input.Byte()));
      });
  }
  return 0;
}
