#pragma once

#include <QString>

#include "dialogs/captioned_dialog.h"
#include "dialogs/system_facts.h"

class QLabel;
class QPushButton;

namespace liftvox {

// The About box (`TAboutBox`): the program's name and version, the operating
// system, the physical memory (left out where it is unknown) and a link to
// the maker's web site.
class TAboutBox final : public CaptionedDialog {
  Q_OBJECT

 public:
  // `version` comes from the build; `homepage` may be empty, and the link's
  // text then stands without a link.
  TAboutBox(const QString& version, const QString& homepage, SystemFacts facts, QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;
  // The version, system and memory lines in the current language.
  void TranslateLists(const Translator& translator) override;

  QString VersionLine() const;
  QString SystemLine() const;
  // Empty when the memory is unknown (the line is hidden then).
  QString MemoryLine() const;

 private:
  void SetLinkText(const QString& text);

  QString version_;
  QString homepage_;
  SystemFacts facts_;
  QLabel* title_ = nullptr;
  QLabel* subtitle_ = nullptr;
  QLabel* versionLine_ = nullptr;
  QLabel* systemLine_ = nullptr;
  QLabel* memoryLine_ = nullptr;
  QLabel* link_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace liftvox
