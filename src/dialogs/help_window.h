#pragma once

#include <QString>
#include <QUrl>

#include "dialogs/captioned_dialog.h"
#include "dialogs/dialog_captions.h"

class QPushButton;
class QTextBrowser;

namespace liftvox {

// The program's own window for the guide (`HelpWindow`): its pages with their
// pictures, Back, Forward and Home, and the page in the web browser on
// request. It stays open beside the main window while the user works, so it
// is shown without a modal loop; F1 brings back the same window.
class HelpWindow final : public CaptionedDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;

  // The guide that Home leads to. A window showing another guide (the
  // language changed) starts the new one from its first page.
  void SetHomePage(const QUrl& home);
  // Shows the window at the page it was left at, or at home, in front.
  void ShowGuide();
  QUrl Page() const;

 private:
  void FollowLink(const QUrl& link);
  void OpenInBrowser();
  void UpdateButtons();

  DialogCaptions captions_;
  QTextBrowser* pages_ = nullptr;
  QPushButton* back_ = nullptr;
  QPushButton* forward_ = nullptr;
  QPushButton* home_ = nullptr;
  QPushButton* inBrowser_ = nullptr;
  QUrl homePage_;
  QString browserNotStarted_;
};

}  // namespace liftvox
