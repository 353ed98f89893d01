// The main window's actions, menus, tool bars and the controls each caption
// id re-texts.
#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>
#include <numeric>

#include "app/main_form.h"
#include "audio/preview.h"
#include "lang/caption_ids.h"
#include "lang/caption_names.h"
#include "ui/memory_status_bar.h"
#include "ui/plain_text.h"
#include "ui/sample_browser.h"
#include "ui/sequence_workspace.h"

namespace liftvox {
namespace {

// The built-in Czech text of a caption id (the Czech table is the one source).
QString BuiltInText(int id) {
  const CaptionId* caption = FindCaptionId(id);
  return caption ? QString::fromUtf8(caption->czech.data(),
                                     static_cast<qsizetype>(caption->czech.size()))
                 : QString();
}

}  // namespace

void TMainForm::CreateWidgets() {
  auto* split = new QSplitter(Qt::Horizontal, this);
  browser_ = new SampleBrowser(icons_, language_, split);
  workspace_ = new SequenceWorkspace(session_, icons_, split);
  split->addWidget(browser_);
  split->addWidget(workspace_);
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 1);
  split->setSizes({240, kDesignedWidth - 240});
  setCentralWidget(split);

  statusPanels_ = new MemoryStatusBar(this);
  setStatusBar(statusPanels_);
  statusPanels_->Gauge().SetLabel(Translate("MemoryUsed", "Využitá paměť"));

  connect(browser_, &SampleBrowser::PlayClicked, this, &TMainForm::PlayButton);
  connect(browser_, &SampleBrowser::StopClicked, this, &TMainForm::StopButton);
  connect(browser_, &SampleBrowser::AutoPlayToggled, this, [this](bool on) {
    autoPlay_ = on;
    if (!on) autoPlayTimer_->stop();
  });
  connect(browser_, &SampleBrowser::SelectionChanged, this, &TMainForm::OnBrowserSelectionChanged);
  connect(browser_, &SampleBrowser::DirectoryChanged, this,
          [this](const QString& directory) { dir_ = directory; });

  connect(workspace_, &SequenceWorkspace::PlaySampleRequested, this, &TMainForm::PlayButton);
  connect(workspace_, &SequenceWorkspace::PlaySequenceRequested, this,
          &TMainForm::Sekvence_PrehratSekvenci);
  connect(workspace_, &SequenceWorkspace::SelectedSampleChanged, this,
          &TMainForm::OnWorkspaceSampleChanged);
  connect(workspace_, &SequenceWorkspace::HintChanged, this, [this](const QString& hint) {
    statusPanels_->SetPanelText(MemoryStatusBar::kHintPanel, hint.isEmpty() ? deviceState_ : hint);
  });
}

QAction* TMainForm::AddAction(const char* name, int captionId, void (TMainForm::*run)()) {
  auto* action = new QAction(BuiltInText(captionId), this);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, run);
  actions_.insert(name, action);
  return action;
}

QAction* TMainForm::Action(const QString& name) const { return actions_.value(name, nullptr); }

void TMainForm::CreateActions() {
  struct Command {
    const char* name;
    int captionId;  // the hint's id is the next one
    void (TMainForm::*run)();
  };
  using F = TMainForm;
  const Command commands[] = {
      {"File_Exit", caption_id::kFile_Exit, &F::File_Exit},
      {"File_Open", caption_id::kFile_Open, &F::File_Open},
      {"File_SaveAs", caption_id::kFile_SaveAs, &F::File_SaveAs},
      {"File_New", caption_id::kFile_New, &F::File_New},
      {"File_Save", caption_id::kFile_Save, &F::File_Save},
      {"File_NacistKonfiguraciZRevazie", caption_id::kFile_NacistKonfiguraciZRevazie,
       &F::File_NacistKonfiguraciZRevazie},
      {"File_UlozDIL", caption_id::kFile_UlozDIL, &F::File_UlozDIL},
      {"File_NactiDIL", caption_id::kFile_NactiDIL, &F::File_NactiDIL},
      {"File_NacistPametZRevazie", caption_id::kFile_NacistPametZRevazie,
       &F::File_NacistPametZRevazie},
      {"File_UlozPametNaDisk", caption_id::kFile_UlozPametNaDisk, &F::File_UlozPametNaDisk},
      {"Sekvence_PridejObecnouSekvenci", caption_id::kSekvence_PridejObecnouSekvenci,
       &F::Sekvence_PridejObecnouSekvenci},
      {"Sekvence_PridejSekvenciPatro", caption_id::kSekvence_PridejSekvenciPatro,
       &F::Sekvence_PridejSekvenciPatro},
      {"Sekvence_SmazPatro", caption_id::kSekvence_SmazPatro, &F::Sekvence_SmazPatro},
      {"Sekvence_VlastnostiPatra", caption_id::kSekvence_VlastnostiPatra,
       &F::Sekvence_VlastnostiPatra},
      {"Sekvence_PrehratVsechnySekvence", caption_id::kSekvence_PrehratVsechnySekvence,
       &F::Sekvence_PrehratVsechnySekvence},
      {"Sekvence_PrehratSekvenci", caption_id::kSekvence_PrehratSekvenci,
       &F::Sekvence_PrehratSekvenci},
      {"Hlaska_SmazHlasku", caption_id::kHlaska_SmazHlasku, &F::Hlaska_SmazHlasku},
      {"Hlaska_VlastnostiHlasky", caption_id::kHlaska_VlastnostiHlasky,
       &F::Hlaska_VlastnostiHlasky},
      {"Hlaska_PridatTicho", caption_id::kHlaska_PridatTicho, &F::Hlaska_PridatTicho},
      {"Hlaska_PrehratHlasku", caption_id::kHlaska_PrehratHlasku, &F::Hlaska_PrehratHlasku},
      {"Revazi_NastaveniDilPrepinacu", caption_id::kRevazi_NastaveniDilPrepinacu,
       &F::Revazi_NastaveniDilPrepinacu},
      {"Revazi_PrectiVlastnostiHardware", caption_id::kRevazi_PrectiVlastnostiHardware,
       &F::Revazi_PrectiVlastnostiHardware},
      {"Revazi_NahrajSW", caption_id::kRevazi_NahrajSW, &F::Revazi_NahrajSW},
      {"Revazi_SestavPamet", caption_id::kRevazi_SestavPamet, &F::Revazi_SestavPamet},
      {"Revazi_NaprogramujRevazi", caption_id::kRevazi_NaprogramujRevazi,
       &F::Revazi_NaprogramujRevazi},
      {"Revazi_NaprogramujRevaziZeSouboru", caption_id::kRevazi_NaprogramujRevaziZeSouboru,
       &F::Revazi_NaprogramujRevaziZeSouboru},
      {"Revazi_NaprogramujViceHlasicu", caption_id::kRevazi_NaprogramujViceHlasicu,
       &F::Revazi_NaprogramujViceHlasicu},
      {"Revazi_Detekce", caption_id::kRevazi_Detekce, &F::Revazi_Detekce},
      {"Revazi_ZmenPoradiJazyku", caption_id::kRevazi_ZmenPoradiJazyku,
       &F::Revazi_ZmenPoradiJazyku},
      {"Revazi_PridatTichoMeziJazyky", caption_id::kRevazi_PridatTichoMeziJazyky,
       &F::Revazi_PridatTichoMeziJazyky},
      {"Program_Nastaveni", caption_id::kProgram_Nastaveni, &F::Program_Nastaveni},
      {"Help_Napoveda1", caption_id::kHelp_Napoveda1, &F::Help_Napoveda1},
      {"Help_OAplikaci1", caption_id::kHelp_OAplikaci1, &F::Help_OAplikaci1},
      {"Revazi_ZmenaKodovani", caption_id::kRevazi_ZmenaKodovani, &F::Revazi_ZmenaKodovani},
      {"File_Pruvodce", caption_id::kFile_Pruvodce, &F::File_Pruvodce},
      {"Sekvence_VlastnostiSpousteniPater", caption_id::kSekvence_VlastnostiSpousteniPater,
       &F::Sekvence_VlastnostiSpousteniPater},
      {"Hlaska_ChybejiciNahravky", caption_id::missing_recordings::kCommand,
       &F::Hlaska_ChybejiciNahravky},
  };
  for (const Command& command : commands) {
    QAction* action = AddAction(command.name, command.captionId, command.run);
    captions_.AddCaption(command.captionId, action);
    captions_.AddHint(command.captionId + 1, action);
  }

  Action("File_New")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  Action("File_Open")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  Action("File_Save")->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  Action("File_Exit")->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  Action("Help_Napoveda1")->setShortcut(QKeySequence(Qt::Key_F1));

  QStyle* look = style();
  Action("File_New")->setIcon(look->standardIcon(QStyle::SP_FileIcon));
  Action("File_Open")->setIcon(look->standardIcon(QStyle::SP_DialogOpenButton));
  Action("File_Save")->setIcon(look->standardIcon(QStyle::SP_DialogSaveButton));
  Action("Hlaska_SmazHlasku")->setIcon(look->standardIcon(QStyle::SP_TrashIcon));
  Action("Sekvence_PrehratSekvenci")->setIcon(look->standardIcon(QStyle::SP_MediaPlay));
  Action("Sekvence_PrehratVsechnySekvence")
      ->setIcon(look->standardIcon(QStyle::SP_MediaSeekForward));
  Action("Help_Napoveda1")->setIcon(look->standardIcon(QStyle::SP_DialogHelpButton));

  undoAction_ = new QAction(this);
  undoAction_->setObjectName("Undo");
  undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  undoAction_->setIcon(look->standardIcon(QStyle::SP_ArrowBack));
  redoAction_ = new QAction(this);
  redoAction_->setObjectName("Redo");
  redoAction_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  redoAction_->setIcon(look->standardIcon(QStyle::SP_ArrowForward));
  actions_.insert("Undo", undoAction_);
  actions_.insert("Redo", redoAction_);
  QUndoStack* history = &session_.UndoStack();
  connect(undoAction_, &QAction::triggered, history, &QUndoStack::undo);
  connect(redoAction_, &QAction::triggered, history, &QUndoStack::redo);
  connect(history, &QUndoStack::indexChanged, this, &TMainForm::RetextUndoActions);
  connect(history, &QUndoStack::cleanChanged, this, &TMainForm::RetextUndoActions);
}

void TMainForm::RetextUndoActions() {
  const QString undo = Translate("Undo", "Zpět");
  const QString redo = Translate("Redo", "Znovu");
  const QUndoStack& history = session_.UndoStack();
  undoAction_->setEnabled(history.canUndo());
  redoAction_->setEnabled(history.canRedo());
  undoAction_->setText(history.canUndo() ? undo + " " + history.undoText() : undo);
  redoAction_->setText(history.canRedo() ? redo + " " + history.redoText() : redo);
}

void TMainForm::CreateMenus() {
  QMenuBar* bar = menuBar();
  for (QMenu*& menu : menus_) menu = bar->addMenu(QString());
  fileMenu_ = menus_[0];
  const auto add = [this](QMenu* menu, std::initializer_list<const char*> names) {
    for (const char* name : names) {
      if (name)
        menu->addAction(Action(name));
      else
        menu->addSeparator();
    }
  };
  add(fileMenu_, {"File_New", "File_Pruvodce", "File_Open", "File_Save", "File_SaveAs", nullptr,
                  "File_NactiDIL", "File_UlozDIL", nullptr, "File_NacistKonfiguraciZRevazie",
                  "File_NacistPametZRevazie", "File_UlozPametNaDisk", nullptr, "File_Exit"});
  recentSeparator_ = fileMenu_->addSeparator();
  recentSeparator_->setVisible(false);

  add(menus_[1],
      {"Undo", "Redo", nullptr, "Sekvence_PridejObecnouSekvenci", "Sekvence_PridejSekvenciPatro",
       "Sekvence_SmazPatro", "Sekvence_VlastnostiPatra", "Sekvence_VlastnostiSpousteniPater",
       nullptr, "Sekvence_PrehratSekvenci", "Sekvence_PrehratVsechnySekvence"});
  add(menus_[2], {"Hlaska_SmazHlasku", "Hlaska_VlastnostiHlasky", "Hlaska_PridatTicho", nullptr,
                  "Hlaska_PrehratHlasku", nullptr, "Hlaska_ChybejiciNahravky"});
  add(menus_[3], {"Revazi_SestavPamet", "Revazi_NaprogramujRevazi",
                  "Revazi_NaprogramujRevaziZeSouboru", "Revazi_NaprogramujViceHlasicu", nullptr,
                  "Revazi_Detekce", "Revazi_PrectiVlastnostiHardware", "Revazi_NahrajSW", nullptr,
                  "Revazi_NastaveniDilPrepinacu", "Revazi_ZmenaKodovani", "Revazi_ZmenPoradiJazyku",
                  "Revazi_PridatTichoMeziJazyky", nullptr});
  interfaceMenu_ = menus_[3]->addMenu(QString());
  interfaceGroup_ = new QActionGroup(this);
  interfaceGroup_->setExclusive(true);
  add(menus_[4], {"Program_Nastaveni", nullptr});
  languageGroup_ = new QActionGroup(this);
  languageGroup_->setExclusive(true);
  add(menus_[5], {"Help_Napoveda1", "Help_OAplikaci1"});

  // The workspace's right-click menus share the same actions.
  auto* sampleMenu = new QMenu(this);
  add(sampleMenu, {"Hlaska_SmazHlasku", "Hlaska_VlastnostiHlasky"});
  auto* sequenceMenu = new QMenu(this);
  add(sequenceMenu, {"Sekvence_PridejObecnouSekvenci", "Sekvence_PridejSekvenciPatro",
                     "Sekvence_SmazPatro", "Sekvence_VlastnostiPatra"});
  auto* blankMenu = new QMenu(this);
  add(blankMenu, {"Sekvence_PridejObecnouSekvenci", "Sekvence_PridejSekvenciPatro"});
  workspace_->SetContextMenus(sampleMenu, sequenceMenu, blankMenu);
}

void TMainForm::CreateToolBars() {
  const auto bar = [this](int index, std::initializer_list<const char*> names) {
    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName("TB" + QString::number(index + 1));
    // Rows and order within the top area are what the settings keep.
    toolBar->setAllowedAreas(Qt::TopToolBarArea);
    toolBar->setFloatable(false);
    for (const char* name : names) {
      if (name)
        toolBar->addAction(Action(name));
      else
        toolBar->addSeparator();
    }
    addToolBar(Qt::TopToolBarArea, toolBar);
    toolBars_[static_cast<std::size_t>(index)] = toolBar;
    return toolBar;
  };
  bar(0, {"File_New", "File_Open", "File_Save"});
  bar(1, {"Undo", "Redo", nullptr, "Hlaska_PridatTicho", "Hlaska_SmazHlasku"});
  bar(2, {"Revazi_SestavPamet", nullptr, "Sekvence_PrehratSekvenci",
          "Sekvence_PrehratVsechnySekvence"});
  QToolBar* switches = bar(3, {});
  for (int i = 0; i < 4; ++i) {
    auto* box = new QCheckBox("DIL " + QString::number(i + 4), switches);
    box->setChecked(true);
    switches->addWidget(box);
    dilBoxes_[static_cast<std::size_t>(i)] = box;
  }
}

uint8_t TMainForm::SimulatedDilSwitches() const {
  return SimulatedSwitches(dilBoxes_[0]->isChecked(), dilBoxes_[1]->isChecked(),
                           dilBoxes_[2]->isChecked(), dilBoxes_[3]->isChecked());
}

void TMainForm::ArrangeToolBars(const std::array<ToolBarPosition, 4>& positions) {
  std::array<std::size_t, 4> order{};
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return std::pair(positions[a].top, positions[a].left) <
           std::pair(positions[b].top, positions[b].left);
  });
  for (QToolBar* toolBar : toolBars_) {
    if (toolBarBreak(toolBar)) removeToolBarBreak(toolBar);
    removeToolBar(toolBar);
  }
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (i > 0 && positions[order[i]].top != positions[order[i - 1]].top)
      addToolBarBreak(Qt::TopToolBarArea);
    QToolBar* toolBar = toolBars_[order[i]];
    addToolBar(Qt::TopToolBarArea, toolBar);
    toolBar->show();
  }
}

std::array<ToolBarPosition, 4> TMainForm::ToolBarPositions() const {
  std::array<ToolBarPosition, 4> positions{};
  for (std::size_t i = 0; i < toolBars_.size(); ++i)
    positions[i] = {toolBars_[i]->x(), toolBars_[i]->y()};
  return positions;
}

void TMainForm::RegisterCaptions() {
  namespace ids = caption_id;
  // The browser's buttons, found by their names.
  const auto button = [this](const char* name) {
    return browser_->findChild<QAbstractButton*>(name);
  };
  if (QAbstractButton* play = button("PlayButton")) captions_.AddHint(ids::kPlayHint, play);
  if (QAbstractButton* stop = button("StopButton")) captions_.AddHint(ids::kStopHint, stop);
  if (QAbstractButton* autoPlay = button("AutoPlayButton")) {
    captions_.AddCaption(ids::kAutoPlay, autoPlay);
    captions_.AddHint(ids::kAutoPlayHint, autoPlay);
  }
  for (int id : {ids::kBrowserHome, ids::kBrowserRecordings, ids::kBrowserMissingFolder})
    captions_.Add(id, [this, id](const QString& text) { browser_->ApplyCaption(id, text); });
  if (auto* places = browser_->findChild<QWidget*>("RootSelector"))
    captions_.AddHint(ids::kBrowserPlacesHint, places);
  const int switchHints[] = {ids::kDilSwitch4Hint, ids::kDilSwitch5Hint, ids::kDilSwitch6Hint,
                             ids::kDilSwitch7Hint};
  for (std::size_t i = 0; i < dilBoxes_.size(); ++i)
    captions_.AddHint(switchHints[i], dilBoxes_[i]);
  const int menuCaptions[] = {ids::kFileMenu,      ids::kSequenceMenu, ids::kMessageMenu,
                              ids::kAnnouncerMenu, ids::kProgramMenu,  ids::kHelpMenu};
  for (std::size_t i = 0; i < menus_.size(); ++i) captions_.AddCaption(menuCaptions[i], menus_[i]);
  captions_.AddCaption(ids::kInterfaceMenu, interfaceMenu_);
  captions_.AddHint(ids::kInterfaceMenuHint, interfaceMenu_);
}

void TMainForm::AddRecentFile(const QString& path) {
  recentFiles_.Add(path);
  RebuildRecentMenu();
}

void TMainForm::RebuildRecentMenu() {
  for (QAction* action : recentActions_) {
    fileMenu_->removeAction(action);
    action->deleteLater();
  }
  recentActions_.clear();
  const QStringList& files = recentFiles_.Files();
  for (qsizetype i = 0; i < files.size(); ++i) {
    const QString file = files[i];
    QAction* action = fileMenu_->addAction(RecentFileCaption(static_cast<int>(i), file));
    action->setStatusTip(file);
    action->setToolTip(PlainToolTip(file));
    connect(action, &QAction::triggered, this, [this, file] { OpenFile(file); });
    recentActions_.append(action);
  }
  recentSeparator_->setVisible(!files.isEmpty());
}

}  // namespace liftvox
