// The announcer's answers, fed from a fake port: the information record, the
// memory size and interface taken from it, a whole read-back with the page
// count taken from page 0, the stored configuration found in what came back,
// and a short programming run with its page sums.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "config/configuration_file.h"
#include "device/announcer_session.h"
#include "device/memory_transfer.h"
#include "document_setup.h"
#include "image/image_file.h"
#include "image/memory_size.h"
#include "lang/language.h"
#include "model/prompter.h"
#include "support/quiet_serial_port.h"

using namespace liftvox;

namespace {

// A line whose every read is decided by the input: a control byte says how
// many answer bytes follow (0: the read times out, 255: the port fails).
// When the input ends the line is dead: every read times out.
class FuzzedPort final : public test::QuietSerialPort {
 public:
  FuzzedPort(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  int Read(uint8_t* buffer, int count) override {
    if (at_ >= size_ || count <= 0) return 0;
    const uint8_t control = data_[at_++];
    if (control == 255) return -1;
    const std::size_t n =
        std::min({std::size_t{control}, static_cast<std::size_t>(count), size_ - at_});
    std::memcpy(buffer, data_ + at_, n);
    at_ += n;
    return static_cast<int>(n);
  }

 private:
  const uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedPort port(data, size);
  DeviceSettings settings;
  settings.autoPort = false;
  const TLanguage language;
  AnnouncerSession session(port, settings, language, {{"Standard", 0}, {"Serial", 3}});
  SilentPrompter prompter;
  NullDeviceJobObserver observer;

  ReadHardwareProperties(session, prompter, observer);
  int64_t memorySize = session.GetMemorySizeFromAnnouncer(observer);
  if (memorySize <= 0) {
    memorySize = MemorySizeFromCode(0);
    session.SetMemorySizeCode(0);
  }
  std::vector<uint8_t> image;
  ReadWholeMemory(session, image, memorySize, prompter, observer);

  std::vector<uint8_t> configuration(static_cast<std::size_t>(memorySize) + 1, 0xFF);
  const TransferResult read =
      ReadStoredConfiguration(session, configuration, memorySize, prompter, observer);
  if (read.bytesInUse > 0) {
    const int pageSize = PageSizeForMemory(session.MemorySizeCode());
    if (const auto stored = FindStoredConfiguration(configuration, pageSize)) {
      TPametRevazie document;
      fuzz::SetUpDocument(document);
      LoadConfigurationFromBuffer(document, configuration.data() + stored->recordOffset,
                                  configuration.size() - stored->recordOffset);
    }
  }

  const std::vector<uint8_t> pages(1024, 0x5A);
  ProgramAnnouncer(session, ProgramImage{pages, memorySize, 1024, 0}, prompter, observer);
  return 0;
}
