// The File, Sequence, Message, Announcer and Help commands.
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

#include "app/dialog_folder.h"
#include "app/load_progress.h"
#include "app/main_form.h"
#include "app/wait_cursor.h"
#include "base/message_format.h"
#include "commands/image_file_commands.h"
#include "config/dil_file.h"
#include "config/paths.h"
#include "dialogs/help_window.h"
#include "image/image_builder.h"
#include "model/editing.h"
#include "ui/sequence_workspace.h"

namespace liftvox {
namespace {

std::filesystem::path ToPath(const QString& path) { return PathFromUtf8(path.toStdString()); }

}  // namespace

// The file dialogs' type filters, in the program's language.
QString TMainForm::ConfigurationFilter() const {
  return Translate("FilterConfiguration", "Konfigurace hlásiče (*.cfg)");
}

QString TMainForm::ImageFilter() const {
  return Translate("FilterImage", "Binarni soubory paměti (*.bin)");
}

QString TMainForm::DilFilter() const {
  return Translate("FilterDil", "Nastavení DIL přepínače (*.dil)");
}

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

QString TMainForm::DialogFolder(const char* settingName, bool save) const {
  return InitialDialogFolder(
      dialogFolders_[static_cast<std::size_t>(DialogFolderIndex(settingName))], save);
}

void TMainForm::RememberDialogFolder(const char* settingName, const QString& file) {
  dialogFolders_[static_cast<std::size_t>(DialogFolderIndex(settingName))] =
      QFileInfo(file).absolutePath();
}

QString TMainForm::AskFileName(bool save, const char* folderSetting, const QString& filter,
                               const QString& suffix, const char* actionName) {
  QFileDialog dialog(this, StepName(actionName), DialogFolder(folderSetting, save), filter);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(suffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  const QString file = dialog.selectedFiles().front();
  RememberDialogFolder(folderSetting, file);
  return file;
}

void TMainForm::File_Exit() { close(); }

void TMainForm::File_New() {
  if (session_.NewConfiguration()) UpdateCaption();
}

void TMainForm::File_Open() {
  const QString path =
      AskFileName(false, "CFGOpenDir",
                  Translate("FilterSupported", "Podporované formáty (*.cfg *.bin)") + ";;" +
                      ConfigurationFilter() + ";;" + ImageFilter(),
                  "cfg", "File_Open");
  if (path.isEmpty()) return;
  OpenFile(path);
  AddRecentFile(path);
}

void TMainForm::OpenFile(const QString& path) {
  const QString extension = QFileInfo(path).suffix().toUpper();
  if (extension == "DIL")
    LoadDil(path);
  else if (extension != "CFG")
    LoadImage(path);
  else if (OpenConfiguration(path))
    OfferMissingRecordings();
}

bool TMainForm::OpenConfiguration(const QString& path) {
  LoadProgress progress(this, Translate("ConfLoad", "Načítání konfigurace"),
                        QDir::toNativeSeparators(path), Translate("Stop", "&Zastavit"));
  const bool opened = session_.OpenConfiguration(ToPath(path), progress.Callback());
  if (opened) {
    // The open command's own caption, until the next change of the mark.
    setWindowTitle(Translate("ProgramCaption", "Liftvox") + " " + path);
  } else {
    UpdateCaption();
  }
  return opened;
}

bool TMainForm::SaveConfiguration(const QString& path) {
  const bool saved = session_.SaveConfiguration(ToPath(path));
  UpdateCaption();
  return saved;
}

void TMainForm::File_Save() {
  if (const std::string& file = session_.Document().CurrentFileName(); !file.empty()) {
    SaveConfiguration(QString::fromStdString(file));
    return;
  }
  File_SaveAs();
}

void TMainForm::File_SaveAs() {
  const QString path = AskFileName(true, "CFGSaveDir", ConfigurationFilter(), "cfg", "File_SaveAs");
  if (path.isEmpty()) return;
  SaveConfiguration(path);
  AddRecentFile(path);
}

void TMainForm::LoadImage(const QString& path) {
  session_.OpenImageFile(ToPath(path));
  UpdateCaption();
}

void TMainForm::LoadDil(const QString& path) {
  session_.LoadDilFile(StepName("File_NactiDIL"), ToPath(path));
}

void TMainForm::File_NactiDIL() {
  const QString path = AskFileName(false, "DILOpenDir", DilFilter(), "dil", "File_NactiDIL");
  if (path.isEmpty()) return;
  LoadDil(path);
  AddRecentFile(path);
}

void TMainForm::File_UlozDIL() {
  const QString path = AskFileName(true, "DILSaveDir", DilFilter(), "dil", "File_UlozDIL");
  if (path.isEmpty()) return;
  SaveDilFile(session_.Document(), ToPath(path));
  AddRecentFile(path);
}

LoadProgress TMainForm::ImageBuildProgress() {
  return LoadProgress(this, Translate("MemoryBuilding", "Generování paměti"), DocumentName(),
                      Translate("Stop", "&Zastavit"));
}

void TMainForm::File_UlozPametNaDisk() {
  TPametRevazie& document = session_.Document();
  const ImageSettings settings = session_.CurrentImageSettings();
  bool ready = false;
  {
    const WaitCursor wait;
    LoadProgress progress = ImageBuildProgress();
    ready = PrepareImageForSaving(document, settings, progress.Callback());
  }
  UpdateGauge();
  if (!ready) return;
  const QString path =
      AskFileName(true, "BINSaveDir", ImageFilter(), "bin", "File_UlozPametNaDisk");
  if (path.isEmpty()) return;
  SaveImageFile(document, settings, ToPath(path));
  AddRecentFile(path);
  UpdateGauge();
}

void TMainForm::Revazi_SestavPamet() {
  TPametRevazie& document = session_.Document();
  int32_t built = 0;
  {
    const WaitCursor wait;
    LoadProgress progress = ImageBuildProgress();
    built = SestavPamet(document, session_.CurrentImageSettings(), progress.Callback());
  }
  UpdateGauge();
  if (built > 0) {
    document.prompter().Inform(
        {"MemoryBuilt", document.Translate("MemoryBuilding", "Generování paměti"),
         FormatMessage(
             document.Translate("MemoryBuilt", "Byla sestavena paměť hlásiče o velikosti %d kB."),
             built / 1024)});
  }
}

void TMainForm::Revazi_Detekce() { device_.DetectMemorySize(); }

void TMainForm::Sekvence_PridejObecnouSekvenci() {
  session_.Edit(StepName("Sekvence_PridejObecnouSekvenci"),
                [this] { AddGeneralSequence(session_.Document()); });
  session_.FlushChanges();
}

void TMainForm::Sekvence_PridejSekvenciPatro() {
  session_.Edit(StepName("Sekvence_PridejSekvenciPatro"),
                [this] { AddFloorSequence(session_.Document()); });
  session_.FlushChanges();
}

// The delete commands estimate whatever the answer.
void TMainForm::Sekvence_SmazPatro() {
  session_.Edit(StepName("Sekvence_SmazPatro"),
                [this] { DeleteSelectedSequence(session_.Document()); });
  session_.FlushChanges();
  session_.Estimate();
}

void TMainForm::Hlaska_SmazHlasku() {
  session_.Edit(StepName("Hlaska_SmazHlasku"),
                [this] { DeleteSelectedSample(session_.Document()); });
  session_.FlushChanges();
  session_.Estimate();
}

void TMainForm::Hlaska_PridatTicho() {
  session_.Edit(StepName("Hlaska_PridatTicho"),
                [this] { AddSilence(session_.Document(), workspace_->SilenceMilliseconds()); });
  session_.FlushChanges();
}

void TMainForm::Help_Napoveda1() {
  if (FollowGuideLanguage()) {
    helpWindow_->ShowGuide();
    return;
  }
  TPametRevazie& document = session_.Document();
  document.prompter().Warn(
      {"GuideMissing", helpWindow_->windowTitle().toStdString(),
       FormatMessage(
           document.Translate("GuideMissing", "Nápověda nebyla nalezena: chybí soubor %s."),
           PathToUtf8(GuidePage()))});
}

bool TMainForm::FollowGuideLanguage() {
  const std::filesystem::path page = GuidePage();
  std::error_code error;
  if (!std::filesystem::is_regular_file(page, error)) return false;
  helpWindow_->SetHomePage(QUrl::fromLocalFile(QString::fromStdString(PathToUtf8(page))));
  return true;
}

std::filesystem::path TMainForm::GuidePage() const {
  // One set of pages per language: Help/<language file name>/index.html.
  const std::filesystem::path help = options_.programDirectory / "Help";
  const std::filesystem::path page = help / language_.LanguageFile().stem() / "index.html";
  const std::filesystem::path english = help / "English" / "index.html";
  std::error_code error;
  return std::filesystem::is_regular_file(page, error) ||
                 !std::filesystem::is_regular_file(english, error)
             ? page
             : english;
}

}  // namespace liftvox
