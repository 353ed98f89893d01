// The language and interface menus and the live language switch.
#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QMenu>
#include <QTranslator>

#include "app/main_form.h"

#include "config/paths.h"
#include "config/profile_file.h"
#include "dialogs/captioned_dialog.h"
#include "ui/sample_browser.h"
#include "ui/sequence_workspace.h"

namespace liftvox {

void TMainForm::BuildInterfaceMenu() {
  for (const InterfaceEntry& entry : device_.Interfaces()) {
    QAction* item = interfaceMenu_->addAction(QString::fromStdString(entry.name));
    item->setCheckable(true);
    item->setData(entry.number);
    interfaceGroup_->addAction(item);
    connect(item, &QAction::triggered, this,
            [this, number = entry.number] { device_.SetInterfaceNumber(number); });
  }
}

void TMainForm::BuildLanguageMenu() {
  const QString current = QString::fromStdString(PathToUtf8(language_.LanguageFile().filename()));
  const QDir folder(QString::fromStdString(PathToUtf8(LanguagesFolder())));
  const QStringList files = folder.entryList({"*.lng"}, QDir::Files, QDir::Name);
  if (!files.isEmpty()) menus_[4]->addSeparator();
  for (const QString& file : files) {
    const auto values = ProfileFile::Load(LanguagesFolder() / PathFromUtf8(file.toStdString()));
    QString label =
        values
            ? QString::fromStdString(CutToCaptionLength(values->ReadString("General", "Label", "")))
            : QString();
    if (label.isEmpty()) label = file;
    QAction* item = menus_[4]->addAction(label);
    item->setCheckable(true);
    item->setData(file);
    item->setChecked(file.compare(current, Qt::CaseInsensitive) == 0);
    if (values) {
      const int icon = icons_.IndexOf(values->ReadString("General", "Icon", ""));
      if (icon >= 0) item->setIcon(icons_.Icon(icon));
    }
    languageGroup_->addAction(item);
    connect(item, &QAction::triggered, this, [this, file] { SwitchLanguage(file); });
  }
}

void TMainForm::SwitchLanguage(const QString& fileName) {
  storedLanguage_ = fileName;
  language_.SetLanguageFile(LanguagesFolder() / PathFromUtf8(fileName.toStdString()));
  LoadCaptions();
  for (QAction* item : languageGroup_->actions())
    item->setChecked(item->data().toString().compare(fileName, Qt::CaseInsensitive) == 0);
  UpdateCaption();
  RefreshStatusTexts();
  RetextUndoActions();
  TranslateLists();
  FollowGuideLanguage();
}

void TMainForm::LoadCaptions() {
  try {
    captions_.ApplyAll(language_.ReadCaptions());
  } catch (const std::exception&) {
    // A file that cannot be read changes no caption; messages fall back to Czech.
  }
}

// Qt's own texts (standard buttons, the file dialogs' questions) in the
// language of the program's, when Qt ships them; English otherwise.
void TMainForm::FollowQtTranslation() {
  const QString language = QString::fromStdString(PathToUtf8(language_.LanguageFile().stem()));
  const QString locale = language.compare(QString::fromUtf8("Čeština"), Qt::CaseInsensitive) == 0
                             ? "cs"
                         : language.compare("Deutsch", Qt::CaseInsensitive) == 0 ? "de"
                                                                                 : QString();
  QCoreApplication::removeTranslator(qtTranslator_);
  if (!locale.isEmpty() &&
      qtTranslator_->load("qtbase_" + locale, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(qtTranslator_);
}

void TMainForm::TranslateLists() {
  FollowQtTranslation();
  browser_->Retranslate();
  for (QAction* item : interfaceGroup_->actions()) {
    item->setText(QString::fromStdString(
        TranslatedInterfaceName(language_, item->data().toInt(), item->text().toStdString())));
  }
  for (CaptionedDialog* dialog : dialogs_) dialog->TranslateLists(language_);
  workspace_->OnContentChanged(DocumentView::kWholeDocument);
}

}  // namespace liftvox
