#include "KavelMeter.h"

#include <cctype>
#include <charconv>
#include <optional>

#include "MessagePump.h"
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

// The tester needs this long to put its version reply on the line.
constexpr std::uint32_t kVersionWaitMs = 100;
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

// A firmware number as the tester writes it: optional leading blanks, an
// optional sign, digits with an optional fraction, an optional exponent, and
// nothing after.
std::optional<double> ParseDecimal(const std::string& text) {
  size_t i = text.find_first_not_of(' ');
  if (i == std::string::npos) return std::nullopt;
  bool negative = false;
  if (text[i] == '+' || text[i] == '-') negative = text[i++] == '-';
  const std::string number = text.substr(i);
  // from_chars takes no sign and no blanks, and ignores the user's locale.
  if (number.empty() || number[0] == '+' || number[0] == '-') return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value,
                                            std::chars_format::general);
  if (error != std::errc() || end != number.data() + number.size()) return std::nullopt;
  // from_chars also takes "inf" and "nan", which are no version number.
  if (!std::isdigit(static_cast<unsigned char>(number[0])) && number[0] != '.') return std::nullopt;
  return negative ? -value : value;
}

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
    std::string prefix = Name.substr(0, 3);
    for (char& c : prefix) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (prefix != "COM") return false;
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

std::string TMeter::Exchange(const std::string& request, int replyLength) {
  Port->PurgeBuffers(true, true);
  Port->WriteBytes(AddCRC(request));
  CurrentMessagePump().ProcessMessages();
  std::string reply;
  Port->ReadBytes(reply, replyLength);
  return reply;
}

void TMeter::GetVersion(std::string& Text) {
  if (!VersionText.empty()) {
    Text = VersionText;
    return;
  }
  Port->PurgeBuffers(true, true);
  Port->WriteBytes(AddCRC(std::string(1, kVersionCommand)));
  Delay(kVersionWaitMs);
  std::string reply;
  Port->ReadBytes(reply, kVersionReplyLength);
  if (static_cast<int>(reply.size()) == kVersionReplyLength && CheckCRC(reply)) {
    VersionText = reply.substr(0, kVersionTextLength);
    Text = VersionText;
    return;
  }
  if (reply.empty()) {
    Text = kNoConnectionText;
    throw ENoConnection(" object TMeter.GetVersion: NO ANSWER ");
  }
  Text = kTransmissionErrorText;
  throw ECRCError(" object TMeter.GetVersion: CRC ERROR ");
}

void TMeter::ClearVersion() { VersionText.clear(); }

std::uint8_t MeterTypeOf(const std::string& versionText, bool& recognised) {
  recognised = true;
  const std::string model = versionText.substr(0, 7);
  if (model == "TVA-740") {
    const auto firmware = ParseDecimal(versionText.size() > 9 ? versionText.substr(9, 4) : "");
    if (!firmware) {
      recognised = false;
      return kMeterNone;
    }
    return *firmware >= 2.0 ? kMeterTVA740v2 : kMeterTVA740v1;
  }
  if (model == "DKL-310") return kMeterDKL310;
  if (model == "DKL-330") return kMeterDKL330;
  return kMeterNone;
}

std::uint8_t TMeter::GetMeterType() {
  std::string text;
  GetVersion(text);
  bool recognised = false;
  const std::uint8_t code = MeterTypeOf(text, recognised);
  // An unreadable firmware number is not an identification: keep the old code.
  if (recognised) MeterType = code;
  return code;
}

void TMeter::EERead(std::uint16_t Address, std::string& Data) {
  Data.clear();
  std::string reply;
  for (int attempt = 0; attempt < Port->ReadRetries; ++attempt) {
    reply = Exchange(kReadCommand + AddressBytes(Address), kReadReplyLength);
    if (static_cast<int>(reply.size()) == kReadReplyLength && CheckCRC(reply)) {
      Data = CutCRC(reply);
      return;
    }
    Delay(kReadRetryPauseMs);
  }
  if (reply.empty()) throw ENoConnection(" object TMeter.EERead: NO ANSWER ");
  throw EReadError(" object TMeter.EERead: CRC ERROR ");
}

bool TMeter::EEWrite(std::uint16_t Address, const std::string& Data) {
  if (Data.size() != 2) throw Exception(" ENTER DATA ");
  std::string reply;
  for (int attempt = 0; attempt < Port->WriteRetries; ++attempt) {
    // A write the tester made but whose acknowledge was lost is simply made
    // again with the same bytes.
    reply = Exchange(kWriteCommand + AddressBytes(Address) + Data, kWriteReplyLength);
    if (reply.size() == 1 && reply[0] == kAcknowledge) return true;
    Delay(kWriteRetryPauseMs);
  }
  if (reply.empty()) throw ENoConnection(" object TMeter.EEWite: NO ANSWER ");
  throw EWriteError(" object TMeter.EEWrite: WRITE ERROR ");
}
