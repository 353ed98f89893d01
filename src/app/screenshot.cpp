#include "app/screenshot.h"

#include <QDialog>

#include <QCoreApplication>
#include <QPixmap>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

#include "app/main_form.h"
#include "audio/wave_length_cache.h"
#include "config/configuration_file.h"
#include "config/paths.h"
#include "image/memory_estimate.h"
#include "image/memory_size.h"
#include "model/document.h"
#include "model/prompter.h"
#include "ui/sample_browser.h"
#include "ui/wave_length_reader.h"

namespace liftvox {
namespace {

void PrintError(const QString& text) {
  std::fprintf(stderr, "liftvox: %s\n", text.toLocal8Bit().constData());
}

// Nobody is there to answer: messages go to stderr and questions get No.
class ConsolePrompter final : public Prompter {
 public:
  bool warned = false;

  void Inform(const Message& message) override { Print(message); }
  void Warn(const Message& message) override {
    warned = true;
    Print(message);
  }
  Answer AskYesNo(const Message&) override { return Answer::No; }
  Answer AskYesNoCancel(const Message&) override { return Answer::No; }

 private:
  static void Print(const Message& message) {
    PrintError(QString::fromStdString(message.caption + ": " + message.text));
  }
};

// The smallest memory the configuration fits in, so the picture shows it as
// on an announcer made for it; the largest when it fits in none.
std::string FittingMemorySize(const QString& configuration) {
  TPametRevazie document;
  SilentPrompter silent;
  document.SetPrompter(&silent);
  document.SetSampleLengthMeasure(CachedWaveLengthMeasure());
  constexpr int kLargest = 7;
  if (!OpenConfiguration(document, PathFromUtf8(configuration.toStdString())))
    return MemorySizeText(kLargest);
  for (int code = 0; code < kLargest; ++code) {
    ImageSettings settings;
    settings.memorySizeCode = code;
    if (OdhadniPamet(document, settings) <= MemorySizeFromCode(code)) return MemorySizeText(code);
  }
  return MemorySizeText(kLargest);
}

// The first sample of the configuration that is a recording, or null.
const TVzorek* FirstRecording(const TPametRevazie& document) {
  for (const auto& sequence : document.SequenceList)
    for (const auto& sample : sequence->SampleList)
      if (!sample->Silence) return sample.get();
  return nullptr;
}

}  // namespace

int TakeScreenshot(const CommandLine& line) {
  const QTemporaryDir scratch;
  if (!scratch.isValid()) {
    PrintError("no temporary folder for the settings");
    return 1;
  }
  TMainForm::Options options;
  options.programDirectory = PathFromUtf8(line.data.toStdString());
  options.settingsFile = scratch.filePath("settings.ini");
  if (!line.configuration.isEmpty()) {
    QSettings settings(options.settingsFile, QSettings::IniFormat);
    settings.setValue("MemAuto", "0");
    settings.setValue("Mem", QString::fromStdString(FittingMemorySize(line.configuration)));
  }
  options.writeSettings = false;
  options.detectMemorySize = false;
  options.soundOutput = false;
  options.language = line.language;
  TMainForm form(options);
  ConsolePrompter prompter;
  form.Session().Document().SetPrompter(&prompter);
  form.Start();
  if (!line.configuration.isEmpty()) {
    if (!form.OpenConfiguration(line.configuration)) {
      PrintError("cannot read " + line.configuration);
      return 1;
    }
    int sample = 0;
    int sequence = 0;
    form.Session().Document().SelectAt(sample, sequence);
    // The browser shows the recordings the configuration uses, as an
    // installer working on it would see it.
    if (const TVzorek* recording = FirstRecording(form.Session().Document()))
      form.Browser().LoadDirectory(
          QString::fromStdString(PathToUtf8(PathFromUtf8(recording->FileName).parent_path())));
    // The lengths are read in the background; the picture waits for them.
    if (auto* lengths = form.Browser().findChild<WaveLengthReader*>()) lengths->WaitForIdle(5000);
  }
  form.resize(TMainForm::kDesignedWidth, TMainForm::kDesignedHeight);
  form.show();
  form.Session().FlushChanges();
  QCoreApplication::processEvents();
  QWidget* pictured = &form;
  if (!line.dialog.isEmpty()) {
    QDialog* dialog = form.PrepareDialogForScreenshot(line.dialog);
    if (!dialog) {
      PrintError("--dialog " + line.dialog + ": no dialog of that class");
      form.Session().Document().SetPrompter(nullptr);
      return 2;
    }
    // Shown without its modal loop, so the picture is taken and the program ends.
    dialog->setModal(false);
    dialog->show();
    QCoreApplication::processEvents();
    pictured = dialog;
  }
  const bool saved = pictured->grab().save(line.screenshot, "PNG");
  form.Session().Document().SetPrompter(nullptr);
  if (!saved) {
    PrintError("cannot write " + line.screenshot);
    return 1;
  }
  return 0;
}

}  // namespace liftvox
