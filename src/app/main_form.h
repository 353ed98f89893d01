#pragma once

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "app/program_settings.h"
#include "app/recent_files.h"
#include "audio/preview.h"
#include "base/job_progress.h"
#include "device/device_job_observer.h"
#include "lang/language.h"
#include "session/device_connection.h"
#include "session/editing_session.h"
#include "ui/caption_table.h"
#include "ui/icon_library.h"

class QAction;
class QActionGroup;
class QCheckBox;
class QDialog;
class QMenu;
class QTimer;
class QToolBar;
class QTranslator;

namespace liftvox {

class BatchProgrammingDialog;
class CaptionedDialog;
class DeviceDialog;
class HelpWindow;
class LoadProgress;
class MemoryStatusBar;
class MessageBoxPrompter;
class MissingRecordingsDialog;
class PreviewPlayer;
class SampleBrowser;
class SequenceWorkspace;
class TAboutBox;
class TKonfiguraceZRevazieForm;
class TNahrajFirmwareForm;
class TNahrajZvukyForm;
class TNastaveniDILForm;
class TPametZRevazieForm;
class TPoradiJazykuForm;
class TPruvodceForm;
class TSetupForm;
class TTichoForm;
class TVlastnostiHWForm;
class TVlastnostiHlaskyForm;
class TVlastnostiSekvenceForm;
class TVlastnostiSpousteniForm;
class TZmenaKodovaniForm;

// The main window (`TMainForm`): the menus, tool bars, the workspace and the
// browser, the status bar and the dialogs, and the commands that show them.
// The configuration and its undo history are the editing session's; the
// serial port and the memory-size detection the device connection's.
class TMainForm final : public QMainWindow {
  Q_OBJECT

 public:
  struct Options {
    // Where Languages/, Icons/, Help/, Interfaces.ini and Default.DIL are;
    // empty: beside the executable or in ../share/liftvox (FindDataDirectory).
    std::filesystem::path programDirectory;
    // An INI file in place of the user's settings store (tests, screenshots).
    QString settingsFile;
    bool writeSettings = true;  // false: closing stores nothing
    // False: the chosen memory size is taken and no port is touched.
    bool detectMemorySize = true;
    // False: behave as on a machine without a sound output.
    bool soundOutput = true;
    // A language file (name in Languages/ or path) for this run in place of
    // the stored one, which stays stored.
    QString language;
  };

  static constexpr int kDesignedWidth = 1024;
  static constexpr int kDesignedHeight = 720;

  explicit TMainForm(Options options, QWidget* parent = nullptr);
  ~TMainForm() override;

  EditingSession& Session() { return session_; }

  // The start-up steps, once: on the first show, or when called before it.
  void Start();

  // The file commands' entry points.
  bool OpenConfiguration(const QString& path);
  bool SaveConfiguration(const QString& path);
  // A configuration (.cfg), DIL settings (.dil) or else a memory image file.
  void OpenFile(const QString& path);
  // Programming from a file, past its file dialog.
  void ProgramImageFile(const QString& path);
  // A recent-files entry: .CFG, .BIN or .DIL; anything else does nothing.
  void AddRecentFile(const QString& path);
  const QStringList& RecentFileList() const { return recentFiles_.Files(); }

  // The language of the file `fileName` in Languages/, at once.
  void SwitchLanguage(const QString& fileName);

  // The command named as its action ("File_New", "Sekvence_SmazPatro", ...).
  QAction* Action(const QString& name) const;
  QMenu* FileMenu() const { return fileMenu_; }
  MemoryStatusBar& StatusPanels() { return *statusPanels_; }
  PreviewPlayer& Player() { return *player_; }
  SequenceWorkspace& Workspace() { return *workspace_; }
  SampleBrowser& Browser() { return *browser_; }

  // The dialog of class `className` as its command would show it (filled from
  // the first sequence or sample where it needs one; device dialogs idle),
  // not yet shown; null for a name no dialog has.
  QDialog* PrepareDialogForScreenshot(const QString& className);

  // The DIL setting the preview simulates (switches 4-7 from the fourth tool bar).
  uint8_t SimulatedDilSwitches() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // Building the window (main_form_actions.cpp).
  void CreateWidgets();
  void CreateActions();
  void CreateMenus();
  void CreateToolBars();
  void RegisterCaptions();
  QAction* AddAction(const char* name, int captionId, void (TMainForm::*run)());
  void RebuildRecentMenu();
  void ArrangeToolBars(const std::array<ToolBarPosition, 4>& positions);
  std::array<ToolBarPosition, 4> ToolBarPositions() const;
  void RetextUndoActions();

  // Start-up, settings and closing (main_form.cpp).
  void LoadSettings();
  void SaveSettings();
  void LoadIcons();
  // False when the file cannot be read (the built-in texts stay).
  bool ChooseLanguage(const QString& fileName);
  void FollowQtTranslation();
  void OnDeviceStatus(StatusPanel panel, const QString& text);
  void RefreshStatusTexts();
  void UpdateCaption();
  // The configuration's file name, or the default name of a new one.
  QString DocumentName() const;
  void UpdateGauge();
  // The browser matches its folders' associations against the DIL entries.
  void FollowDilEntries();
  QString Translate(const char* key, const char* czechDefault) const;
  std::filesystem::path LanguagesFolder() const;

  // Localisation (main_form_language.cpp).
  void BuildInterfaceMenu();
  void BuildLanguageMenu();
  void LoadCaptions();
  void TranslateLists();

  // Commands (main_form_commands.cpp).
  void File_Exit();
  void File_New();
  void File_Open();
  void File_Save();
  void File_SaveAs();
  void File_NactiDIL();
  void File_UlozDIL();
  void File_UlozPametNaDisk();
  void Sekvence_PridejObecnouSekvenci();
  void Sekvence_PridejSekvenciPatro();
  void Sekvence_SmazPatro();
  void Hlaska_SmazHlasku();
  void Hlaska_PridatTicho();
  void Revazi_SestavPamet();
  // The progress and stop of an image build, shown once it takes a while.
  LoadProgress ImageBuildProgress();
  void Revazi_Detekce();
  void Help_Napoveda1();
  // The guide's first page in the program's language (English for a
  // language that has none), where the program's data is.
  std::filesystem::path GuidePage() const;
  // The help window's home becomes that page; false when it is missing.
  bool FollowGuideLanguage();
  void LoadImage(const QString& path);
  void LoadDil(const QString& path);
  QString StepName(const char* actionName) const;
  QString DialogFolder(const char* settingName, bool save) const;
  void RememberDialogFolder(const char* settingName, const QString& file);
  QString ConfigurationFilter() const;
  QString ImageFilter() const;
  QString DilFilter() const;
  QString AskFileName(bool save, const char* folderSetting, const QString& filter,
                      const QString& suffix, const char* actionName);

  // The dialogs (main_form_dialogs.cpp): created once, in the program's order.
  void CreateDialogs();
  // Before the members the dialogs' workers use go.
  void DeleteDialogs();

  // The device dialogs and their commands (main_form_device.cpp).
  void AddDeviceDialog(DeviceDialog* dialog);
  void Revazi_PrectiVlastnostiHardware();
  void Revazi_NaprogramujRevazi();
  void Revazi_NaprogramujRevaziZeSouboru();
  void Revazi_NahrajSW();
  void File_NacistPametZRevazie();
  void File_NacistKonfiguraciZRevazie();
  void ProgramDocumentImage();
  void Revazi_NaprogramujViceHlasicu();
  // The two programming dialogs filled as their commands open them: the
  // document's image, the production settings and, for several, the ports.
  void PrepareProgramming();
  void PrepareBatchProgramming();
  void ConnectBatchProgramming();
  // The document's image as the batch dialog's next batches write it.
  void ShowBatchImage();
  void UploadFirmwareFile(const QString& path);
  void TakeReadImage(std::vector<uint8_t> image);

  // The wizard, the program settings and the About box
  // (main_form_wizard_settings_about.cpp).
  void File_Pruvodce();
  void Program_Nastaveni();
  void Help_OAplikaci1();
  // The settings dialog shows the device settings loaded at start-up.
  void ShowDeviceSettings();
  // The property dialogs' commands (main_form_properties.cpp).
  void ConnectPropertyDialogs();
  QDialog* PreparePropertyDialog(const QString& className);
  void Sekvence_VlastnostiPatra();
  void Sekvence_VlastnostiSpousteniPater();
  void Hlaska_VlastnostiHlasky();
  // Fills the message properties with `sample`, a recording's waveform as
  // the announcer plays it too.
  void ShowSampleInMessageForm(const TVzorek& sample);
  void Revazi_NastaveniDilPrepinacu();
  void Revazi_ZmenaKodovani();
  void Revazi_ZmenPoradiJazyku();
  void Revazi_PridatTichoMeziJazyky();
  // The sequence properties on `sequence`, inside the caller's undo step.
  bool EditSequenceProperties(TSekvence& sequence);

  // The missing recordings (main_form_recordings.cpp): the dialog after an
  // open when some were not found or are ambiguous, and its command.
  void OfferMissingRecordings();
  void Hlaska_ChybejiciNahravky();

  // Playback (main_form_playback.cpp).
  void PlayButton();
  void StopButton();
  // Runs `play` with the filter that encodes and decodes as the announcer
  // will, under a progress named after the command.
  void PlayAsAnnounced(const char* actionName,
                       const std::function<bool(const RecordingFilter&, const JobProgress&)>& play);
  void PlaySelectedSample(const char* actionName);
  void PlaySelectedSequence(const char* actionName);
  void Hlaska_PrehratHlasku();
  void Sekvence_PrehratSekvenci();
  void Sekvence_PrehratVsechnySekvence();
  void PlayBrowserFile();
  void OnWorkspaceSampleChanged();
  void OnBrowserSelectionChanged(bool wave);
  void AutoPlayTimerTimer();

  Options options_;
  TLanguage language_;
  IconLibrary icons_;
  EditingSession session_;
  DeviceConnection device_;  // after the language its worker translates with
  RecentFiles recentFiles_;
  CaptionTable captions_;
  std::unique_ptr<PreviewPlayer> player_;

  MessageBoxPrompter* prompter_ = nullptr;
  SequenceWorkspace* workspace_ = nullptr;
  SampleBrowser* browser_ = nullptr;
  MemoryStatusBar* statusPanels_ = nullptr;
  QTimer* autoPlayTimer_ = nullptr;
  QHash<QString, QAction*> actions_;
  QAction* undoAction_ = nullptr;
  QAction* redoAction_ = nullptr;
  std::array<QMenu*, 6> menus_{};
  QMenu* fileMenu_ = nullptr;
  QAction* recentSeparator_ = nullptr;
  QList<QAction*> recentActions_;
  QMenu* interfaceMenu_ = nullptr;
  QActionGroup* interfaceGroup_ = nullptr;
  QActionGroup* languageGroup_ = nullptr;
  std::array<QToolBar*, 4> toolBars_{};
  std::array<QCheckBox*, 4> dilBoxes_{};
  std::vector<CaptionedDialog*> dialogs_;  // in creation order; owned as children
  TKonfiguraceZRevazieForm* konfiguraceZRevazieForm_ = nullptr;
  TNahrajFirmwareForm* nahrajFirmwareForm_ = nullptr;
  TNahrajZvukyForm* nahrajZvukyForm_ = nullptr;
  BatchProgrammingDialog* batchProgrammingForm_ = nullptr;
  TPametZRevazieForm* pametZRevazieForm_ = nullptr;
  TVlastnostiHWForm* vlastnostiHWForm_ = nullptr;
  TSetupForm* setupForm_ = nullptr;
  TAboutBox* aboutBox_ = nullptr;
  TPruvodceForm* pruvodceForm_ = nullptr;
  TNastaveniDILForm* dilSettingsForm_ = nullptr;
  TPoradiJazykuForm* languageOrderForm_ = nullptr;
  TVlastnostiHlaskyForm* messageForm_ = nullptr;
  TVlastnostiSekvenceForm* sequenceForm_ = nullptr;
  TTichoForm* silenceForm_ = nullptr;
  TZmenaKodovaniForm* codingForm_ = nullptr;
  TVlastnostiSpousteniForm* triggeringForm_ = nullptr;
  MissingRecordingsDialog* missingRecordingsForm_ = nullptr;
  HelpWindow* helpWindow_ = nullptr;

  QString dir_ = ".";
  QTranslator* qtTranslator_ = nullptr;  // Qt's own texts in the chosen language
  QString storedLanguage_;               // the language menu's choice, kept between runs
  std::array<QString, kDialogFolderNames.size()> dialogFolders_;
  ProductionSettings production_;
  bool autoPlay_ = false;
  bool started_ = false;
  QString deviceState_;                      // panel 0's text when no hint is shown
  std::vector<DilEntry> browserDilEntries_;  // what the browser was last given
};

}  // namespace liftvox
