// Speed of the desktop program, off screen:
//  - start-up to the first shown window (goal 0.5 s): the whole `liftvox
//    --screenshot` process, which also draws and saves a picture, so an upper
//    bound; and the window alone, built, started and shown in this process;
//  - a delete, or its undo, on 256 sequences x 50 samples including the
//    memory estimate and the scheduled redraw (goal 30 ms);
//  - the undo history itself: an edit of one sample with its undo step, and
//    the undo, on 256 x 50 (goal 3 ms each), and the heap one step holds
//    after such an edit on 256 x 100 (goal 64 kB).
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QUndoStack>

#include <memory>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "app/main_form.h"
#include "config/paths.h"
#include "model/document.h"
#include "model/editing.h"

namespace liftvox {
namespace {

// Says Yes to every question (the delete confirmations).
class YesPrompter final : public Prompter {
 public:
  void Inform(const Message&) override {}
  void Warn(const Message&) override {}
  Answer AskYesNo(const Message&) override { return Answer::Yes; }
  Answer AskYesNoCancel(const Message&) override { return Answer::No; }
};

QString ProgramPath() { return QDir(QCoreApplication::applicationDirPath()).filePath("liftvox"); }

std::unique_ptr<TMainForm> OpenWindow(const QTemporaryDir& scratch) {
  TMainForm::Options options;
  options.programDirectory = PathFromUtf8(QCoreApplication::applicationDirPath().toStdString());
  options.settingsFile = scratch.filePath("settings.ini");
  options.writeSettings = false;
  options.detectMemorySize = false;
  options.soundOutput = false;
  return std::make_unique<TMainForm>(options);
}

void BM_ProgramStartToSavedScreenshot(benchmark::State& state) {
  const QTemporaryDir scratch;
  const QString picture = scratch.filePath("window.png");
  for (auto _ : state) {
    QProcess program;
    program.start(ProgramPath(), {"--screenshot", picture});
    if (!program.waitForFinished(30000) || program.exitCode() != 0) {
      state.SkipWithError("liftvox --screenshot failed");
      return;
    }
  }
}
BENCHMARK(BM_ProgramStartToSavedScreenshot)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WindowBuiltStartedAndShown(benchmark::State& state) {
  const QTemporaryDir scratch;
  for (auto _ : state) {
    const auto window = OpenWindow(scratch);
    window->show();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_WindowBuiltStartedAndShown)->Unit(benchmark::kMillisecond)->Iterations(10);

// 256 sequences of `samples` samples, each sample its own file.
struct LargeConfiguration {
  QTemporaryDir scratch;
  std::unique_ptr<TMainForm> window;
  YesPrompter yes;

  explicit LargeConfiguration(int samples = 50) {
    {
      QSettings settings(scratch.filePath("settings.ini"), QSettings::IniFormat);
      settings.setValue("MemAuto", "0");
      settings.setValue("Mem", "8MB");
    }
    window = OpenWindow(scratch);
    window->Start();
    TPametRevazie& document = window->Session().Document();
    document.SetPrompter(&yes);
    while (document.SequenceCount() < kMaxSequences) AddFloorSequence(document);
    for (int q = 0; q < document.SequenceCount(); ++q) {
      for (int s = 0; s < samples; ++s) {
        auto sample = std::make_unique<TVzorek>();
        sample->SetFileName("/zvuky/sekvence" + std::to_string(q) + "/hlaska" + std::to_string(s) +
                            ".wav");
        sample->SetSamples(14456);
        document.AppendSample(q, std::move(sample));
      }
    }
    window->Session().UndoStack().clear();
    window->Session().FlushChanges();
  }

  void SelectMiddleSample() {
    int sample = 25;
    int sequence = 128;
    window->Session().Document().SelectAt(sample, sequence);
  }

  // One undo step that changes the length of one sample in the middle.
  void EditOneSample(int32_t samples) {
    TVzorek* sample = window->Session().Document().SequenceAt(128)->SampleAt(25);
    window->Session().Edit("Délka", [&] { sample->SetSamples(samples); });
  }
};

void BM_DeleteMessageOn256x50(benchmark::State& state) {
  LargeConfiguration large;
  for (auto _ : state) {
    state.PauseTiming();
    large.SelectMiddleSample();
    large.window->Session().FlushChanges();
    state.ResumeTiming();
    large.window->Action("Hlaska_SmazHlasku")->trigger();
    large.window->Session().FlushChanges();
    state.PauseTiming();
    large.window->Session().UndoStack().undo();
    large.window->Session().FlushChanges();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteMessageOn256x50)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_UndoDeleteOn256x50(benchmark::State& state) {
  LargeConfiguration large;
  for (auto _ : state) {
    state.PauseTiming();
    large.SelectMiddleSample();
    large.window->Action("Hlaska_SmazHlasku")->trigger();
    large.window->Session().FlushChanges();
    state.ResumeTiming();
    large.window->Session().UndoStack().undo();
    large.window->Session().FlushChanges();
  }
}
BENCHMARK(BM_UndoDeleteOn256x50)->Unit(benchmark::kMillisecond)->Iterations(30);

// The undo step alone, without the estimate and the redraw that follow it.
void BM_EditOneSampleOn256x50(benchmark::State& state) {
  LargeConfiguration large;
  int32_t length = 1000;
  for (auto _ : state) large.EditOneSample(++length);
}
BENCHMARK(BM_EditOneSampleOn256x50)->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_UndoOneSampleEditOn256x50(benchmark::State& state) {
  LargeConfiguration large;
  int32_t length = 1000;
  for (auto _ : state) {
    state.PauseTiming();
    large.EditOneSample(++length);
    state.ResumeTiming();
    large.window->Session().UndoStack().undo();
  }
}
BENCHMARK(BM_UndoOneSampleEditOn256x50)->Unit(benchmark::kMillisecond)->Iterations(50);

#if defined(__GLIBC__)
// The heap one more undo step holds once the history is under way.
void BM_UndoStepHeapOn256x100(benchmark::State& state) {
  LargeConfiguration large(100);
  int32_t length = 1000;
  large.EditOneSample(++length);
  std::size_t held = 0;
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    large.EditOneSample(++length);
    held = mallinfo2().uordblks - before;
  }
  state.counters["step_heap_bytes"] = static_cast<double>(held);
}
BENCHMARK(BM_UndoStepHeapOn256x100)->Unit(benchmark::kMillisecond)->Iterations(5);
#endif

}  // namespace
}  // namespace liftvox

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
