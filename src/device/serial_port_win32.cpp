// The platform layer on Windows: the kernel32 communications functions.
#ifdef _WIN32

#include <windows.h>

#include "device/serial_device.h"

namespace liftvox {

namespace {

class Win32SerialDevice final : public SerialDevice {
 public:
  explicit Win32SerialDevice(HANDLE handle) : handle_(handle) {
    GetCommState(handle_, &savedState_);
    GetCommTimeouts(handle_, &savedTimeouts_);
    GetCommMask(handle_, &savedMask_);
  }
  ~Win32SerialDevice() override {
    SetCommTimeouts(handle_, &savedTimeouts_);
    SetCommMask(handle_, savedMask_);
    PurgeComm(handle_, PURGE_TXCLEAR | PURGE_RXCLEAR);
    CloseHandle(handle_);
  }

  int Configure(const LineSettings& settings) override {
    DCB state{};
    state.DCBlength = sizeof(state);
    if (!GetCommState(handle_, &state)) return -1;
    state.BaudRate = static_cast<DWORD>(settings.baud);
    state.ByteSize = static_cast<BYTE>(settings.byteSize);
    state.StopBits = static_cast<BYTE>(settings.stopBits);
    state.Parity = settings.parity == 'E'   ? EVENPARITY
                   : settings.parity == 'O' ? ODDPARITY
                                            : NOPARITY;
    if (settings.flowControl == 0) {
      state.fDtrControl = DTR_CONTROL_DISABLE;
      state.fRtsControl = RTS_CONTROL_DISABLE;
    }
    const int result = SetCommState(handle_, &state) ? 0 : static_cast<int>(GetLastError());
    PurgeComm(handle_, PURGE_TXCLEAR | PURGE_RXCLEAR);
    return result;
  }

  bool SetTimeouts(int readTotalMs, int readIntervalMs) override {
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = static_cast<DWORD>(readIntervalMs);
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = static_cast<DWORD>(readTotalMs);
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = 0;
    return SetCommTimeouts(handle_, &timeouts) != 0;
  }

  bool SetBufferSizes(int inputSize, int outputSize) override {
    return SetupComm(handle_, static_cast<DWORD>(inputSize), static_cast<DWORD>(outputSize)) != 0;
  }

  bool SetBreak(bool on) override {
    return (on ? SetCommBreak(handle_) : ClearCommBreak(handle_)) != 0;
  }
  bool SetDtr(bool on) override { return EscapeCommFunction(handle_, on ? SETDTR : CLRDTR) != 0; }
  bool SetRts(bool on) override { return EscapeCommFunction(handle_, on ? SETRTS : CLRRTS) != 0; }

  int Cts() override {
    DWORD status = 0;
    if (!GetCommModemStatus(handle_, &status)) return -1;
    return (status & MS_CTS_ON) ? 1 : 0;
  }

  void Purge(bool input, bool output) override {
    DWORD flags = 0;
    if (input) flags |= PURGE_RXCLEAR;
    if (output) flags |= PURGE_TXCLEAR;
    if (flags) PurgeComm(handle_, flags);
  }

  int Read(uint8_t* buffer, int count) override {
    DWORD done = 0;
    if (!ReadFile(handle_, buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
    return static_cast<int>(done);
  }

  int Write(const uint8_t* buffer, int count) override {
    DWORD done = 0;
    if (!WriteFile(handle_, buffer, static_cast<DWORD>(count), &done, nullptr)) return -1;
    return static_cast<int>(done);
  }

 private:
  HANDLE handle_;
  DCB savedState_{};
  COMMTIMEOUTS savedTimeouts_{};
  DWORD savedMask_ = 0;
};

}  // namespace

std::unique_ptr<SerialDevice> SerialDevice::Open(const std::string& path) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              0, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32SerialDevice>(handle);
}

}  // namespace liftvox

#endif  // _WIN32
