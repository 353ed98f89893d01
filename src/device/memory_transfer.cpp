#include "device/memory_transfer.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "base/little_endian.h"
#include "base/message_format.h"
#include "image/memory_size.h"

namespace liftvox {

namespace {

constexpr int kQuestionEvery = 5;

// How a run sets the port up: buffer size in bytes and read time-out in
// milliseconds, for the probe that finds the announcer and then for the
// page exchanges. Each run keeps the values the announcer has always been
// driven with.
struct PortSetup {
  int bufferSize;
  int timeoutMs;
};
constexpr PortSetup kProgrammingProbe{2048, 100};
constexpr PortSetup kProgrammingPages{256, 100};
constexpr PortSetup kMemoryReadProbe{256, 100};
constexpr PortSetup kMemoryReadPages{2048, 200};
constexpr PortSetup kConfigurationReadProbe{2048, 200};
constexpr PortSetup kConfigurationReadPages{256, 100};

bool Probe(SerialPort& port, int portNumber, PortSetup setup) {
  return ProbePort(port, portNumber, setup.bufferSize, setup.timeoutMs);
}

int64_t PagesFor(int64_t bytes, int pageSize) { return (bytes + pageSize - 1) / pageSize; }

// How a page, or a loop over pages, ended.
enum class PagesEnd { Done, Abandoned, Stopped };

// The state shared by the steps of one run.
class TransferRun {
 public:
  TransferRun(AnnouncerSession& session, Prompter& prompter, DeviceJobObserver& observer,
              const std::string& captionKey, const std::string& captionDefault)
      : scope_(session),
        session_(session),
        prompter_(prompter),
        observer_(observer),
        caption_(session.Translate(captionKey, captionDefault)) {}

  AnnouncerSession& Session() { return session_; }
  SerialPort& Port() { return session_.Port(); }
  DeviceJobObserver& Observer() { return observer_; }
  TransferResult& Result() { return result_; }

  void Warn(const std::string& key, const std::string& czechDefault,
            const std::vector<std::string>& arguments = {}) {
    prompter_.Warn(Text(key, czechDefault, arguments));
  }
  Answer Ask(const std::string& key, const std::string& czechDefault,
             const std::vector<std::string>& arguments = {}) {
    return prompter_.AskYesNo(Text(key, czechDefault, arguments));
  }

  // Every run starts here: find the port, then show no errors and no progress.
  void Start() {
    observer_.PortChanged(session_.Translate("Detection", "Detekce..."));
    result_.port = session_.SelectPort(observer_);
    observer_.PortChanged(Port().PortLabel(result_.port));
    observer_.ProgressChanged(0, "");
    observer_.ErrorCountChanged(0);
  }

  // Opens the run's port afresh for its page exchanges.
  void OpenPort(PortSetup setup) {
    Port().Close();
    Port().Open(result_.port);
    PrepareAnnouncerPort(Port(), setup.bufferSize, setup.timeoutMs);
  }

  // Repeats `attempt` until it succeeds, the user answers No to the question
  // before every fifth retry, or a stop is requested: a failed attempt on a
  // dead line has waited out all its read time-outs, so the stop is looked at
  // between attempts, not only between pages.
  PagesEnd WithRetries(const std::function<bool()>& attempt) {
    for (int tries = 0;; ++tries) {
      if (tries > 0) {
        if (StopSeen()) return PagesEnd::Stopped;
        if (tries % kQuestionEvery == 0 &&
            Ask("CommunicationError", "Chyba komunikace! Pokračovat v přenosu?") != Answer::Yes)
          return PagesEnd::Abandoned;
        observer_.ErrorCountChanged(++result_.errors);
      }
      if (attempt()) return PagesEnd::Done;
    }
  }

  // The one page loop of every run: pages [first, end) through `transfer`
  // with the retry policy, progress against `total` pages after every tenth
  // page, and the stop request looked at after each page.
  PagesEnd TransferPages(int64_t first, int64_t end, int64_t total, int pageSize,
                         const std::function<bool(int64_t page)>& transfer) {
    for (int64_t p = first; p < end; ++p) {
      const PagesEnd pageEnd = WithRetries([&] { return transfer(p); });
      if (pageEnd != PagesEnd::Done) return pageEnd;
      result_.pagesDone = static_cast<int>(p + 1);
      if (p % 10 == 0) ShowProgress(pageSize, p, total);
      if (StopSeen()) return PagesEnd::Stopped;
    }
    return PagesEnd::Done;
  }

  // The count after the loop, also after an early end.
  void ShowPagesDone(int pageSize, int64_t total) {
    if (total > 0) ShowProgress(pageSize, result_.pagesDone, total);
  }

  // True once a stop was requested; it stays true for the rest of the run.
  bool StopSeen() {
    if (!stopSeen_) stopSeen_ = observer_.StopRequested();
    return stopSeen_;
  }

  void Finish() { observer_.ProgressChanged(lastPercent_, session_.Translate("Done", "Hotovo")); }

 private:
  Message Text(const std::string& key, const std::string& czechDefault,
               const std::vector<std::string>& arguments) const {
    return Message{key, caption_, FormatText(session_.Translate(key, czechDefault), arguments)};
  }

  void ShowProgress(int64_t pageSize, int64_t done, int64_t total) {
    const int percent = total > 0 ? static_cast<int>(done * 100 / total) : 0;
    lastPercent_ = percent;
    observer_.ProgressChanged(
        percent, std::to_string(pageSize * done) + "B / " + std::to_string(pageSize * total) + "B");
  }

  AnnouncerSession::RunScope scope_;
  AnnouncerSession& session_;
  Prompter& prompter_;
  DeviceJobObserver& observer_;
  std::string caption_;
  TransferResult result_;
  int lastPercent_ = 0;
  bool stopSeen_ = false;
};

bool FirmwareTooOld(int major, int minor) { return major < 3 || (major == 3 && minor < 4); }

// The page as it goes out: a short last page padded with erased flash.
void FillPage(std::span<const uint8_t> image, int64_t p, std::vector<uint8_t>& page) {
  const size_t offset = static_cast<size_t>(p) * page.size();
  const size_t available = std::min(page.size(), image.size() - offset);
  std::fill(page.begin(), page.end(), uint8_t{0xFF});
  std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(offset), available, page.begin());
}

// Reads the written pages back and compares them with the image; the retry
// policy is the read-back's. Writes pagesVerified and, when every page was
// compared and one differs, the mismatch.
PagesEnd VerifyPages(TransferRun& run, const ProgramImage& image, int pageSize, int64_t pages) {
  TransferResult& result = run.Result();
  const int written = result.pagesDone;
  run.Observer().PhaseChanged(TransferPhase::Verifying);
  run.OpenPort(kMemoryReadPages);  // the read-back's set-up
  std::vector<uint8_t> sent(static_cast<size_t>(pageSize));
  std::vector<uint8_t> read(sent.size());
  VerifyMismatch mismatch;
  const PagesEnd end = run.TransferPages(0, pages, pages, pageSize, [&](int64_t p) {
    if (!ReceivePage(run.Port(), read, static_cast<int>(p))) return false;
    FillPage(image.bytes, p, sent);
    for (size_t i = 0; i < sent.size(); ++i) {
      if (sent[i] == read[i]) continue;
      if (mismatch.differingBytes++ == 0) {
        mismatch.firstAddress = p * pageSize + static_cast<int64_t>(i);
        mismatch.firstPage = static_cast<int>(p);
      }
    }
    return true;
  });
  run.ShowPagesDone(pageSize, pages);
  // The page loop counts into pagesDone, which stays the pages written.
  result.pagesVerified = result.pagesDone;
  result.pagesDone = written;
  if (end == PagesEnd::Done && mismatch.differingBytes > 0) result.mismatch = mismatch;
  return end;
}

// Everything of the programming run after the port choice.
void ProgramPages(TransferRun& run, const ProgramImage& image, const ProgramOptions& options) {
  AnnouncerSession& session = run.Session();
  DeviceJobObserver& observer = run.Observer();
  TransferResult& result = run.Result();
  SerialPort& port = run.Port();

  if (!Probe(port, result.port, kProgrammingProbe)) {
    result.outcome = TransferOutcome::NoAnnouncer;
    run.Warn("SpeakerNotDetected", "Hlásič nebyl detekován!");
    return;
  }
  const auto info = session.QueryMemorySize(observer);
  const int64_t announcerSize = info ? MemorySizeFromCode(info->MemoryCode()) : 0;
  const int pageSize = announcerSize == image.memorySize ? session.PageSizeForMemory(observer) : 0;
  if (pageSize <= 0) {
    result.outcome = TransferOutcome::MemorySizeMismatch;
    run.Warn("DataForMemory", "Data byla sestavena pro paměť %d. Paměť není možno naprogramovat!",
             {std::to_string(image.memorySize)});
    return;
  }
  result.announcer = info;
  const int64_t bytesInUse =
      std::clamp<int64_t>(image.bytesInUse, 0, static_cast<int64_t>(image.bytes.size()));
  const int64_t pages = PagesFor(bytesInUse, pageSize);
  result.pages = static_cast<int>(pages);

  int major = 0;
  int minor = 0;
  if (session.GetFirmwareVersion(major, minor, observer) && FirmwareTooOld(major, minor)) {
    result.outcome = TransferOutcome::OldFirmware;
    result.closeDialog = true;
    run.Warn("OldFW",
             "V hlásiči je stará verze software. Prosím, nahrajte novou (minimálně verze 3.4)");
  } else if (const int deviceInterface = session.GetInterfaceFromAnnouncer(observer);
             deviceInterface >= 0 && deviceInterface != image.interfaceNumber &&
             run.Ask("DifferentInterface",
                     "V hlásiči je nastaveno rozhraní \"%s\". Pokoušíte se nastavit rozhraní "
                     "\"%s\". Přejete si pokračovat?",
                     {session.InterfaceName(deviceInterface),
                      session.InterfaceName(image.interfaceNumber)}) != Answer::Yes) {
    result.outcome = TransferOutcome::InterfaceDeclined;
    result.closeDialog = true;
  } else {
    observer.PhaseChanged(TransferPhase::Writing);
    run.OpenPort(kProgrammingPages);
    std::vector<uint8_t> page(static_cast<size_t>(pageSize));
    PagesEnd end = run.TransferPages(0, pages, pages, pageSize, [&](int64_t p) {
      FillPage(image.bytes, p, page);
      return SendPage(port, page, static_cast<int>(p));
    });
    if (end == PagesEnd::Abandoned) {
      result.outcome = TransferOutcome::Abandoned;
    } else {
      SendEnd(port);
    }
    run.ShowPagesDone(pageSize, pages);
    // A failed attempt pads the line with zeros, and an answer that came too
    // late can be read in place of the next 'W': the announcer then stores
    // the padding, or a page shifted by a byte, in a page the loop has passed,
    // and no sum tells. So a run that needed any retry reads its pages back.
    if (end == PagesEnd::Done && (options.verify || result.errors > 0)) {
      end = VerifyPages(run, image, pageSize, pages);
      if (end == PagesEnd::Abandoned) result.outcome = TransferOutcome::Abandoned;
      if (end == PagesEnd::Done && result.mismatch) {
        result.outcome = TransferOutcome::VerifyFailed;
        char address[16];
        std::snprintf(address, sizeof address, "0x%06llX",
                      static_cast<unsigned long long>(result.mismatch->firstAddress));
        run.Warn("VerifyFailed",
                 "Ověření po programování selhalo: liší se %d bajtů, první na adrese %s "
                 "(stránka %d).",
                 {std::to_string(result.mismatch->differingBytes), address,
                  std::to_string(result.mismatch->firstPage)});
      }
    }
    if (end == PagesEnd::Stopped) result.outcome = TransferOutcome::Stopped;
    port.Close();
    return;
  }
  run.ShowPagesDone(pageSize, pages);
  port.Close();
}

}  // namespace

double LineSecondsToProgram(const ProgramImage& image) {
  int pageSize = 0;
  for (int code = 0; code <= 7; ++code) {
    if (MemorySizeFromCode(code) == image.memorySize) pageSize = PageSizeForMemory(code);
  }
  if (pageSize == 0) return 0;
  // Command, marker, two bytes of page number, the page, two bytes of sum;
  // ten bit times per byte.
  const int64_t lineBytes = PagesFor(image.bytesInUse, pageSize) * (pageSize + 6);
  return static_cast<double>(lineBytes) * 10 / 115200;
}

TransferResult ProgramAnnouncer(AnnouncerSession& session, const ProgramImage& image,
                                Prompter& prompter, DeviceJobObserver& observer,
                                ProgramOptions options) {
  TransferRun run(session, prompter, observer, "SoundUploading", "Programování paměti hlásiče");
  run.Start();
  ProgramPages(run, image, options);
  if (run.StopSeen()) run.Result().closeDialog = true;
  run.Finish();
  return run.Result();
}

TransferResult ReadWholeMemory(AnnouncerSession& session, std::vector<uint8_t>& image,
                               int64_t memorySize, Prompter& prompter,
                               DeviceJobObserver& observer) {
  TransferRun run(session, prompter, observer, "MemoryFromSpeaker", "Paměť z hlásiče");
  TransferResult& result = run.Result();
  run.Start();
  result.bytesInUse = 0;
  SerialPort& port = run.Port();

  const int pageSize = session.PageSizeForMemory(observer);
  if (!Probe(port, result.port, kMemoryReadProbe)) {
    result.outcome = TransferOutcome::NoAnnouncer;
    run.Warn("SpeakerNotDetected", "Hlásič nebyl nalezen!");
  } else if (pageSize > 0 && memorySize > 0) {
    if (static_cast<int64_t>(image.size()) < memorySize) {
      image.resize(static_cast<size_t>(memorySize), 0xFF);
    }
    const int64_t memoryPages = memorySize / pageSize;  // whole pages that fit the buffer
    int64_t pages = PagesFor(memorySize, pageSize);
    result.bytesInUse = memorySize;
    run.OpenPort(kMemoryReadPages);
    // Bytes 2..3 of page 0 hold the image's count of pages in use, which
    // sizes the rest of the read: cleared first, so that only a count that
    // arrived with page 0 can.
    image[2] = 0;
    image[3] = 0;
    const auto readPage = [&](int64_t p) {
      return ReceivePage(port,
                         std::span(image).subspan(static_cast<size_t>(p * pageSize),
                                                  static_cast<size_t>(pageSize)),
                         static_cast<int>(p));
    };
    PagesEnd end = run.TransferPages(0, std::min<int64_t>(1, std::min(pages, memoryPages)), pages,
                                     pageSize, readPage);
    if (end == PagesEnd::Done && std::min(pages, memoryPages) > 1) {
      // Page 0 says how many pages the image uses.
      const int64_t inUse = ReadLittleEndian16(image.data() + 2);
      if (inUse > 0 && inUse < 65535 && inUse <= memoryPages) {
        pages = inUse;
        result.bytesInUse = inUse * pageSize;
      }
      end = run.TransferPages(1, std::min(pages, memoryPages), pages, pageSize, readPage);
    }
    if (end == PagesEnd::Abandoned) {
      result.outcome = TransferOutcome::Abandoned;
      result.bytesInUse = 0;
    }
    result.pages = static_cast<int>(pages);
    run.ShowPagesDone(pageSize, pages);
    port.Close();
  }
  if (run.StopSeen()) {
    result.outcome = TransferOutcome::Stopped;
    result.bytesInUse = 0;
  }
  result.closeDialog = true;
  run.Finish();
  return result;
}

TransferResult ReadStoredConfiguration(AnnouncerSession& session, std::vector<uint8_t>& image,
                                       int64_t memorySize, Prompter& prompter,
                                       DeviceJobObserver& observer) {
  TransferRun run(session, prompter, observer, "ConfLoad", "Načtení konfigurace");
  TransferResult& result = run.Result();
  run.Start();
  result.bytesInUse = -1;
  SerialPort& port = run.Port();

  const int pageSize = session.PageSizeForMemory(observer);
  if (!Probe(port, result.port, kConfigurationReadProbe)) {
    result.outcome = TransferOutcome::NoAnnouncer;
    run.Warn("SpeakerNotDetected", "Hlásič nebyl nalezen!");
  } else if (pageSize > 0 && memorySize >= pageSize) {
    if (static_cast<int64_t>(image.size()) < memorySize) {
      image.resize(static_cast<size_t>(memorySize), 0xFF);
    }
    const int64_t memoryPages = memorySize / pageSize;
    run.OpenPort(kConfigurationReadPages);
    const auto readPage = [&](int64_t p) {
      return ReceivePage(port,
                         std::span(image).subspan(static_cast<size_t>(p * pageSize),
                                                  static_cast<size_t>(pageSize)),
                         static_cast<int>(p));
    };
    const auto readOne = [&](int64_t p) {
      return run.WithRetries([&] { return readPage(p); }) == PagesEnd::Done;
    };
    bool ok = readOne(0);
    const int64_t blockPage = ok ? ReadLittleEndian16(image.data()) : 0;
    // A header that points outside the memory (an erased one does) holds no
    // configuration.
    const bool blockInside = blockPage < memoryPages;
    ok = ok && (!blockInside || readOne(blockPage));
    if (!ok) {
      result.outcome = TransferOutcome::Abandoned;
      result.bytesInUse = 0;
    } else if (!blockInside) {
      result.bytesInUse = 0;
    } else {
      const int64_t blockStart = blockPage * pageSize;
      const int64_t recordStart =
          blockStart + ReadLittleEndian16(image.data() + static_cast<size_t>(blockStart));
      const int32_t length =
          recordStart + 4 <= memorySize
              ? static_cast<int32_t>(ReadLittleEndian32(image.data() + recordStart))
              : 0;
      if (length == 0) {
        result.bytesInUse = 0;
      } else {
        const int64_t end = recordStart + length;
        const int64_t lastPage = end > 0 ? PagesFor(end, pageSize) : 0;
        result.bytesInUse = lastPage > 0 ? std::min(lastPage * pageSize, memorySize) : -1;
        result.pages = static_cast<int>(lastPage);
        // Pages 0 to lastPage inclusive: the record's four length bytes may
        // reach into the page after its end.
        if (run.TransferPages(0, std::min(lastPage + 1, memoryPages), lastPage, pageSize,
                              readPage) == PagesEnd::Abandoned) {
          result.outcome = TransferOutcome::Abandoned;
          result.bytesInUse = 0;
        }
        run.ShowPagesDone(pageSize, lastPage);
      }
    }
    port.Close();
  }
  if (run.StopSeen()) {
    result.outcome = TransferOutcome::Stopped;
    result.bytesInUse = -1;
  }
  result.closeDialog = true;
  run.Finish();
  return result;
}

}  // namespace liftvox
