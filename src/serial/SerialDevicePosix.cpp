// The serial device on Linux: a terminal device driven through termios,
// ioctl and poll.
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <limits>

#include "SerialDevice.h"
#include "TermiosRecord.h"

namespace {

using Clock = std::chrono::steady_clock;

// A device without modem-control lines rejects the line calls as unsupported.
bool HasNoModemLines(int error) { return error == ENOTTY || error == EINVAL; }

bool HoldsApartFromParity(const termios& device, const termios& wanted) {
  constexpr tcflag_t kParity = PARENB | PARODD | CMSPAR;
  return device.c_iflag == wanted.c_iflag && device.c_oflag == wanted.c_oflag &&
         device.c_lflag == wanted.c_lflag &&
         (device.c_cflag & ~kParity) == (wanted.c_cflag & ~kParity) &&
         cfgetispeed(&device) == cfgetispeed(&wanted) &&
         cfgetospeed(&device) == cfgetospeed(&wanted) && device.c_cc[VMIN] == wanted.c_cc[VMIN] &&
         device.c_cc[VTIME] == wanted.c_cc[VTIME] && device.c_cc[VSTART] == wanted.c_cc[VSTART] &&
         device.c_cc[VSTOP] == wanted.c_cc[VSTOP];
}

// start + ms, or the clock's end when that lies beyond it: a deadline the
// clock cannot hold means as long as the clock allows.
Clock::time_point DeadlineAfter(Clock::time_point start, std::int64_t ms) {
  const auto room =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::time_point::max() - start);
  return ms >= room.count() ? Clock::time_point::max() : start + std::chrono::milliseconds(ms);
}

// Milliseconds poll may wait before the earlier of the deadlines, -1 when
// there is none.
int PollWait(Clock::time_point now, const Clock::time_point* deadlines[], int n) {
  long long wait = -1;
  for (int i = 0; i < n; ++i) {
    if (!deadlines[i]) continue;
    auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadlines[i] - now).count();
    if (left < 0) left = 0;
    if (wait < 0 || left < wait) wait = left;
  }
  // poll takes an int; an all-ones gap limit is as good as none.
  return static_cast<int>(std::min<long long>(wait, std::numeric_limits<int>::max()));
}

// Waits for the descriptor; answers 0 with ready set, or an errno.
int WaitFor(int fd, short events, int timeoutMs, bool& ready) {
  pollfd p{fd, events, 0};
  int n;
  do {
    n = poll(&p, 1, timeoutMs);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return errno;
  if (p.revents & POLLNVAL) return EBADF;
  // A hang-up with data still queued lets the data be read first.
  if ((p.revents & (POLLHUP | POLLERR)) && !(p.revents & events)) return EIO;
  ready = n > 0;
  return 0;
}

int ApplyTermios(int fd, const LineSettings& line) {
  const auto built = BuildTermios(line);
  if (!built) return EINVAL;  // a rate termios has no speed for
  const termios& record = *built;
  if (tcsetattr(fd, TCSANOW, &record) == 0) return 0;
  const int error = errno;
  // Debian's tcsetattr answers EINVAL when none of the requested changes took
  // effect. A pseudo-terminal drops the parity flags, so giving it the
  // settings it already holds looks like that; what counts is that the device
  // now holds the record apart from the parity it cannot keep.
  termios now{};
  if (error == EINVAL && tcgetattr(fd, &now) == 0 && HoldsApartFromParity(now, record)) return 0;
  return error;
}

}  // namespace

struct SerialDevice::State {
  int fd = -1;  // a device never opened answers EBADF to every call
  termios before{};
  bool restore = false;
};

const int SerialDevice::kNoSuchDevice = ENOENT;

bool SerialDevice::IsHangUp(int error) { return error == EIO || error == ENXIO || error == ENODEV; }

SerialDevice::SerialDevice() : state_(std::make_unique<State>()) {}

SerialDevice::~SerialDevice() { Close(); }

bool SerialDevice::IsOpen() const { return state_->fd >= 0; }

int SerialDevice::Open(const std::string& path) {
  if (state_->fd >= 0) return EBUSY;
  int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  if (!isatty(fd)) {
    close(fd);
    return ENOTTY;
  }
  // flock decides exclusive use: it holds against root, through symlinks and
  // between two opens in this process. TIOCEXCL keeps out programs that take
  // no lock.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0) {
    int error = errno == EWOULDBLOCK ? EBUSY : errno;
    close(fd);
    return error;
  }
  state_->fd = fd;
  // A terminal shared with other programs (or the user's own) is left as it
  // was found: speed, raw mode and echo.
  state_->restore = tcgetattr(fd, &state_->before) == 0;
  return 0;
}

void SerialDevice::Close() {
  int& fd = state_->fd;
  if (fd < 0) return;
  // Fails on a device that has gone, which has nothing left to restore.
  if (state_->restore) tcsetattr(fd, TCSANOW, &state_->before);
  // On a pseudo-terminal the exclusive flag would outlive this descriptor.
  ioctl(fd, TIOCNXCL);
  close(fd);
  fd = -1;
}

// Linux sizes its queues itself.
int SerialDevice::SetQueueSizes(int, int) { return 0; }

// Every read and write is given its limits; there is nothing to hand on.
int SerialDevice::SetTimeouts(const TimeoutSettings&) { return 0; }

// The termios record, then DTR and RTS, which termios does not carry.
int SerialDevice::Configure(const LineSettings& line) {
  if (const int error = ApplyTermios(state_->fd, line)) return error;
  // DTR and RTS follow their modes while the port is open; handshake modes
  // leave the lines to the driver.
  if (line.controlDTR != dtrHandshake) {
    if (const int error = SetModemLine(ModemLine::DTR, line.controlDTR == dtrEnable)) return error;
  }
  if (line.controlRTS == rtsDisable || line.controlRTS == rtsEnable)
    return SetModemLine(ModemLine::RTS, line.controlRTS == rtsEnable);
  return 0;
}

int SerialDevice::Flush(bool input, bool output) {
  const int fd = state_->fd;
  // With neither queue chosen the call still checks the device.
  int queue = input && output ? TCIOFLUSH : input ? TCIFLUSH : output ? TCOFLUSH : -1;
  if (queue < 0) return fcntl(fd, F_GETFL) < 0 ? errno : 0;
  return tcflush(fd, queue) == 0 ? 0 : errno;
}

int SerialDevice::SetModemLine(ModemLine which, bool raised) {
  int line = which == ModemLine::DTR ? TIOCM_DTR : TIOCM_RTS;
  if (ioctl(state_->fd, raised ? TIOCMBIS : TIOCMBIC, &line) == 0) return 0;
  return HasNoModemLines(errno) ? 0 : errno;
}

int SerialDevice::ReadModemStatus(int& lines) {
  const int fd = state_->fd;
  lines = 0;
  if (ioctl(fd, TIOCMGET, &lines) == 0) return 0;
  return HasNoModemLines(errno) ? 0 : errno;
}

int SerialDevice::QueuedInput(int& count) {
  const int fd = state_->fd;
  count = 0;
  return ioctl(fd, FIONREAD, &count) == 0 ? 0 : errno;
}

int SerialDevice::Write(const std::string& data, const TransferLimits& limits, int& written) {
  const int fd = state_->fd;
  written = 0;
  const auto total = DeadlineAfter(Clock::now(), limits.totalMs);
  const Clock::time_point* deadlines[] = {limits.totalMs >= 0 ? &total : nullptr};
  while (written < static_cast<int>(data.size())) {
    ssize_t n = write(fd, data.data() + written, data.size() - written);
    if (n > 0) {
      written += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return errno;
    const auto now = Clock::now();
    if (limits.totalMs >= 0 && now >= total) return 0;
    bool ready = false;
    if (int error = WaitFor(fd, POLLOUT, PollWait(now, deadlines, 1), ready)) return error;
  }
  return 0;
}

int SerialDevice::Read(std::string& data, int count, const TransferLimits& limits) {
  const int fd = state_->fd;
  data.clear();
  if (count <= 0) return 0;
  const auto total = DeadlineAfter(Clock::now(), limits.totalMs);
  Clock::time_point gapEnd;
  char buffer[256];
  while (static_cast<int>(data.size()) < count) {
    const size_t want = std::min(sizeof buffer, static_cast<size_t>(count) - data.size());
    ssize_t n = read(fd, buffer, want);
    if (n > 0) {
      data.append(buffer, static_cast<size_t>(n));
      gapEnd = DeadlineAfter(Clock::now(), limits.intervalMs);
      if (limits.returnOnFirstByte) return 0;
      continue;
    }
    if (n == 0) return EIO;  // the other end has gone
    if (errno == EINTR) continue;
    if (errno != EAGAIN) return errno;
    if (limits.returnAtOnce) return 0;

    const auto now = Clock::now();
    const bool gapRuns = limits.intervalMs >= 0 && !data.empty();
    if ((limits.totalMs >= 0 && now >= total) || (gapRuns && now >= gapEnd)) return 0;
    const Clock::time_point* deadlines[] = {limits.totalMs >= 0 ? &total : nullptr,
                                            gapRuns ? &gapEnd : nullptr};
    bool ready = false;
    if (int error = WaitFor(fd, POLLIN, PollWait(now, deadlines, 2), ready)) return error;
  }
  return 0;
}
