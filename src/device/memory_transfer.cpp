#include "device/memory_transfer.h"

#include <algorithm>

#include "base/message_format.h"
#include "image/memory_size.h"

namespace liftvox {

namespace {

constexpr int kQuestionEvery = 5;

int64_t PagesFor(int64_t bytes, int pageSize) { return (bytes + pageSize - 1) / pageSize; }

uint16_t ReadU16(const std::vector<uint8_t>& image, size_t offset) {
  return static_cast<uint16_t>(image[offset] | (image[offset + 1] << 8));
}

// The state shared by the steps of one run.
class Run {
 public:
  Run(AnnouncerSession& session, TransferObserver& observer, std::string captionKey,
      std::string captionDefault)
      : session_(session),
        observer_(observer),
        caption_(session.Translate(captionKey, captionDefault)) {}

  AnnouncerSession& Session() { return session_; }
  TransferObserver& Observer() { return observer_; }
  TransferResult& Result() { return result_; }

  Message Text(const std::string& key, const std::string& czechDefault,
               const std::vector<std::string>& arguments = {}) const {
    return Message{key, caption_, FormatText(session_.Translate(key, czechDefault), arguments)};
  }

  // Every run starts here: find the port, then show no errors and no progress.
  void Start() {
    observer_.PortChanged(session_.Translate("Detection", "Detekce..."));
    result_.port = session_.SelectPort();
    observer_.PortChanged(session_.Port().PortLabel(result_.port));
    observer_.ProgressChanged(0, "");
    observer_.ErrorCountChanged(0);
  }

  // Repeats `attempt` until it succeeds; false when the user answered No to
  // the question asked before every fifth retry.
  template <typename Attempt>
  bool WithRetries(Attempt attempt) {
    for (int tries = 0;; ++tries) {
      if (tries > 0 && tries % kQuestionEvery == 0) {
        const Answer answer = observer_.AskYesNo(
            Text("CommunicationError", "Chyba komunikace! Pokračovat v přenosu?"));
        if (answer != Answer::Yes) return false;
      }
      if (tries > 0) observer_.ErrorCountChanged(++result_.errors);
      if (attempt()) return true;
    }
  }

  void ShowProgress(int64_t pageSize, int64_t done, int64_t total) {
    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 0;
    lastPercent_ = percent;
    observer_.ProgressChanged(
        percent, std::to_string(pageSize * done) + "B / " + std::to_string(pageSize * total) + "B");
  }

  void Finish() { observer_.ProgressChanged(lastPercent_, session_.Translate("Done", "Hotovo")); }

 private:
  AnnouncerSession& session_;
  TransferObserver& observer_;
  std::string caption_;
  TransferResult result_;
  int lastPercent_ = 0;
};

bool FirmwareTooOld(int major, int minor) { return major < 3 || (major == 3 && minor < 4); }

// Steps 3..11 of the programming run; the caller finishes it.
void ProgramPages(Run& run, const ProgramImage& image) {
  AnnouncerSession& session = run.Session();
  TransferObserver& observer = run.Observer();
  TransferResult& result = run.Result();
  SerialPort& port = session.Port();

  if (!ProbePort(port, result.port, 2048, 100)) {
    result.outcome = TransferOutcome::NoAnnouncer;
    observer.Warn(run.Text("SpeakerNotDetected", "Hlásič nebyl detekován!"));
    return;
  }
  const int64_t announcerSize = session.GetMemorySizeFromAnnouncer();
  const int pageSize = announcerSize == image.memorySize ? session.PageSizeForMemory() : 0;
  if (pageSize <= 0) {
    result.outcome = TransferOutcome::MemorySizeMismatch;
    observer.Warn(run.Text("DataForMemory",
                           "Data byla sestavena pro paměť %d. Paměť není možno naprogramovat!",
                           {std::to_string(image.memorySize)}));
    return;
  }
  const int64_t bytesInUse =
      std::clamp<int64_t>(image.bytesInUse, 0, static_cast<int64_t>(image.bytes.size()));
  const int64_t pages = PagesFor(bytesInUse, pageSize);
  result.pages = static_cast<int>(pages);

  int major = 0;
  int minor = 0;
  if (session.GetFirmwareVersion(major, minor) && FirmwareTooOld(major, minor)) {
    result.outcome = TransferOutcome::OldFirmware;
    result.closeDialog = true;
    observer.Warn(run.Text(
        "OldFW",
        "V hlásiči je stará verze software. Prosím, nahrajte novou (minimálně verze 3.4)"));
  } else if (const int deviceInterface = session.GetInterfaceFromAnnouncer();
             deviceInterface >= 0 && deviceInterface != image.interfaceNumber &&
             observer.AskYesNo(
                 run.Text("DifferentInterface",
                          "V hlásiči je nastaveno rozhraní \"%s\". Pokoušíte se nastavit rozhraní "
                          "\"%s\". Přejete si pokračovat?",
                          {session.InterfaceName(deviceInterface),
                           session.InterfaceName(image.interfaceNumber)})) != Answer::Yes) {
    result.outcome = TransferOutcome::InterfaceDeclined;
    result.closeDialog = true;
  } else {
    port.Close();
    port.Open(result.port);
    PrepareAnnouncerPort(port, 256, 100);
    // A partial last page goes out padded with erased flash.
    std::vector<uint8_t> page(static_cast<size_t>(pageSize));
    bool abandoned = false;
    for (int64_t p = 0; p < pages; ++p) {
      const size_t offset = static_cast<size_t>(p * pageSize);
      const size_t available = std::min(page.size(), image.bytes.size() - offset);
      std::fill(page.begin(), page.end(), uint8_t{0xFF});
      std::copy_n(image.bytes.begin() + static_cast<std::ptrdiff_t>(offset), available,
                  page.begin());
      if (!run.WithRetries([&] { return SendPage(port, page, static_cast<int>(p)); })) {
        abandoned = true;
        break;
      }
      result.pagesDone = static_cast<int>(p + 1);
      if (p % 10 == 0) run.ShowProgress(pageSize, p, pages);
      if (observer.StopRequested()) {
        result.outcome = TransferOutcome::Stopped;
        result.closeDialog = true;
        break;
      }
    }
    if (abandoned) {
      result.outcome = TransferOutcome::Abandoned;
    } else {
      SendEnd(port);
    }
  }
  if (pages > 0) run.ShowProgress(pageSize, result.pagesDone, pages);
  port.Close();
}

}  // namespace

TransferResult ProgramAnnouncer(AnnouncerSession& session, const ProgramImage& image,
                                TransferObserver& observer) {
  Run run(session, observer, "SoundUploading", "Programování paměti hlásiče");
  run.Start();
  ProgramPages(run, image);
  if (observer.StopRequested()) run.Result().closeDialog = true;
  run.Finish();
  return run.Result();
}

TransferResult ReadWholeMemory(AnnouncerSession& session, std::vector<uint8_t>& image,
                               int64_t memorySize, TransferObserver& observer) {
  Run run(session, observer, "MemoryFromSpeaker", "Paměť z hlásiče");
  TransferResult& result = run.Result();
  run.Start();
  result.bytesInUse = 0;
  SerialPort& port = session.Port();

  const int pageSize = session.PageSizeForMemory();
  if (!ProbePort(port, result.port, 256, 100)) {
    result.outcome = TransferOutcome::NoAnnouncer;
    observer.Warn(run.Text("SpeakerNotDetected", "Hlásič nebyl nalezen!"));
  } else if (pageSize > 0 && memorySize > 0) {
    if (static_cast<int64_t>(image.size()) < memorySize) {
      image.resize(static_cast<size_t>(memorySize), 0xFF);
    }
    const int64_t memoryPages = memorySize / pageSize;  // whole pages that fit the buffer
    int64_t pages = PagesFor(memorySize, pageSize);
    result.bytesInUse = memorySize;
    port.Close();
    port.Open(result.port);
    PrepareAnnouncerPort(port, 2048, 200);
    image[2] = 0;
    image[3] = 0;
    for (int64_t p = 0; p < pages && p < memoryPages; ++p) {
      if (p == 1) {
        const int64_t inUse = ReadU16(image, 2);
        if (inUse > 0 && inUse < 65535 && inUse <= memoryPages) {
          pages = inUse;
          result.bytesInUse = inUse * pageSize;
        }
      }
      std::span<uint8_t> page(image.data() + p * pageSize, static_cast<size_t>(pageSize));
      if (!run.WithRetries([&] { return ReceivePage(port, page, static_cast<int>(p)); })) {
        result.outcome = TransferOutcome::Abandoned;
        result.bytesInUse = 0;
        break;
      }
      result.pagesDone = static_cast<int>(p + 1);
      if (p % 10 == 0) run.ShowProgress(pageSize, p, pages);
      if (observer.StopRequested()) {
        result.outcome = TransferOutcome::Stopped;
        break;
      }
    }
    result.pages = static_cast<int>(pages);
    if (pages > 0) run.ShowProgress(pageSize, result.pagesDone, pages);
    port.Close();
  }
  if (observer.StopRequested()) {
    result.outcome = TransferOutcome::Stopped;
    result.bytesInUse = 0;
  }
  result.closeDialog = true;
  run.Finish();
  return result;
}

TransferResult ReadStoredConfiguration(AnnouncerSession& session, std::vector<uint8_t>& image,
                                       int64_t memorySize, TransferObserver& observer) {
  Run run(session, observer, "ConfLoad", "Načtení konfigurace");
  TransferResult& result = run.Result();
  run.Start();
  result.bytesInUse = -1;
  SerialPort& port = session.Port();

  const int pageSize = session.PageSizeForMemory();
  if (!ProbePort(port, result.port, 2048, 200)) {
    result.outcome = TransferOutcome::NoAnnouncer;
    observer.Warn(run.Text("SpeakerNotDetected", "Hlásič nebyl nalezen!"));
  } else if (pageSize > 0 && memorySize >= pageSize) {
    if (static_cast<int64_t>(image.size()) < memorySize) {
      image.resize(static_cast<size_t>(memorySize), 0xFF);
    }
    const int64_t memoryPages = memorySize / pageSize;
    port.Close();
    port.Open(result.port);
    PrepareAnnouncerPort(port, 256, 100);
    auto readPage = [&](int64_t p) {
      std::span<uint8_t> page(image.data() + p * pageSize, static_cast<size_t>(pageSize));
      return run.WithRetries([&] { return ReceivePage(port, page, static_cast<int>(p)); });
    };
    bool ok = readPage(0);
    const int64_t blockPage = ok ? ReadU16(image, 0) : 0;
    // A header that points outside the memory (an erased one does) holds no
    // configuration.
    const bool blockInside = blockPage < memoryPages;
    ok = ok && (!blockInside || readPage(blockPage));
    if (!ok) {
      result.outcome = TransferOutcome::Abandoned;
      result.bytesInUse = 0;
    } else if (!blockInside) {
      result.bytesInUse = 0;
    } else {
      const int64_t blockStart = blockPage * pageSize;
      const int64_t recordStart = blockStart + ReadU16(image, static_cast<size_t>(blockStart));
      int32_t length = 0;
      if (recordStart + 4 <= memorySize) {
        const auto* field = image.data() + recordStart;
        length = static_cast<int32_t>(static_cast<uint32_t>(field[0]) | (field[1] << 8) |
                                      (field[2] << 16) | (static_cast<uint32_t>(field[3]) << 24));
      }
      if (length == 0) {
        result.bytesInUse = 0;
      } else {
        const int64_t end = recordStart + length;
        const int64_t lastPage = end > 0 ? PagesFor(end, pageSize) : 0;
        result.bytesInUse = lastPage > 0 ? std::min(lastPage * pageSize, memorySize) : -1;
        result.pages = static_cast<int>(lastPage);
        for (int64_t p = 0; p <= lastPage; ++p) {
          if (p >= memoryPages) continue;
          if (!readPage(p)) {
            result.outcome = TransferOutcome::Abandoned;
            result.bytesInUse = 0;
            break;
          }
          result.pagesDone = static_cast<int>(p + 1);
          if (p % 10 == 0) run.ShowProgress(pageSize, p, lastPage);
          if (observer.StopRequested()) break;
        }
        if (lastPage > 0) run.ShowProgress(pageSize, result.pagesDone, lastPage);
      }
    }
    port.Close();
  }
  if (observer.StopRequested()) {
    result.outcome = TransferOutcome::Stopped;
    result.bytesInUse = -1;
  }
  result.closeDialog = true;
  run.Finish();
  return result;
}

}  // namespace liftvox
