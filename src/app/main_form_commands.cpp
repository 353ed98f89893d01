// The File, Sequence, Message, Announcer and Help commands.
#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUndoStack>
#include <QUrl>

#include "app/load_progress.h"
#include "app/main_form.h"
#include "app/wait_cursor.h"
#include "base/message_format.h"
#include "commands/image_file_commands.h"
#include "config/configuration_file.h"
#include "config/dil_file.h"
#include "config/paths.h"
#include "image/image_builder.h"
#include "model/editing.h"
#include "model/snapshot.h"
#include "ui/sample_browser.h"
#include "ui/sequence_workspace.h"

namespace liftvox {
namespace {

std::filesystem::path ToPath(const QString& path) { return PathFromUtf8(path.toStdString()); }

// The file dialogs' filters (their texts are the program's own, untranslated).
const char* const kOpenFilter =
    "Podporované formáty (*.cfg *.bin);;Konfigurace hlásiče (*.cfg);;"
    "Binarni soubory paměti (*.bin)";
const char* const kConfigurationFilter = "Konfigurace hlásiče (*.cfg)";
const char* const kDilFilter = "Nastavení DIL přepínače (*.dil)";
const char* const kImageFilter = "Binarni soubory paměti (*.bin)";

}  // namespace

QString TMainForm::StepName(const char* actionName) const {
  // The command's caption without its mnemonic mark and trailing "...".
  const QString text = Action(actionName)->text();
  QString name;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') name += text[++i];
      continue;
    }
    name += text[i];
  }
  if (name.endsWith("...")) name.chop(3);
  return name.trimmed();
}

QString TMainForm::DialogFolder(const char* settingName) const {
  const QString& stored = dialogFolders_[static_cast<std::size_t>(DialogFolderIndex(settingName))];
  return stored.isEmpty() ? QString::fromStdString(PathToUtf8(options_.programDirectory)) : stored;
}

void TMainForm::RememberDialogFolder(const char* settingName, const QString& file) {
  dialogFolders_[static_cast<std::size_t>(DialogFolderIndex(settingName))] =
      QFileInfo(file).absolutePath();
}

QString TMainForm::AskFileName(bool save, const char* folderSetting, const QString& filter,
                               const QString& suffix, const char* actionName) {
  QFileDialog dialog(this, StepName(actionName), DialogFolder(folderSetting), filter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString file = dialog.selectedFiles().front();
  RememberDialogFolder(folderSetting, file);
  return file;
}

void TMainForm::ForgetUndoIfReplaced(const ConfigurationSnapshot& before) {
  // Steps of another configuration cannot be undone in this one.
  if (!before.SameConfiguration(TakeSnapshot(document_))) undoStack_->clear();
}

void TMainForm::File_Exit() { close(); }

void TMainForm::File_New() {
  if (!NewConfiguration(document_)) return;
  undoStack_->clear();
  FlushDocumentChanges();
  const ImageSettings settings = CurrentImageSettings();
  // The announcer gets a valid empty image until the first build.
  if (document_.UsedMemory == 0 && settings.memorySizeCode >= 0) {
    SestavPamet(document_, settings);
  }
  Estimate();
  UpdateCaption();
}

void TMainForm::File_Open() {
  const QString path = AskFileName(false, "CFGOpenDir", kOpenFilter, "cfg", "File_Open");
  if (path.isEmpty()) return;
  OpenFile(path);
  AddRecentFile(path);
}

void TMainForm::OpenFile(const QString& path) {
  if (QFileInfo(path).suffix().toUpper() == "CFG")
    OpenConfiguration(path);
  else
    LoadImage(path);
}

void TMainForm::OpenRecentFile(const QString& path) {
  const QString extension = QFileInfo(path).suffix().toUpper();
  if (extension == "CFG")
    OpenConfiguration(path);
  else if (extension == "BIN")
    LoadImage(path);
  else if (extension == "DIL")
    LoadDil(path);
}

bool TMainForm::OpenConfiguration(const QString& path) {
  const ConfigurationSnapshot before = TakeSnapshot(document_);
  LoadProgress progress(this, Translate("ConfLoad", "Načítání konfigurace"),
                        QDir::toNativeSeparators(path), Translate("Stop", "&Zastavit"));
  const bool opened = liftvox::OpenConfiguration(document_, ToPath(path), progress.Callback());
  // A file read is a new start even when it holds the same configuration.
  if (opened)
    undoStack_->clear();
  else
    ForgetUndoIfReplaced(before);
  FlushDocumentChanges();
  Estimate();
  if (opened) {
    // The open command's own caption, until the next change of the mark.
    setWindowTitle(Translate("ProgramCaption", "Liftvox") + " " + path);
  } else {
    UpdateCaption();
  }
  return opened;
}

bool TMainForm::SaveConfiguration(const QString& path) {
  const bool saved = liftvox::SaveConfiguration(document_, ToPath(path));
  if (saved) undoStack_->setClean();
  UpdateCaption();
  return saved;
}

void TMainForm::File_Save() {
  if (!document_.CurrentFileName().empty()) {
    SaveConfiguration(QString::fromStdString(document_.CurrentFileName()));
    return;
  }
  File_SaveAs();
}

void TMainForm::File_SaveAs() {
  const QString path = AskFileName(true, "CFGSaveDir", kConfigurationFilter, "cfg", "File_SaveAs");
  if (path.isEmpty()) return;
  SaveConfiguration(path);
  AddRecentFile(path);
}

void TMainForm::LoadImage(const QString& path) {
  const ConfigurationSnapshot before = TakeSnapshot(document_);
  LoadImageFile(document_, CurrentImageSettings(), ToPath(path));
  ForgetUndoIfReplaced(before);
  FlushDocumentChanges();
  UpdateGauge();
  UpdateCaption();
}

void TMainForm::LoadDil(const QString& path) {
  Edit(StepName("File_NactiDIL"), [&] {
    // The loader changes the list without a word; the grid shows its icons.
    if (LoadDilFile(document_, ToPath(path))) document_.NotifyContentChanged();
  });
  FlushDocumentChanges();
}

void TMainForm::File_NactiDIL() {
  const QString path = AskFileName(false, "DILOpenDir", kDilFilter, "dil", "File_NactiDIL");
  if (path.isEmpty()) return;
  LoadDil(path);
  AddRecentFile(path);
}

void TMainForm::File_UlozDIL() {
  const QString path = AskFileName(true, "DILSaveDir", kDilFilter, "dil", "File_UlozDIL");
  if (path.isEmpty()) return;
  SaveDilFile(document_, ToPath(path));
  AddRecentFile(path);
}

void TMainForm::File_UlozPametNaDisk() {
  const ImageSettings settings = CurrentImageSettings();
  bool ready = false;
  {
    const WaitCursor wait;
    ready = PrepareImageForSaving(document_, settings);
  }
  UpdateGauge();
  if (!ready) return;
  const QString path = AskFileName(true, "BINSaveDir", kImageFilter, "bin", "File_UlozPametNaDisk");
  if (path.isEmpty()) return;
  SaveImageFile(document_, settings, ToPath(path));
  AddRecentFile(path);
  UpdateGauge();
}

void TMainForm::Revazi_SestavPamet() {
  int32_t built = 0;
  {
    const WaitCursor wait;
    built = SestavPamet(document_, CurrentImageSettings());
  }
  UpdateGauge();
  if (built > 0) {
    document_.prompter().Inform(
        {"MemoryBuilt", document_.Translate("MemoryBuilding", "Generování paměti"),
         FormatMessage(
             document_.Translate("MemoryBuilt", "Byla sestavena paměť hlásiče o velikosti %d kB."),
             built / 1024)});
  }
}

void TMainForm::Revazi_Detekce() { StartMemorySizeDetection(); }

void TMainForm::Sekvence_PridejObecnouSekvenci() {
  Edit(StepName("Sekvence_PridejObecnouSekvenci"), [this] { AddGeneralSequence(document_); });
  FlushDocumentChanges();
}

void TMainForm::Sekvence_PridejSekvenciPatro() {
  Edit(StepName("Sekvence_PridejSekvenciPatro"), [this] { AddFloorSequence(document_); });
  FlushDocumentChanges();
}

void TMainForm::Sekvence_SmazPatro() {
  Edit(StepName("Sekvence_SmazPatro"), [this] { DeleteSelectedSequence(document_); });
  FlushDocumentChanges();
  Estimate();
}

void TMainForm::Hlaska_SmazHlasku() {
  Edit(StepName("Hlaska_SmazHlasku"), [this] { DeleteSelectedSample(document_); });
  FlushDocumentChanges();
  Estimate();
}

void TMainForm::Hlaska_PridatTicho() {
  Edit(StepName("Hlaska_PridatTicho"),
       [this] { AddSilence(document_, workspace_->SilenceMilliseconds()); });
  FlushDocumentChanges();
  Estimate();
}

void TMainForm::Help_Napoveda1() {
  // The guide of the language in use: Help/<language file name>/index.html.
  const std::filesystem::path language = language_.LanguageFile().stem();
  const std::filesystem::path page = options_.programDirectory / "Help" / language / "index.html";
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(PathToUtf8(page))));
}

}  // namespace liftvox
