// Speed of the desktop program, off screen:
//  - start-up to the first shown window (goal 0.5 s): the whole `liftvox
//    --screenshot` process, which also draws and saves a picture, so an upper
//    bound; and the window alone, built, started and shown in this process;
//  - a delete, or its undo, on 256 sequences x 50 samples including the
//    memory estimate and the scheduled redraw (goal 30 ms).
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

// 256 sequences of 50 samples, each sample its own file.
struct LargeConfiguration {
  QTemporaryDir scratch;
  std::unique_ptr<TMainForm> window;
  YesPrompter yes;

  LargeConfiguration() {
    {
      QSettings settings(scratch.filePath("settings.ini"), QSettings::IniFormat);
      settings.setValue("MemAuto", "0");
      settings.setValue("Mem", "8MB");
    }
    window = OpenWindow(scratch);
    window->Start();
    TPametRevazie& document = window->Document();
    document.SetPrompter(&yes);
    while (document.SequenceCount() < kMaxSequences) AddFloorSequence(document);
    for (int q = 0; q < document.SequenceCount(); ++q) {
      for (int s = 0; s < 50; ++s) {
        auto sample = std::make_unique<TVzorek>();
        sample->SetFileName("/zvuky/sekvence" + std::to_string(q) + "/hlaska" + std::to_string(s) +
                            ".wav");
        sample->SetSamples(14456);
        document.AppendSample(q, std::move(sample));
      }
    }
    window->UndoStack().clear();
    window->FlushDocumentChanges();
  }

  void SelectMiddleSample() {
    int sample = 25;
    int sequence = 128;
    window->Document().SelectAt(sample, sequence);
  }
};

void BM_DeleteMessageOn256x50(benchmark::State& state) {
  LargeConfiguration large;
  for (auto _ : state) {
    state.PauseTiming();
    large.SelectMiddleSample();
    large.window->FlushDocumentChanges();
    state.ResumeTiming();
    large.window->Action("Hlaska_SmazHlasku")->trigger();
    large.window->FlushDocumentChanges();
    state.PauseTiming();
    large.window->UndoStack().undo();
    large.window->FlushDocumentChanges();
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
    large.window->FlushDocumentChanges();
    state.ResumeTiming();
    large.window->UndoStack().undo();
    large.window->FlushDocumentChanges();
  }
}
BENCHMARK(BM_UndoDeleteOn256x50)->Unit(benchmark::kMillisecond)->Iterations(30);

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
