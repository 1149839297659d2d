#include "KavelMeter.h"

#include "MessagePump.h"
#include "PortNames.h"
#include "useful.h"

namespace {

// Requests: a command letter, then the 16-bit EEPROM address low byte first.
constexpr char kVersionCommand = 'V';
constexpr char kReadCommand = 'o';
constexpr char kWriteCommand = 'z';
constexpr char kAcknowledge = 0x06;

constexpr int kVersionReplyLength = 18;  // 16-byte payload and CRC
constexpr int kReadReplyLength = 6;      // 4 EEPROM bytes and CRC
constexpr int kWriteReplyLength = 1;     // the acknowledge alone
constexpr size_t kVersionTextLength = 13;

// The tester needs this long to put its version reply on the line. The
// version request is never repeated: the user repeats the command.
constexpr std::uint32_t kVersionWaitMs = 100;
constexpr std::uint8_t kVersionAttempts = 1;
// Pauses after a failed attempt, letting a confused tester settle.
constexpr std::uint32_t kReadRetryPauseMs = 10;
constexpr std::uint32_t kWriteRetryPauseMs = 25;

constexpr std::uint8_t kDefaultRetries = 5;

// Texts handed back for the status line when identification fails (Polish,
// 18 characters each).
constexpr const char* kNoConnectionText = "brak połączenia.  ";
constexpr const char* kTransmissionErrorText = "błąd transmisji ! ";

std::string AddressBytes(std::uint16_t address) {
  return {static_cast<char>(address & 0xFF), static_cast<char>(address >> 8)};
}

// How an exchange is repeated until the tester's reply is accepted.
struct RetryPolicy {
  std::uint8_t attempts;
  // Between the request and reading the reply: a fixed wait, or with 0 one
  // pass over the waiting window messages.
  std::uint32_t replyWaitMs;
  // After every failed attempt, the last one included.
  std::uint32_t pauseAfterFailureMs;
};

// The reply of the last attempt, and whether it was the one expected.
struct Reply {
  std::string bytes;
  bool accepted = false;
};

// One exchange with the tester: discard whatever the driver holds, send the
// framed request, read a reply of the expected length and check it, as often
// as the policy allows. Port failures end it at once.
Reply Transfer(TKavelPort& port, const std::string& payload, int replyLength,
               bool (*accepts)(const std::string& reply), const RetryPolicy& policy) {
  Reply reply;
  for (int attempt = 0; attempt < policy.attempts; ++attempt) {
    port.PurgeBuffers(true, true);
    port.WriteBytes(AddCRC(payload));
    if (policy.replyWaitMs > 0) {
      Delay(policy.replyWaitMs);
    } else {
      CurrentMessagePump().ProcessMessages();
    }
    port.ReadBytes(reply.bytes, replyLength);
    reply.accepted = static_cast<int>(reply.bytes.size()) == replyLength && accepts(reply.bytes);
    if (reply.accepted) break;
    Delay(policy.pauseAfterFailureMs);
  }
  return reply;
}

// Only the last attempt decides: silence is no connection, anything else the
// exchange's own failure.
template <class EBadReply>
[[noreturn]] void RaiseFailure(const Reply& last, const char* noAnswer, const char* badReply) {
  if (last.bytes.empty()) throw ENoConnection(noAnswer);
  throw EBadReply(badReply);
}

bool IsAcknowledge(const std::string& reply) { return reply[0] == kAcknowledge; }

}  // namespace

TKavelPort::TKavelPort() {
  SetBaudRate(br2400);
  SetDataBits(dbEight);
  SetStopBits(sbTwoStopBits);
  Parity().SetBits(prEven);
  Parity().SetCheck(true);
  Parity().SetReplace(false);
  Buffer().SetInputSize(1024);
  Buffer().SetOutputSize(1024);
  SetDiscardNull(false);
  SetSyncMethod(smThreadSync);
  FlowControl().SetOutCTSFlow(false);
  FlowControl().SetOutDSRFlow(false);
  FlowControl().SetControlDTR(dtrEnable);
  FlowControl().SetControlRTS(rtsDisable);
  FlowControl().SetXonXoffOut(false);
  FlowControl().SetXonXoffIn(false);
  Events.reset();
  Timeouts().SetReadInterval(0);
  Timeouts().SetReadTotalConstant(200);
  Timeouts().SetReadTotalMultiplier(5);
  Timeouts().SetWriteTotalConstant(1000);
  Timeouts().SetWriteTotalMultiplier(5);
  ReadRetries = kDefaultRetries;
  WriteRetries = kDefaultRetries;
}

bool OpenPort(TKavelPort& Port, const std::string& Name) {
  try {
    if (!BeginsWithCOM(Name)) return false;
    Port.SetPort(Name);
    if (Port.Connected()) return false;
    Port.Open();
    Port.SetDTRState(true);
    Port.SetRTSState(false);
    Port.PurgeBuffers(true, true);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

void EnumPorts(TComPort&, std::vector<std::string>& List) { EnumSerialPorts(List); }

std::uint16_t TMeter::ReadNominalVoltage() { throw EAbstractError("Abstract Error"); }
bool TMeter::WriteNominalVoltage(std::uint16_t) { throw EAbstractError("Abstract Error"); }
std::uint8_t TMeter::ReadAutoSetup() { throw EAbstractError("Abstract Error"); }
void TMeter::WriteAutoSetup(std::uint8_t) { throw EAbstractError("Abstract Error"); }

void TMeter::GetVersion(std::string& Text) {
  if (!VersionText.empty()) {
    Text = VersionText;
    return;
  }
  // A single attempt; the reply is already on its way during the wait.
  const Reply reply = Transfer(*Port, std::string(1, kVersionCommand), kVersionReplyLength,
                               CheckCRC, {kVersionAttempts, kVersionWaitMs, 0});
  if (!reply.accepted) {
    Text = reply.bytes.empty() ? kNoConnectionText : kTransmissionErrorText;
    RaiseFailure<ECRCError>(reply, " object TMeter.GetVersion: NO ANSWER ",
                            " object TMeter.GetVersion: CRC ERROR ");
  }
  VersionText = reply.bytes.substr(0, kVersionTextLength);
  Text = VersionText;
}

void TMeter::ClearVersion() { VersionText.clear(); }

void TMeter::EERead(std::uint16_t Address, std::string& Data) {
  Data.clear();
  const Reply reply = Transfer(*Port, kReadCommand + AddressBytes(Address), kReadReplyLength,
                               CheckCRC, {Port->ReadRetries, 0, kReadRetryPauseMs});
  if (!reply.accepted) {
    RaiseFailure<EReadError>(reply, " object TMeter.EERead: NO ANSWER ",
                             " object TMeter.EERead: CRC ERROR ");
  }
  Data = CutCRC(reply.bytes);
}

LocationWrite PlannedWrite(std::uint16_t address, std::string before, std::string written) {
  LocationWrite planned;
  planned.address = address;
  planned.before = std::move(before);
  planned.written = std::move(written);
  return planned;
}

void TMeter::EEWriteTogether(std::vector<LocationWrite> writes) {
  const size_t first = Touched.size();
  Touched.insert(Touched.end(), writes.begin(), writes.end());
  // Accounted for first: should the listener fail, the locations stand as
  // never sent.
  if (!writes.empty() && BeforeWriting) BeforeWriting(writes);
  const auto location = [&](size_t i) -> LocationWrite& { return Touched[first + i]; };
  try {
    for (size_t i = 0; i < writes.size(); ++i) {
      location(i).outcome = LocationOutcome::Unknown;
      EEWrite(location(i).address, location(i).written);
      location(i).outcome = LocationOutcome::Written;
    }
  } catch (...) {
    // Only locations a write was sent to can have changed.
    for (size_t i = 0; i < writes.size(); ++i) {
      LocationWrite& sent = location(i);
      if (sent.outcome == LocationOutcome::NotSent) continue;
      sent.putBack = sent.before;
      sent.outcome = LocationOutcome::Unknown;
      try {
        EEWrite(sent.address, sent.before);
        sent.outcome = LocationOutcome::PutBack;
      } catch (...) {
        // A tester gone for good keeps what reached it; the user is told of
        // the failure below, and the location stays in doubt.
      }
    }
    throw;
  }
}

void TMeter::EEWriteAccounted(LocationWrite write) {
  Touched.push_back(write);
  // Accounted for first, as the writes together are.
  if (BeforeWriting) BeforeWriting({write});
  Touched.back().outcome = LocationOutcome::Unknown;
  EEWrite(write.address, write.written);
  Touched.back().outcome = LocationOutcome::Written;
}

bool TMeter::EEWrite(std::uint16_t Address, const std::string& Data) {
  if (Data.size() != 2) throw Exception(" ENTER DATA ");
  // A write the tester made but whose acknowledge was lost is simply made
  // again with the same bytes.
  const Reply reply =
      Transfer(*Port, kWriteCommand + AddressBytes(Address) + Data, kWriteReplyLength,
               IsAcknowledge, {Port->WriteRetries, 0, kWriteRetryPauseMs});
  if (!reply.accepted) {
    RaiseFailure<EWriteError>(reply, " object TMeter.EEWite: NO ANSWER ",
                              " object TMeter.EEWrite: WRITE ERROR ");
  }
  return true;
}
