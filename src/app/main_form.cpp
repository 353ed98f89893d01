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
#include <QUndoStack>

#include "app/device_status_observer.h"
#include "app/memory_size_detection.h"
#include "app/message_box_prompter.h"
#include "app/preview_player.h"
#include "app/snapshot_command.h"
#include "audio/wave_length_cache.h"
#include "config/data_directory.h"
#include "config/dil_file.h"
#include "config/paths.h"
#include "image/memory_size.h"
#include "ui/memory_status_bar.h"
#include "ui/plain_text.h"
#include "ui/sample_browser.h"
#include "ui/sequence_workspace.h"

namespace liftvox {
namespace {

// The status bar's panel for a device job's status text.
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

// Where no serial device exists at all, detection has nothing to ask. On
// Windows an empty device list still means the system's COM1..COM9.
bool NoSerialPortExists(const DeviceSettings& settings) {
#ifdef Q_OS_WIN
  Q_UNUSED(settings);
  return false;
#else
  return settings.Ports().Devices().empty();
#endif
}

}  // namespace

TMainForm::TMainForm(Options options, QWidget* parent)
    : QMainWindow(parent),
      options_(WithProgramFolder(std::move(options))),
      interfaces_(LoadInterfaces(options_.programDirectory / "Interfaces.ini")),
      session_(port_, deviceSettings_, language_, interfaces_),
      view_([this](const CoalescingDocumentView::Pending& pending) { OnDocumentChanges(pending); },
            [this] { UpdateCaption(); }) {
  // The built-in Czech texts are the default language's file until the
  // settings choose one.
  language_.SetLanguageFile(LanguagesFolder() / PathFromUtf8("Čeština.lng"));
  prompter_ = new MessageBoxPrompter(this);
  document_.SetTranslator(&language_);
  document_.SetPrompter(prompter_);
  document_.SetView(&view_);
  document_.SetSampleLengthMeasure(CachedWaveLengthMeasure());
  document_.SetSaveCommand([this] { File_Save(); });
  document_.ProgramDirectory = options_.programDirectory;

  undoStack_ = new QUndoStack(this);
  undoStack_->setUndoLimit(100);
  connect(undoStack_, &QUndoStack::cleanChanged, this,
          [this](bool clean) { document_.SetModified(!clean); });
  connect(undoStack_, &QUndoStack::indexChanged, this, [this] {
    // A step undone or redone: the image no longer matches, the gauge follows.
    if (!editing_) Estimate();
  });

  player_ = std::make_unique<PreviewPlayer>(
      language_, options_.soundOutput ? QMediaDevices::defaultAudioOutput() : QAudioDevice());
  connect(player_.get(), &PreviewPlayer::CannotPlay, this, [this](const QString& reason) {
    statusPanels_->SetPanelText(MemoryStatusBar::kHintPanel, reason);
  });
  deviceStatus_ =
      std::make_unique<DeviceStatusObserver>([this](StatusPanel panel, const std::string& text) {
        // Device code may run on a worker: the text reaches the panel on the GUI thread.
        QMetaObject::invokeMethod(
            this,
            [this, panel, text = QString::fromStdString(text)] {
              OnDeviceStatus(StatusBarPanel(panel), text);
            },
            Qt::QueuedConnection);
      });
  detection_ = std::make_unique<MemorySizeDetection>(session_, *deviceStatus_);
  connect(detection_.get(), &MemorySizeDetection::Finished, this, &TMainForm::OnMemorySizeKnown);

  autoPlayTimer_ = new QTimer(this);
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
  // No worker may report to a window that is going, nor use the session
  // after it: the dialogs end theirs now.
  detection_.reset();
  DeleteDialogs();
  player_->Stop();
  // Qt deletes the children after the members; those that would call back
  // into the document go first.
  undoStack_->disconnect(this);
  delete undoStack_;
  delete centralWidget();
  document_.SetView(nullptr);
  document_.SetPrompter(nullptr);
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
  StartMemorySizeDetection();
  File_New();
  const std::filesystem::path defaultDil = options_.programDirectory / "Default.DIL";
  std::error_code error;
  if (std::filesystem::is_regular_file(defaultDil, error) && LoadDilFile(document_, defaultDil))
    document_.NotifyContentChanged();  // the loader changes the list without a word
  FlushDocumentChanges();

  const QFileInfo folder(dir_);
  dir_ = folder.isDir() ? folder.absoluteFilePath() : QString(".");
  browser_->LoadDirectory(QFileInfo(dir_).absoluteFilePath());

  // Nothing before the first configuration can be undone.
  undoStack_->clear();
  setWindowTitle(Translate("ProgramCaption", "Liftvox"));
  document_.SetModified(false);
  UpdateCaption();
}

std::filesystem::path TMainForm::LanguagesFolder() const {
  return options_.programDirectory / "Languages";
}

QString TMainForm::Translate(const char* key, const char* czechDefault) const {
  return QString::fromStdString(document_.Translate(key, czechDefault));
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
  ArrangeToolBars(settings.toolBars);
  // The oldest first, so that "File0" ends on top.
  for (qsizetype i = settings.recentFiles.size() - 1; i >= 0; --i)
    AddRecentFile(settings.recentFiles[i]);
  dialogFolders_ = settings.dialogFolders;
  deviceSettings_ = settings.device;
  port_.SetPortTable(deviceSettings_.Ports());
  ShowDeviceSettings();

  interfaceNumber_ = static_cast<uint8_t>(settings.interfaceNumber & 0xFF);
  for (QAction* item : interfaceGroup_->actions())
    item->setChecked(item->data().toInt() == settings.interfaceNumber);

  ChooseLanguage(options_.language.isEmpty() ? settings.language : options_.language);
}

void TMainForm::ChooseLanguage(const QString& fileName) {
  const std::filesystem::path builtIn = LanguagesFolder() / PathFromUtf8("Čeština.lng");
  if (fileName.isEmpty()) {
    language_.SetLanguageFile(builtIn);
  } else {
    language_.SetLanguageFile(LanguagesFolder() / PathFromUtf8(fileName.toStdString()));
    try {
      captions_.ApplyAll(language_.ReadCaptions());
    } catch (const std::exception&) {
      // A stored language whose file has gone: the built-in texts stay.
      language_.SetLanguageFile(builtIn);
    }
  }
  TranslateLists();
  RefreshStatusTexts();
  RetextUndoActions();
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
  settings.dialogFolders = dialogFolders_;
  settings.language = QString::fromStdString(PathToUtf8(language_.LanguageFile().filename()));
  settings.interfaceNumber = interfaceNumber_;
  settings.device = deviceSettings_;
  const auto store = OpenSettingsStore(options_.settingsFile);
  SaveProgramSettings(*store, settings);
  store->sync();
}

void TMainForm::LoadIcons() {
  document_.IconNames = icons_.Load(options_.programDirectory / "Icons");
}

void TMainForm::closeEvent(QCloseEvent* event) {
  player_->Stop();
  if (document_.IsModified()) {
    const Answer answer = document_.prompter().AskYesNoCancel(
        {"ConfNotSaved", document_.Translate("ConfSave", "Uložení konfigurace"),
         document_.Translate("ConfNotSaved",
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

void TMainForm::UpdateCaption() {
  const QString file = document_.CurrentFileName().empty()
                           ? Translate("DefaultFileName", "Konfigurace.cfg")
                           : QString::fromStdString(document_.CurrentFileName());
  setWindowTitle(Translate("ProgramCaption", "Liftvox") + " - " + file +
                 (document_.IsModified() ? "*" : ""));
}

ImageSettings TMainForm::CurrentImageSettings() const {
  ImageSettings settings;
  settings.memorySizeCode = session_.MemorySizeCode();
  settings.interfaceCode = interfaceNumber_;
  settings.setupToFlash = deviceSettings_.setupToFlash;
  return settings;
}

void TMainForm::Estimate() {
  estimator_.OdhadniPamet(document_, CurrentImageSettings());
  UpdateGauge();
}

void TMainForm::UpdateGauge() {
  statusPanels_->Gauge().SetUsage(document_.UsedMemory, document_.MemorySize);
}

void TMainForm::OnDocumentChanges(const CoalescingDocumentView::Pending& pending) {
  if (pending.content) {
    workspace_->OnContentChanged(pending.sequenceIndex);
    // Opening, undoing or loading DIL settings may replace the entries the
    // browser matches its folders' associations against.
    if (document_.DilEntries != browserDilEntries_) {
      browserDilEntries_ = document_.DilEntries;
      browser_->SetDilEntries(browserDilEntries_);
    }
    Estimate();
  }
  if (pending.selection) workspace_->OnSelectionChanged();
}

void TMainForm::FlushDocumentChanges() { view_.FlushNow(); }

void TMainForm::Edit(const QString& stepName, const std::function<void()>& change) {
  // A change made inside another belongs to the outer step.
  if (editing_) {
    change();
    return;
  }
  struct EditingMark {
    bool& editing;
    explicit EditingMark(bool& flag) : editing(flag) { editing = true; }
    ~EditingMark() { editing = false; }
  } mark(editing_);

  const auto* top =
      undoStack_->index() > 0
          ? dynamic_cast<const SnapshotCommand*>(undoStack_->command(undoStack_->index() - 1))
          : nullptr;
  SharedSnapshot before = MakeSharedSnapshot(document_);
  // Share the last step's configuration when nothing changed since.
  if (top && top->After().configuration->SameConfiguration(*before.configuration))
    before.configuration = top->After().configuration;
  change();
  SharedSnapshot after = MakeSharedSnapshot(document_);
  if (before.configuration->SameConfiguration(*after.configuration)) return;
  document_.MarkImageStale();
  undoStack_->push(new SnapshotCommand(document_, stepName, std::move(before), std::move(after)));
}

void TMainForm::StartMemorySizeDetection(bool selectPortFirst) {
  if (options_.detectMemorySize && !NoSerialPortExists(deviceSettings_)) {
    if (detection_->Start(selectPortFirst))
      OnDeviceStatus(MemoryStatusBar::kMemoryPanel,
                     " " + Translate("MemoryAutodetection", "Autodetekce paměti..."));
    return;
  }
  // Nothing to ask: the chosen size, without touching a port.
  DeviceSettings chosen = deviceSettings_;
  chosen.autoMemory = false;
  AnnouncerSession offline(port_, chosen, language_, interfaces_);
  DeviceStatusObserver status([this](StatusPanel panel, const std::string& text) {
    OnDeviceStatus(StatusBarPanel(panel), QString::fromStdString(text));
  });
  const int64_t bytes = offline.DetectMemorySize(status);
  session_.SetMemorySizeCode(offline.MemorySizeCode());
  OnMemorySizeKnown(bytes);
}

void TMainForm::OnMemorySizeKnown(qint64 bytes) {
  memoryStatusShown_ = true;
  document_.SetMemorySize(static_cast<int32_t>(bytes));
  Estimate();
}

void TMainForm::OnDeviceStatus(int panel, const QString& text) {
  if (panel == MemoryStatusBar::kHintPanel) {
    announcerDetected_ = text == Translate("SpeakerDetected", "Hlásič detekován");
    deviceState_ = text;
  }
  statusPanels_->SetPanelText(panel, text);
}

void TMainForm::RefreshStatusTexts() {
  statusPanels_->Gauge().SetLabel(Translate("MemoryUsed", "Využitá paměť"));
  if (!memoryStatusShown_) return;
  const std::string size = MemorySizeText(session_.MemorySizeCode(), language_);
  if (announcerDetected_) {
    OnDeviceStatus(MemoryStatusBar::kHintPanel, Translate("SpeakerDetected", "Hlásič detekován"));
    OnDeviceStatus(MemoryStatusBar::kMemoryPanel,
                   " " + Translate("DetectedMemory", "Detekovaná paměť:") + " " +
                       QString::fromStdString(size));
  } else {
    OnDeviceStatus(MemoryStatusBar::kHintPanel,
                   Translate("SpeakerNotDetected", "Hlásič nebyl detekován"));
    OnDeviceStatus(
        MemoryStatusBar::kMemoryPanel,
        " " + Translate("SelectedMemory", "Zvolená paměť:") + " " + QString::fromStdString(size));
  }
}

}  // namespace liftvox
