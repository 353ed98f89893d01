#include "dialogs/help_window.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "lang/caption_names.h"
#include "ui/translated_text.h"

namespace liftvox {
namespace {

namespace ids = caption_id::help_window;

// The guide's own pages open here; the web, mail and files of other kinds go
// to the programs the desktop has for them.
bool IsGuidePage(const QUrl& link) {
  if (!link.isLocalFile()) return false;
  const QString suffix = QFileInfo(link.toLocalFile()).suffix().toLower();
  return suffix == "html" || suffix == "htm";
}

// The guide's pages as the window shows them: a picture wider than the
// window's text is shown smaller, as a web browser does for the guide.
class GuidePages final : public QTextBrowser {
 public:
  using QTextBrowser::QTextBrowser;

  QVariant loadResource(int type, const QUrl& name) override {
    constexpr int kWidestPicture = 720;
    QVariant resource = QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::ImageResource || resource.typeId() != QMetaType::QByteArray)
      return resource;
    const QImage picture = QImage::fromData(resource.toByteArray());
    if (picture.width() <= kWidestPicture) return resource;
    return picture.scaledToWidth(kWidestPicture, Qt::SmoothTransformation);
  }
};

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : CaptionedDialog("HelpWindow", parent) {
  setModal(false);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  captions_.Title(this, ids::kTitle);

  pages_ = new GuidePages(this);
  pages_->setOpenLinks(false);
  connect(pages_, &QTextBrowser::anchorClicked, this, &HelpWindow::FollowLink);

  QStyle* look = style();
  back_ = captions_.Text(new QPushButton(look->standardIcon(QStyle::SP_ArrowBack), {}, this),
                         ids::kBack);
  forward_ = captions_.Text(new QPushButton(look->standardIcon(QStyle::SP_ArrowForward), {}, this),
                            ids::kForward);
  home_ = captions_.Text(new QPushButton(look->standardIcon(QStyle::SP_DirHomeIcon), {}, this),
                         ids::kHome);
  inBrowser_ = captions_.Text(new QPushButton(this), ids::kOpenInBrowser);
  auto* close = captions_.Text(new QPushButton(this), ids::kClose);
  // Enter belongs to the page's links, not to a button.
  for (QPushButton* button : {back_, forward_, home_, inBrowser_, close})
    button->setAutoDefault(false);
  connect(back_, &QPushButton::clicked, pages_, &QTextBrowser::backward);
  connect(forward_, &QPushButton::clicked, pages_, &QTextBrowser::forward);
  connect(home_, &QPushButton::clicked, this, [this] { pages_->setSource(homePage_); });
  connect(inBrowser_, &QPushButton::clicked, this, &HelpWindow::OpenInBrowser);
  connect(close, &QPushButton::clicked, this, &QDialog::hide);
  connect(pages_, &QTextBrowser::historyChanged, this, &HelpWindow::UpdateButtons);
  connect(pages_, &QTextBrowser::sourceChanged, this, &HelpWindow::UpdateButtons);
  browserNotStarted_ = CaptionText(ids::kBrowserNotStarted);

  auto* tools = new QHBoxLayout;
  tools->addWidget(back_);
  tools->addWidget(forward_);
  tools->addWidget(home_);
  tools->addStretch();
  tools->addWidget(inBrowser_);
  tools->addWidget(close);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(tools);
  layout->addWidget(pages_);
  resize(820, 640);
  UpdateButtons();
}

void HelpWindow::RegisterCaptions(CaptionTable& captions) {
  captions_.RegisterWith(captions);
  captions.Add(ids::kBrowserNotStarted, [this](const QString& text) { browserNotStarted_ = text; });
}

void HelpWindow::SetHomePage(const QUrl& home) {
  if (home == homePage_) return;
  homePage_ = home;
  if (pages_->source().isEmpty()) return;
  pages_->setSource(homePage_);
  pages_->clearHistory();
}

void HelpWindow::ShowGuide() {
  if (pages_->source().isEmpty()) pages_->setSource(homePage_);
  show();
  raise();
  activateWindow();
}

QUrl HelpWindow::Page() const { return pages_->source(); }

void HelpWindow::FollowLink(const QUrl& link) {
  const QUrl target = pages_->source().resolved(link);
  if (IsGuidePage(target))
    pages_->setSource(target);
  else
    QDesktopServices::openUrl(target);
}

void HelpWindow::OpenInBrowser() {
  if (QDesktopServices::openUrl(pages_->source())) return;
  QMessageBox box(QMessageBox::Warning, windowTitle(), browserNotStarted_, QMessageBox::Ok, this);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

void HelpWindow::UpdateButtons() {
  back_->setEnabled(pages_->isBackwardAvailable());
  forward_->setEnabled(pages_->isForwardAvailable());
  const bool shown = !pages_->source().isEmpty();
  home_->setEnabled(shown);
  inBrowser_->setEnabled(shown);
}

}  // namespace liftvox
