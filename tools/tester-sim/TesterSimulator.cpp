#include "TesterSimulator.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "useful.h"

namespace sim {
namespace {

constexpr char kVersionCommand = 'V';
constexpr char kReadCommand = 'o';
constexpr char kWriteCommand = 'z';
constexpr char kAcknowledge = 0x06;
constexpr char kRefusal = 0x15;
constexpr const char kNoise[] = "\xFF\x00\xAA";

// One character at 2400 bit/s with start, 8 data, parity and 2 stop bits.
constexpr auto kCharacterTime = std::chrono::milliseconds(5);
// A request that stops half-way is forgotten after this much silence, as the
// tester's receiver gives up on it.
constexpr int kPartialFrameTimeoutMs = 100;

constexpr size_t kModelLength = 7;
constexpr size_t kFirmwareLength = 4;
// The three payload bytes after the 13-character version text.
constexpr const char kVersionTail[] = "001";

size_t RequestLength(char command) {
  switch (command) {
    case kVersionCommand:
      return 3;
    case kReadCommand:
      return 5;
    case kWriteCommand:
      return 7;
    default:
      return 0;
  }
}

std::string Fit(const std::string& text, size_t length) {
  std::string fitted = text.substr(0, length);
  fitted.resize(length, ' ');
  return fitted;
}

void Put(std::string& image, size_t address, const std::string& bytes) {
  image.replace(address, bytes.size(), bytes);
}

}  // namespace

std::string VersionTextFor(const std::string& model, const std::string& firmware) {
  return Fit(model, kModelLength) + " v" + Fit(firmware, kFirmwareLength);
}

std::string TesterSimulator::DefaultEeprom(const std::string& model) {
  // Unused cells of an erased EEPROM read 0xFF.
  std::string image(kEepromSize, '\xFF');
  if (model == "TVA-740") {
    Put(image, 40, std::string("\x5C\x87\x00\x00", 4));  // 220 V, recognised
    Put(image, 126, "\x34\x12");                         // balance word 0x1234
    Put(image, 144, "\x3C\x5A");  // AUTO mode: 1x and 5x trip-time tests; next byte
  } else if (model == "DKL-310") {
    // Ten settings bytes (second byte 0x12: bit 7 clear, 220 V) and their CRC.
    Put(image, 112, AddCRC(std::string("\x01\x12\x00\x05\x10\x20\x30\x40\x50\x60", 10)));
  }
  return image;
}

TesterSimulator::Descriptor::~Descriptor() { Close(); }

void TesterSimulator::Descriptor::Close() {
  if (fd >= 0) close(fd);
  fd = -1;
}

TesterSimulator::TesterSimulator(const std::string& model, const std::string& firmware)
    : model_(model), firmware_(firmware) {
  const std::string image = DefaultEeprom(model);
  std::copy(image.begin(), image.end(), eeprom_.begin());

  master_.fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[128];
  if (master_.fd < 0 || grantpt(master_.fd) != 0 || unlockpt(master_.fd) != 0 ||
      ptsname_r(master_.fd, name, sizeof name) != 0)
    throw std::runtime_error("cannot create a pseudo-terminal");
  devicePath_ = name;
  slave_.fd = open(devicePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  wakeEvent_.fd = eventfd(0, EFD_CLOEXEC);
  if (slave_.fd < 0 || wakeEvent_.fd < 0)
    throw std::runtime_error("cannot open the pseudo-terminal");
  fcntl(master_.fd, F_SETFL, fcntl(master_.fd, F_GETFL) | O_NONBLOCK);
  thread_ = std::thread([this] { Serve(); });
}

TesterSimulator::~TesterSimulator() { Stop(); }

void TesterSimulator::Stop() {
  {
    std::lock_guard guard(lock_);
    stopping_ = true;
  }
  const std::uint64_t one = 1;
  if (write(wakeEvent_.fd, &one, sizeof one) < 0) std::abort();
  if (thread_.joinable()) thread_.join();
}

void TesterSimulator::SetModel(const std::string& model, const std::string& firmware) {
  std::lock_guard guard(lock_);
  model_ = model;
  firmware_ = firmware;
}

std::string TesterSimulator::VersionText() const {
  std::lock_guard guard(lock_);
  return VersionTextFor(model_, firmware_);
}

void TesterSimulator::SetPaced(bool paced) {
  std::lock_guard guard(lock_);
  paced_ = paced;
}

void TesterSimulator::AddFault(Fault fault, int count, char command, int address) {
  std::lock_guard guard(lock_);
  if (count != 0) faults_.push_back({fault, count, command, address});
}

void TesterSimulator::ClearFaults() {
  std::lock_guard guard(lock_);
  faults_.clear();
}

std::string TesterSimulator::Eeprom() const {
  std::lock_guard guard(lock_);
  return std::string(eeprom_.begin(), eeprom_.end());
}

void TesterSimulator::SetEeprom(const std::string& image) {
  if (image.size() != kEepromSize) throw std::invalid_argument("an EEPROM image is 256 bytes");
  std::lock_guard guard(lock_);
  std::copy(image.begin(), image.end(), eeprom_.begin());
}

std::string TesterSimulator::EepromBytes(std::uint16_t address, size_t count) const {
  std::lock_guard guard(lock_);
  std::string bytes;
  for (size_t i = 0; i < count; ++i)
    bytes += static_cast<char>(eeprom_[(address + i) % kEepromSize]);
  return bytes;
}

void TesterSimulator::SetEepromBytes(std::uint16_t address, const std::string& bytes) {
  std::lock_guard guard(lock_);
  for (size_t i = 0; i < bytes.size(); ++i)
    eeprom_[(address + i) % kEepromSize] = static_cast<std::uint8_t>(bytes[i]);
}

void TesterSimulator::LoadEeprom(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.is_open() || image.size() != kEepromSize)
    throw std::runtime_error(path + ": not a 256-byte EEPROM image");
  SetEeprom(image);
}

void TesterSimulator::SaveEeprom(const std::string& path) const {
  const std::string image = Eeprom();
  // Written beside the file and renamed, so a crash never leaves half an image.
  const std::string temporary = path + ".new";
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out.write(image.data(), static_cast<std::streamsize>(image.size()));
  out.close();
  if (!out || std::rename(temporary.c_str(), path.c_str()) != 0)
    throw std::runtime_error(path + ": cannot write the EEPROM image");
}

void TesterSimulator::OnEepromWritten(std::function<void()> callback) {
  std::lock_guard guard(lock_);
  onWrite_ = std::move(callback);
}

std::vector<std::string> TesterSimulator::Requests() const {
  std::lock_guard guard(lock_);
  return requests_;
}

void TesterSimulator::ClearRequests() {
  std::lock_guard guard(lock_);
  requests_.clear();
}

termios TesterSimulator::TerminalSettings() const {
  termios settings{};
  tcgetattr(slave_.fd, &settings);
  return settings;
}

void TesterSimulator::HangUp() {
  std::unique_lock guard(lock_);
  if (master_.fd < 0 || stopping_ || !serving_) return;
  hangUpWanted_ = true;
  const std::uint64_t one = 1;
  if (write(wakeEvent_.fd, &one, sizeof one) < 0) std::abort();
  hungUp_.wait(guard, [this] { return master_.fd < 0 || !serving_; });
}

void TesterSimulator::CloseMaster() {
  master_.Close();
  hangUpWanted_ = false;
  hungUp_.notify_all();
}

void TesterSimulator::Serve() {
  // Whoever waits for a hang-up learns that none will come once this ends.
  struct Ended {
    TesterSimulator& simulator;
    ~Ended() {
      std::lock_guard guard(simulator.lock_);
      simulator.serving_ = false;
      simulator.hungUp_.notify_all();
    }
  } ended{*this};
  std::string pending;
  Clock::time_point firstByteAt;
  for (;;) {
    // Only this thread closes the master side, so it stays valid while polled.
    const int master = master_.fd;
    pollfd fds[2] = {{wakeEvent_.fd, POLLIN, 0}, {master, POLLIN, 0}};
    const int ready = poll(fds, master >= 0 ? 2 : 1, pending.empty() ? -1 : kPartialFrameTimeoutMs);
    if (ready < 0 && errno != EINTR) return;
    if (fds[0].revents & POLLIN) {
      std::uint64_t wakes = 0;
      if (read(wakeEvent_.fd, &wakes, sizeof wakes) < 0) std::abort();
      std::lock_guard guard(lock_);
      if (stopping_) return;
      if (hangUpWanted_) CloseMaster();
      continue;
    }
    if (ready == 0) {
      pending.clear();
      continue;
    }
    if (!(fds[1].revents & POLLIN)) continue;
    char buffer[64];
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n <= 0) continue;
    if (pending.empty()) firstByteAt = Clock::now();
    pending.append(buffer, static_cast<size_t>(n));

    while (!pending.empty()) {
      const size_t length = RequestLength(pending[0]);
      if (length == 0) {  // not the start of a request: the tester skips it
        pending.erase(0, 1);
        continue;
      }
      if (pending.size() < length) break;
      const std::string frame = pending.substr(0, length);
      pending.erase(0, length);
      HandleFrame(frame, firstByteAt);
      firstByteAt = Clock::now();
    }
  }
}

bool TesterSimulator::TakeFault(const std::string& payload, Fault& fault) {
  const char command = payload[0];
  const int address = payload.size() >= 3 ? static_cast<unsigned char>(payload[1]) +
                                                256 * static_cast<unsigned char>(payload[2])
                                          : kAnyAddress;
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->command != 0 && it->command != command) continue;
    if (it->address != kAnyAddress && it->address != address) continue;
    fault = it->fault;
    if (it->count != kForever && --it->count == 0) faults_.erase(it);
    return true;
  }
  return false;
}

void TesterSimulator::HandleFrame(const std::string& frame, Clock::time_point firstByteAt) {
  std::string reply;
  std::function<void()> written;
  bool paced;
  {
    std::lock_guard guard(lock_);
    requests_.push_back(frame);
    if (!CheckCRC(frame)) return;
    const std::string payload = CutCRC(frame);
    Fault fault{};
    const bool faulty = TakeFault(payload, fault);
    if (faulty && fault == Fault::NoAnswer) return;
    if (faulty && fault == Fault::HangUp) {
      CloseMaster();
      return;
    }
    if (faulty && fault == Fault::Nak) {
      reply = std::string(1, kRefusal);
    } else {
      reply = Perform(payload);
      if (payload[0] == kWriteCommand) written = onWrite_;
    }
    if (faulty && fault == Fault::WrongCrc) reply.back() = static_cast<char>(reply.back() ^ 0xFF);
    if (faulty && fault == Fault::ShortReply) reply.resize(reply.size() / 2);
    if (faulty && fault == Fault::Noise) reply = std::string(kNoise, 3) + reply;
    paced = paced_;
  }
  if (written) written();
  Send(reply,
       paced ? firstByteAt + kCharacterTime * static_cast<int>(frame.size()) : Clock::time_point());
}

std::string TesterSimulator::Perform(const std::string& payload) {
  if (payload[0] == kVersionCommand) {
    return AddCRC(VersionTextFor(model_, firmware_) + kVersionTail);
  }
  const size_t address =
      static_cast<unsigned char>(payload[1]) + 256 * static_cast<unsigned char>(payload[2]);
  if (payload[0] == kReadCommand) {
    std::string data;
    for (size_t i = 0; i < 4; ++i) data += static_cast<char>(eeprom_[(address + i) % kEepromSize]);
    return AddCRC(data);
  }
  eeprom_[address % kEepromSize] = static_cast<std::uint8_t>(payload[3]);
  eeprom_[(address + 1) % kEepromSize] = static_cast<std::uint8_t>(payload[4]);
  return std::string(1, kAcknowledge);
}

void TesterSimulator::Send(const std::string& reply, Clock::time_point requestEnd) {
  const bool paced = requestEnd != Clock::time_point();
  // Paced, character k has left the line k + 1 character times after the
  // request's end: absolute deadlines, so lateness never adds up. Otherwise
  // the reply arrives as one block.
  const size_t step = paced ? 1 : reply.size();
  for (size_t sent = 0; sent < reply.size(); sent += step) {
    if (paced)
      std::this_thread::sleep_until(requestEnd + kCharacterTime * static_cast<int>(sent + 1));
    std::lock_guard guard(lock_);
    if (master_.fd < 0 || write(master_.fd, reply.data() + sent, step) < 0) return;
  }
}

}  // namespace sim
