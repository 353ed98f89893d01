#include "dialogs/about_box.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/message_format.h"
#include "lang/caption_names.h"
#include "model/translator.h"
#include "ui/caption_table.h"
#include "ui/translated_text.h"

namespace liftvox {
namespace {

namespace ids = caption_id::about_box;

QString Formatted(const Translator& translator, const char* key, const std::string& argument) {
  return QString::fromStdString(
      FormatMessage(TranslatedText(translator, key).toStdString(), argument));
}

}  // namespace

TAboutBox::TAboutBox(const QString& version, const QString& homepage, SystemFacts facts,
                     QWidget* parent)
    : CaptionedDialog("TAboutBox", parent),
      version_(version),
      homepage_(homepage),
      facts_(std::move(facts)) {
  title_ = new QLabel(this);
  QFont large = title_->font();
  large.setPointSizeF(large.pointSizeF() * 1.8);
  large.setBold(true);
  title_->setFont(large);
  subtitle_ = new QLabel(this);
  versionLine_ = new QLabel(this);
  systemLine_ = new QLabel(this);
  systemLine_->setWordWrap(true);
  memoryLine_ = new QLabel(this);
  memoryLine_->setVisible(facts_.physicalMemoryBytes.has_value());
  link_ = new QLabel(this);
  link_->setObjectName("WebLink");
  link_->setTextFormat(Qt::RichText);
  link_->setOpenExternalLinks(true);
  link_->setTextInteractionFlags(Qt::TextBrowserInteraction);
  for (QLabel* label : {versionLine_, systemLine_, memoryLine_})
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);

  ok_ = new QPushButton(this);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(title_);
  layout->addWidget(subtitle_);
  layout->addSpacing(12);
  layout->addWidget(versionLine_);
  layout->addWidget(systemLine_);
  layout->addWidget(memoryLine_);
  layout->addSpacing(12);
  layout->addWidget(link_);
  layout->addStretch();
  layout->addLayout(buttons);
  setMinimumWidth(380);
  TranslateLists(CzechTranslator());
}

void TAboutBox::RegisterCaptions(CaptionTable& captions) {
  const auto label = [&captions](int id, QLabel* control) {
    captions.Add(id, [control](const QString& text) { control->setText(text); });
  };
  captions.Add(ids::kTitle, [this](const QString& text) { setWindowTitle(text); });
  label(ids::kProgramTitle, title_);
  label(ids::kSubtitle, subtitle_);
  captions.Add(ids::kWebLink, [this](const QString& text) { SetLinkText(text); });
  captions.AddCaption(ids::kOk, ok_);
}

void TAboutBox::SetLinkText(const QString& text) {
  link_->setText(homepage_.isEmpty() ? text.toHtmlEscaped()
                                     : "<a href=\"" + homepage_.toHtmlEscaped() + "\">" +
                                           text.toHtmlEscaped() + "</a>");
  link_->setToolTip(homepage_);
}

void TAboutBox::TranslateLists(const Translator& translator) {
  versionLine_->setText(Formatted(translator, "AboutVersion", version_.toStdString()));
  systemLine_->setText(Formatted(translator, "AboutSystem", facts_.operatingSystem.toStdString()));
  if (facts_.physicalMemoryBytes) {
    const qint64 megabytes = *facts_.physicalMemoryBytes / (1024 * 1024);
    memoryLine_->setText(Formatted(translator, "AboutMemory", std::to_string(megabytes)));
  }
}

QString TAboutBox::VersionLine() const { return versionLine_->text(); }
QString TAboutBox::SystemLine() const { return systemLine_->text(); }
QString TAboutBox::MemoryLine() const {
  return facts_.physicalMemoryBytes ? memoryLine_->text() : QString();
}

}  // namespace liftvox
