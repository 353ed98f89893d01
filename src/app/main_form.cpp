#include "app/main_form.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QScreen>
#include <QSettings>
#include <QStatusTipEvent>
#include <QTimer>
#include <QTranslator>

#include "app/message_box_prompter.h"
#include "app/preview_player.h"
#include "config/data_directory.h"
#include "config/dil_file.h"
#include "config/paths.h"
#include "dialogs/setup_form.h"
#include "ui/memory_status_bar.h"
#include "ui/plain_text.h"
#include "ui/sample_browser.h"
#include "ui/sequence_workspace.h"

namespace liftvox {
namespace {

// The status bar's panel for a device's status text.
int StatusBarPanel(StatusPanel panel) {
  switch (panel) {
    case StatusPanel::Announcer:
      return MemoryStatusBar::kHintPanel;
    case StatusPanel::Memory:
      return MemoryStatusBar::kMemoryPanel;
    case StatusPanel::Port:
      return MemoryStatusBar::kPortPanel;
  }
  return MemoryStatusBar::kHintPanel;
}

TMainForm::Options WithProgramFolder(TMainForm::Options options) {
  options.programDirectory = FindDataDirectory(ExecutableDirectory(), options.programDirectory);
  return options;
}

// The maker's settings store ("Tarnel"), or a given INI file.
std::unique_ptr<QSettings> OpenSettingsStore(const QString& file) {
  if (file.isEmpty()) return std::make_unique<QSettings>("Tarnel", "Liftvox");
  return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

}  // namespace

TMainForm::TMainForm(Options options, QWidget* parent)
    : QMainWindow(parent),
      options_(WithProgramFolder(std::move(options))),
      device_(language_, LoadInterfaces(options_.programDirectory / "Interfaces.ini"),
              options_.detectMemorySize) {
  // The built-in Czech texts are the default language's file until the
  // settings choose one.
  language_.SetLanguageFile(LanguagesFolder() / PathFromUtf8("Čeština.lng"));
  qtTranslator_ = new QTranslator(this);
  prompter_ = new MessageBoxPrompter(this);
  TPametRevazie& document = session_.Document();
  document.SetTranslator(&language_);
  document.SetPrompter(prompter_);
  document.SetSaveCommand([this] { File_Save(); });
  document.ProgramDirectory = options_.programDirectory;
  session_.SetImageSettingsSource([this] { return device_.CurrentImageSettings(); });
  connect(&session_, &EditingSession::MarksChanged, this, &TMainForm::UpdateCaption);
  connect(&session_, &EditingSession::UsageChanged, this, &TMainForm::UpdateGauge);
  connect(&session_, &EditingSession::ContentChanged, this, &TMainForm::FollowDilEntries);
  connect(&device_, &DeviceConnection::StatusChanged, this, &TMainForm::OnDeviceStatus);
  connect(&device_, &DeviceConnection::MemorySizeKnown, &session_, &EditingSession::SetMemorySize);

  player_ = std::make_unique<PreviewPlayer>(
      language_, options_.soundOutput ? QMediaDevices::defaultAudioOutput() : QAudioDevice());
  connect(player_.get(), &PreviewPlayer::CannotPlay, this, [this](const QString& reason) {
    statusPanels_->SetPanelText(MemoryStatusBar::kHintPanel, reason);
  });

  autoPlayTimer_ = new QTimer(this);
  autoPlayTimer_->setObjectName("AutoPlayTimer");
  autoPlayTimer_->setSingleShot(true);
  autoPlayTimer_->setInterval(500);
  connect(autoPlayTimer_, &QTimer::timeout, this, &TMainForm::AutoPlayTimerTimer);

  CreateWidgets();
  CreateActions();
  CreateMenus();
  CreateToolBars();
  RegisterCaptions();
  CreateDialogs();
  captions_.ApplyBuiltIn();
  RetextUndoActions();
  resize(kDesignedWidth, kDesignedHeight);
  setWindowTitle(Translate("ProgramCaption", "Liftvox"));
  // Labels show names, paths, captions and the announcer's answers.
  ShowLabelsAsPlainText(this);
}

TMainForm::~TMainForm() {
  // Nothing of the session or the device reaches a window that is going.
  session_.disconnect(this);
  session_.UndoStack().disconnect(this);
  device_.disconnect(this);
  // No worker may use the announcer session after it: the dialogs end theirs now.
  DeleteDialogs();
  player_->Stop();
  // The workspace's editors apply on closing; they go while the session is here.
  delete centralWidget();
  session_.Document().SetPrompter(nullptr);
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  Start();
}

void TMainForm::Start() {
  if (started_) return;
  started_ = true;
  BuildInterfaceMenu();
  LoadSettings();
  LoadIcons();
  BuildLanguageMenu();
  device_.DetectMemorySize();
  File_New();
  TPametRevazie& document = session_.Document();
  const std::filesystem::path defaultDil = options_.programDirectory / "Default.DIL";
  std::error_code error;
  if (std::filesystem::is_regular_file(defaultDil, error) && LoadDilFile(document, defaultDil))
    document.NotifyContentChanged();  // the loader changes the list without a word
  session_.FlushChanges();

  const QFileInfo folder(dir_);
  dir_ = folder.isDir() ? folder.absoluteFilePath() : QString(".");
  browser_->LoadDirectory(QFileInfo(dir_).absoluteFilePath());

  // Nothing before the first configuration can be undone.
  session_.UndoStack().clear();
  setWindowTitle(Translate("ProgramCaption", "Liftvox"));
  document.SetModified(false);
  UpdateCaption();
}

std::filesystem::path TMainForm::LanguagesFolder() const {
  return options_.programDirectory / "Languages";
}

QString TMainForm::Translate(const char* key, const char* czechDefault) const {
  return QString::fromStdString(language_.Translate(key, czechDefault));
}

void TMainForm::LoadSettings() {
  const auto store = OpenSettingsStore(options_.settingsFile);
  const ProgramSettings settings = LoadProgramSettings(
      *store, DefaultProgramSettings(kDesignedWidth, kDesignedHeight),
      [](const DeviceSettings& device) { return AvailablePortEntries(device.Ports()); });

  const QRect geometry = InitialWindowGeometry(settings, QSize(kDesignedWidth, kDesignedHeight),
                                               AvailableScreenAreas());
  resize(geometry.size());
  move(geometry.topLeft());
  dir_ = settings.dir;
  browser_->SetRecordingsFolder(
      QString::fromStdString(PathToUtf8(options_.programDirectory / "Languages")));
  browser_->SetRecentFolders(settings.browserFolders);
  ArrangeToolBars(settings.toolBars);
  // The oldest first, so that "File0" ends on top.
  for (qsizetype i = settings.recentFiles.size() - 1; i >= 0; --i)
    AddRecentFile(settings.recentFiles[i]);
  dialogFolders_ = settings.dialogFolders;
  device_.TakeStoredSettings(settings.device);
  production_ = settings.production;
  ShowDeviceSettings();
  device_.SetEncoder(settings.encoder);
  setupForm_->ShowEncoder(settings.encoder);
  workspace_->normaliseConversions = settings.normaliseConversions;

  device_.SetInterfaceNumber(settings.interfaceNumber);
  for (QAction* item : interfaceGroup_->actions())
    item->setChecked(item->data().toInt() == settings.interfaceNumber);

  // A language given for this run leaves the stored choice as it is.
  storedLanguage_ = settings.language;
  if (!ChooseLanguage(options_.language.isEmpty() ? settings.language : options_.language) &&
      options_.language.isEmpty())
    storedLanguage_.clear();
}

bool TMainForm::ChooseLanguage(const QString& fileName) {
  const std::filesystem::path builtIn = LanguagesFolder() / PathFromUtf8("Čeština.lng");
  bool chosen = true;
  if (fileName.isEmpty()) {
    language_.SetLanguageFile(builtIn);
  } else {
    language_.SetLanguageFile(LanguagesFolder() / PathFromUtf8(fileName.toStdString()));
    try {
      captions_.ApplyAll(language_.ReadCaptions());
    } catch (const std::exception&) {
      // A stored language whose file has gone: the built-in texts stay.
      language_.SetLanguageFile(builtIn);
      chosen = false;
    }
  }
  TranslateLists();
  RefreshStatusTexts();
  RetextUndoActions();
  return chosen;
}

void TMainForm::SaveSettings() {
  ProgramSettings settings = DefaultProgramSettings(kDesignedWidth, kDesignedHeight);
  const QRect frame = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  settings.left = pos().x();
  settings.top = pos().y();
  settings.width = frame.width();
  settings.height = frame.height();
  settings.dir = dir_;
  settings.toolBars = ToolBarPositions();
  settings.recentFiles = recentFiles_.Files();
  settings.browserFolders = browser_->RecentFolders();
  settings.dialogFolders = dialogFolders_;
  settings.language = storedLanguage_;
  settings.interfaceNumber = device_.InterfaceNumber();
  settings.device = device_.Settings();
  settings.encoder = device_.Encoder();
  settings.normaliseConversions = workspace_->normaliseConversions;
  settings.production = production_;
  const auto store = OpenSettingsStore(options_.settingsFile);
  SaveProgramSettings(*store, settings);
  store->sync();
}

void TMainForm::LoadIcons() {
  session_.Document().IconNames = icons_.Load(options_.programDirectory / "Icons");
}

void TMainForm::closeEvent(QCloseEvent* event) {
  player_->Stop();
  const TPametRevazie& document = session_.Document();
  if (document.IsModified()) {
    const Answer answer = document.prompter().AskYesNoCancel(
        {"ConfNotSaved", document.Translate("ConfSave", "Uložení konfigurace"),
         document.Translate("ConfNotSaved",
                            "Současná konfigurace nebyla uložena. Přejete si ji uložit?")});
    if (answer == Answer::Cancel) {
      player_->Stop();
      event->ignore();
      return;
    }
    // The window closes even when that save asked for a name and was cancelled.
    if (answer == Answer::Yes) File_Save();
  }
  if (options_.writeSettings) SaveSettings();
  player_->Stop();
  event->accept();
}

bool TMainForm::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    // Hints go to the first panel; without one it shows the announcer's state.
    const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
    statusPanels_->SetPanelText(MemoryStatusBar::kHintPanel, tip.isEmpty() ? deviceState_ : tip);
    return true;
  }
  return QMainWindow::event(event);
}

QString TMainForm::DocumentName() const {
  const std::string& file = session_.Document().CurrentFileName();
  return file.empty() ? Translate("DefaultFileName", "Konfigurace.cfg")
                      : QString::fromStdString(file);
}

void TMainForm::UpdateCaption() {
  setWindowTitle(Translate("ProgramCaption", "Liftvox") + " - " + DocumentName() +
                 (session_.Document().IsModified() ? "*" : ""));
}

void TMainForm::UpdateGauge() {
  statusPanels_->Gauge().SetUsage(session_.Document().UsedMemory, session_.Document().MemorySize);
}

void TMainForm::FollowDilEntries() {
  // Opening, undoing or loading DIL settings may replace the entries.
  const std::vector<DilEntry>& entries = session_.Document().DilEntries;
  if (entries == browserDilEntries_) return;
  browserDilEntries_ = entries;
  browser_->SetDilEntries(browserDilEntries_);
}

void TMainForm::OnDeviceStatus(StatusPanel panel, const QString& text) {
  const int index = StatusBarPanel(panel);
  if (index == MemoryStatusBar::kHintPanel) deviceState_ = text;
  statusPanels_->SetPanelText(index, text);
}

void TMainForm::RefreshStatusTexts() {
  statusPanels_->Gauge().SetLabel(Translate("MemoryUsed", "Využitá paměť"));
  device_.RetextStatus();
}

}  // namespace liftvox
