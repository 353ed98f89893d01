// The GUI thread while a device dialog's worker runs: the longest pause
// between two turns of its event loop (goal: under 50 ms), measured by a 0 ms
// timer while the programming dialog writes, and the memory read-back dialog
// reads, a full 64 kB image through the paced virtual announcer (about six
// seconds each, every byte at 115200 baud). Reported as the counter
// longest_gui_pause_ms.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

#include <algorithm>
#include <memory>

#include "device/announcer_session.h"
#include "device/rs232_interface.h"
#include "dialogs/programming_dialog.h"
#include "dialogs/read_back_dialog.h"
#include "model/translator.h"

namespace liftvox {
namespace {

constexpr int kMemory = 65536;
constexpr int kPageSize = 256;

// A virtual announcer on a pseudo-terminal, reached as COM1.
struct PacedAnnouncer {
  PacedAnnouncer() {
    sim.start(QDir(QCoreApplication::applicationDirPath()).filePath("liftvox-sim"), {"--pace"});
    if (!sim.waitForReadyRead(5000)) return;
    port = std::make_unique<RS232Interface>(
        PortTable({QString::fromUtf8(sim.readLine()).trimmed().toStdString()}));
    DeviceSettings settings;
    settings.autoPort = false;
    settings.fixedPort = "COM1";
    session = std::make_unique<AnnouncerSession>(*port, settings, czech);
  }
  ~PacedAnnouncer() {
    session.reset();
    port.reset();
    sim.terminate();
    sim.waitForFinished();
  }

  QProcess sim;
  CzechTranslator czech;
  std::unique_ptr<RS232Interface> port;
  std::unique_ptr<AnnouncerSession> session;
  SilentPrompter prompter;
};

// Every page in use, the parameter block on page 1 naming the simulator's
// interface, so no question stops the run.
ImageToProgram FullImage() {
  std::vector<uint8_t> bytes(kMemory);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
  bytes[0] = 1;
  bytes[1] = 0;
  bytes[2] = static_cast<uint8_t>(kMemory / kPageSize);
  bytes[3] = static_cast<uint8_t>((kMemory / kPageSize) >> 8);
  bytes[kPageSize + 4] = 1;
  return ImageToProgram{std::move(bytes), 0, kMemory};
}

// Shows the dialog with its job and runs the event loop until the job ends;
// returns the longest gap between two timer turns, in milliseconds.
double LongestPauseWhileRunning(DeviceDialog& dialog) {
  QEventLoop loop;
  QObject::connect(&dialog.Runner(), &DeviceJobRunner::Finished, &loop, &QEventLoop::quit);
  dialog.StartWhenShown();
  dialog.show();
  QElapsedTimer clock;
  qint64 last = 0;
  qint64 longest = 0;
  QTimer probe;
  probe.setInterval(0);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    longest = std::max(longest, now - last);
    last = now;
  });
  clock.start();
  probe.start();
  loop.exec();
  probe.stop();
  dialog.reject();
  return static_cast<double>(longest) / 1e6;
}

void BM_GuiPauseWhileProgramming(benchmark::State& state) {
  PacedAnnouncer announcer;
  if (!announcer.session) {
    state.SkipWithError("liftvox-sim did not start");
    return;
  }
  TNahrajZvukyForm dialog(*announcer.session, nullptr);
  dialog.SetPrompter(&announcer.prompter);
  dialog.SetImage(FullImage());
  for (auto _ : state) {
    state.counters["longest_gui_pause_ms"] = LongestPauseWhileRunning(dialog);
  }
  if (dialog.LastResult().pagesDone != kMemory / kPageSize) state.SkipWithError("run incomplete");
}
BENCHMARK(BM_GuiPauseWhileProgramming)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_GuiPauseWhileReadingTheMemory(benchmark::State& state) {
  PacedAnnouncer announcer;
  if (!announcer.session) {
    state.SkipWithError("liftvox-sim did not start");
    return;
  }
  TNahrajZvukyForm writer(*announcer.session, nullptr);
  writer.SetPrompter(&announcer.prompter);
  writer.SetImage(FullImage());
  LongestPauseWhileRunning(writer);
  TPametZRevazieForm dialog(*announcer.session, nullptr);
  dialog.SetPrompter(&announcer.prompter);
  dialog.SetMemorySize(kMemory);
  for (auto _ : state) {
    state.counters["longest_gui_pause_ms"] = LongestPauseWhileRunning(dialog);
  }
  if (dialog.LastResult().bytesInUse != kMemory) state.SkipWithError("read incomplete");
}
BENCHMARK(BM_GuiPauseWhileReadingTheMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace liftvox
