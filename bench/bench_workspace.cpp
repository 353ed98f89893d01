// The sequence workspace: one full repaint of a 1200 x 800 view, and the
// heap it holds, for configurations up to 256 sequences of 100 samples.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include <memory>
#include <string>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "config/paths.h"
#include "model/document.h"
#include "session/editing_session.h"
#include "ui/icon_library.h"
#include "ui/sequence_workspace.h"
#include "ui/workspace_geometry.h"

namespace {

using namespace liftvox;

QApplication& Application() {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "liftvox_bench";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
  return application;
}

// A session holding `sequences` sequences of `samples` samples.
class BenchEditor final {
 public:
  BenchEditor(int sequences, int samples) {
    TPametRevazie& document = session_.Document();
    document.DilEntries = {{"Čeština", 0, 0}, {"English", 3, 0}, {"Deutsch", 1, 0}};
    for (int i = 0; i < sequences; ++i) {
      auto sequence = std::make_unique<TSekvence>();
      sequence->Code = i;
      sequence->Floor = i >= 8;
      sequence->Name = std::to_string(i) + ". patro";
      for (int j = 0; j < samples; ++j) {
        auto sample = std::make_unique<TVzorek>();
        sample->Silence = j % 4 == 3;
        sample->SetFileName(sample->Silence
                                ? "Ticho"
                                : "/home/installer/Hlasky/Cestina/Patra/patro" + std::to_string(i) +
                                      "_" + std::to_string(j) + ".wav");
        sample->Samples = 14456;
        sample->DIL = j % 3;
        sample->Sequence = sequence.get();
        sequence->SampleList.push_back(std::move(sample));
      }
      document.SequenceList.push_back(std::move(sequence));
    }
    document.RenumberPositions();
    int sample = 1;
    int sequence = sequences / 2;
    document.SelectAt(sample, sequence);
  }
  EditingSession& Session() { return session_; }
  void Undo() { session_.UndoStack().undo(); }

 private:
  EditingSession session_;
};

const IconLibrary& Icons() {
  static IconLibrary icons;
  static bool loaded = false;
  if (!loaded) icons.Load(ExecutableDirectory() / "Icons");
  loaded = true;
  return icons;
}

// A workspace whose view is exactly 1200 x 800, scrolled to the middle.
std::unique_ptr<SequenceWorkspace> MakeWorkspace(BenchEditor& editor) {
  auto workspace = std::make_unique<SequenceWorkspace>(editor.Session(), Icons());
  workspace->resize(1200, 800);
  workspace->show();
  workspace->resize(QSize(1200, 800) + workspace->size() - workspace->viewport()->size());
  QScrollBar* horizontal = workspace->horizontalScrollBar();
  QScrollBar* vertical = workspace->verticalScrollBar();
  horizontal->setValue(horizontal->maximum() / 2);
  vertical->setValue(vertical->maximum() / 2);
  return workspace;
}

void BM_WorkspaceFullRepaint(benchmark::State& state) {
  Application();
  BenchEditor editor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const auto workspace = MakeWorkspace(editor);
  QImage image(workspace->viewport()->size(), QImage::Format_ARGB32_Premultiplied);
  workspace->viewport()->render(&image);  // fonts and icons loaded outside the timing
  for (auto _ : state) {
    workspace->viewport()->render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["view_px"] = image.width() * image.height();
}
BENCHMARK(BM_WorkspaceFullRepaint)
    ->Args({256, 50})
    ->Args({256, 100})
    ->Args({8, 1})
    ->Unit(benchmark::kMillisecond);

// A silence dropped into the middle of the grid, with its undo step, and the
// undo that restores the configuration; the estimate after the undo included.
void BM_WorkspaceDropAndUndo(benchmark::State& state) {
  Application();
  BenchEditor editor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const auto workspace = MakeWorkspace(editor);
  const QPoint middle(SampleLeft(static_cast<int>(state.range(1)) / 2) + 10,
                      RowTop(static_cast<int>(state.range(0)) / 2) + 10);
  for (auto _ : state) {
    workspace->Drop(DropSource::BrowserSilence, middle, Qt::NoModifier);
    editor.Undo();
  }
}
BENCHMARK(BM_WorkspaceDropAndUndo)->Args({256, 50})->Unit(benchmark::kMillisecond);

#if defined(__GLIBC__)
// Paints the top, the middle and the bottom of the grid.
void PaintThreePositions(SequenceWorkspace& workspace, QImage& image) {
  for (int position : {0, 1, 2}) {
    QScrollBar* vertical = workspace.verticalScrollBar();
    vertical->setValue(vertical->maximum() * position / 2);
    workspace.viewport()->render(&image);
  }
}

// Heap in use while a workspace lives that was made and painted at three
// scroll positions, less the heap before it was made: what the workspace
// itself holds. It must not grow with the configuration.
void BM_WorkspaceHeap(benchmark::State& state) {
  Application();
  BenchEditor editor(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  QImage image(QSize(1200, 800), QImage::Format_ARGB32_Premultiplied);
  // Qt's own caches (fonts, glyphs, styles) fill on first use; they are not
  // the workspace's, so one round runs before measuring.
  PaintThreePositions(*MakeWorkspace(editor), image);
  std::size_t held = 0;
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    const auto workspace = MakeWorkspace(editor);
    PaintThreePositions(*workspace, image);
    held = mallinfo2().uordblks - before;
  }
  state.counters["workspace_heap_bytes"] = static_cast<double>(held);
}
BENCHMARK(BM_WorkspaceHeap)
    ->Args({8, 1})
    ->Args({64, 20})
    ->Args({256, 50})
    ->Args({256, 100})
    ->Iterations(3);
#endif

}  // namespace
