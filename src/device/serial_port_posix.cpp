// The platform layer on Linux and other POSIX systems: termios for the line,
// ioctl for the modem lines and break, poll() for the read time-outs.
#ifndef _WIN32

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#ifdef __linux__
#include <linux/serial.h>
#endif

#include "device/serial_device.h"

namespace liftvox {

namespace {

using Clock = std::chrono::steady_clock;

// Writes have no time-out of their own; this only keeps a wedged device from
// blocking a worker for ever.
constexpr int kWriteStallMs = 5000;

bool BaudConstant(int baud, speed_t& speed) {
  switch (baud) {
    case 300:
      speed = B300;
      return true;
    case 600:
      speed = B600;
      return true;
    case 1200:
      speed = B1200;
      return true;
    case 1800:
      speed = B1800;
      return true;
    case 2400:
      speed = B2400;
      return true;
    case 4800:
      speed = B4800;
      return true;
    case 9600:
      speed = B9600;
      return true;
    case 19200:
      speed = B19200;
      return true;
    case 38400:
      speed = B38400;
      return true;
    case 57600:
      speed = B57600;
      return true;
    case 115200:
      speed = B115200;
      return true;
    default:
      return false;
  }
}

bool ByteSizeFlag(int byteSize, tcflag_t& flag) {
  switch (byteSize) {
    case 5:
      flag = CS5;
      return true;
    case 6:
      flag = CS6;
      return true;
    case 7:
      flag = CS7;
      return true;
    case 8:
      flag = CS8;
      return true;
    default:
      return false;
  }
}

class PosixSerialDevice final : public SerialDevice {
 public:
  explicit PosixSerialDevice(int fd) : fd_(fd) {}
  ~PosixSerialDevice() override {
    // The exclusive flag stays on the tty while anyone else holds it open
    // (a simulator does); drop it so the next Open succeeds.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
  }

  int Configure(const LineSettings& settings) override {
    termios options{};
    if (::tcgetattr(fd_, &options) != 0) return -1;
    int result = 0;
    speed_t speed{};
    tcflag_t size{};
    if (!BaudConstant(settings.baud, speed) || !ByteSizeFlag(settings.byteSize, size)) {
      result = EINVAL;
    } else {
      baud_ = settings.baud;
      ::cfmakeraw(&options);
      ::cfsetispeed(&options, speed);
      ::cfsetospeed(&options, speed);
      options.c_cflag = (options.c_cflag & ~CSIZE) | size | CLOCAL | CREAD;
      options.c_cflag &= ~(PARENB | PARODD);
      if (settings.parity == 'E') options.c_cflag |= PARENB;
      if (settings.parity == 'O') options.c_cflag |= PARENB | PARODD;
      if (settings.stopBits == 0) {
        options.c_cflag &= ~CSTOPB;
      } else {
        options.c_cflag |= CSTOPB;
      }
#ifdef CRTSCTS
      if (settings.flowControl == 0) options.c_cflag &= ~CRTSCTS;
#endif
      options.c_cc[VMIN] = 0;
      options.c_cc[VTIME] = 0;
      if (::tcsetattr(fd_, TCSANOW, &options) != 0) result = errno ? errno : EINVAL;
    }
    ::tcflush(fd_, TCIOFLUSH);
    return result;
  }

  bool SetTimeouts(int readTotalMs, int readIntervalMs) override {
    readTotalMs_ = readTotalMs;
    readIntervalMs_ = readIntervalMs;
    return true;
  }

  bool SetBufferSizes(int, int) override { return true; }  // the kernel sizes its own

  bool SetBreak(bool on) override { return ::ioctl(fd_, on ? TIOCSBRK : TIOCCBRK) == 0; }
  bool SetDtr(bool on) override { return ModemLine(TIOCM_DTR, on); }
  bool SetRts(bool on) override { return ModemLine(TIOCM_RTS, on); }

  int Cts() override {
    int status = 0;
    if (::ioctl(fd_, TIOCMGET, &status) != 0) return -1;
    return (status & TIOCM_CTS) ? 1 : 0;
  }

  // Purging an empty queue changes nothing, but tcflush can wait for the
  // driver's buffer work (milliseconds on a pty), and the protocol purges
  // twice per page: look first.
  void Purge(bool input, bool output) override {
    int pending = 0;
    if (input && (::ioctl(fd_, FIONREAD, &pending) != 0 || pending > 0)) {
      ::tcflush(fd_, TCIFLUSH);
    }
    pending = 0;
    if (output && (::ioctl(fd_, TIOCOUTQ, &pending) != 0 || pending > 0)) {
      ::tcflush(fd_, TCOFLUSH);
    }
  }

  // Win32 semantics: the total time-out bounds the whole call, the interval
  // time-out starts after the first byte; both 0 waits for all bytes.
  int Read(uint8_t* buffer, int count) override {
    const auto start = Clock::now();
    const auto totalDeadline = start + std::chrono::milliseconds(readTotalMs_);
    auto lastByte = start;
    int got = 0;
    while (got < count) {
      int waitMs = -1;
      const auto now = Clock::now();
      if (readTotalMs_ > 0) waitMs = RemainingMs(now, totalDeadline);
      if (got > 0 && readIntervalMs_ > 0) {
        const int interval =
            RemainingMs(now, lastByte + std::chrono::milliseconds(readIntervalMs_));
        waitMs = waitMs < 0 ? interval : std::min(waitMs, interval);
      }
      if (waitMs == 0) break;
      pollfd request{fd_, POLLIN, 0};
      const int ready = ::poll(&request, 1, waitMs);
      if (ready < 0) {
        if (errno == EINTR) continue;
        return got > 0 ? got : -1;
      }
      if (ready == 0) break;
      if (!(request.revents & POLLIN)) return got > 0 ? got : -1;  // hang-up
      const ssize_t n = ::read(fd_, buffer + got, static_cast<size_t>(count - got));
      if (n > 0) {
        got += static_cast<int>(n);
        lastByte = Clock::now();
      } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        return got > 0 ? got : -1;  // the other end went away
      }
    }
    return got;
  }

  int Write(const uint8_t* buffer, int count) override {
    int done = 0;
    while (done < count) {
      const ssize_t n = ::write(fd_, buffer + done, static_cast<size_t>(count - done));
      if (n > 0) {
        done += static_cast<int>(n);
        continue;
      }
      if (n < 0 && errno != EAGAIN && errno != EINTR) return done > 0 ? done : -1;
      pollfd request{fd_, POLLOUT, 0};
      const int ready = ::poll(&request, 1, kWriteStallMs);
      if (ready == 0) break;
      if (ready > 0 && (request.revents & (POLLHUP | POLLERR | POLLNVAL))) {
        return done > 0 ? done : -1;
      }
    }
    WaitUntilSent(done);
    return done;
  }

 private:
  // A write on a Windows serial port returns once the bytes have left; a
  // Linux write once they are queued. The protocol purges the output queue
  // right after some writes (the zero padding of a failed page, the end
  // byte before closing), so wait here until the queue is empty, as long as
  // the bytes can take on the line and a little more. tcdrain() would wait
  // for ever on a line that stopped moving.
  void WaitUntilSent(int bytes) const {
    const auto lineTime = std::chrono::microseconds(int64_t{bytes} * 10 * 1'000'000 / baud_);
    const auto deadline = Clock::now() + 2 * lineTime + std::chrono::milliseconds(100);
    int pending = 0;
    while (::ioctl(fd_, TIOCOUTQ, &pending) == 0 && pending > 0 && Clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::microseconds(200));
  }

  static int RemainingMs(Clock::time_point now, Clock::time_point deadline) {
    if (now >= deadline) return 0;
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - now);
    return static_cast<int>((left.count() + 999) / 1000);
  }

  // One ioctl per line change, so each edge reaches the line on its own.
  bool ModemLine(int line, bool on) { return ::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line) == 0; }

  int fd_;
  int baud_ = 115200;
  int readTotalMs_ = 0;
  int readIntervalMs_ = 0;
};

}  // namespace

std::unique_ptr<SerialDevice> SerialDevice::Open(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  if (!::isatty(fd) || ::ioctl(fd, TIOCEXCL) != 0) {
    ::close(fd);
    return nullptr;
  }
#ifdef __linux__
  // Low latency shortens the driver's receive delay; many drivers refuse it.
  serial_struct serial{};
  if (::ioctl(fd, TIOCGSERIAL, &serial) == 0) {
    serial.flags |= ASYNC_LOW_LATENCY;
    ::ioctl(fd, TIOCSSERIAL, &serial);
  }
#endif
  return std::make_unique<PosixSerialDevice>(fd);
}

}  // namespace liftvox

#endif  // !_WIN32
