#include "ui/memory_status_bar.h"

#include <QLabel>
#include <QSizePolicy>

#include <QPainter>
#include <algorithm>

#include "image/memory_estimate.h"

namespace liftvox {
namespace {

constexpr int kPanelWidths[] = {200, 190, 150, 90};
// Room for a short bar when the window is small.
constexpr int kMinimumGaugeWidth = 60;

// The panel less one pixel at the top, right and bottom, as the gauge has
// always been drawn.
QRect GaugeArea(const QWidget& panel) { return {0, 1, panel.width() - 1, panel.height() - 2}; }

// A text panel at its designed width while the window has room: the hint
// panel keeps it, cutting a long hint, so that the panels after it do not
// jump while the pointer moves; the memory and port panels grow where a
// language's text is longer. In a small window every panel gives way, so
// the status bar never holds the window wider than the screen or its tile,
// which would push the workspace's scroll bars out of sight.
class TextPanel final : public QLabel {
 public:
  TextPanel(int width, bool fixed, QWidget* parent) : QLabel(parent), width_(width), fixed_(fixed) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(fixed ? QSizePolicy::Maximum : QSizePolicy::Preferred, QSizePolicy::Preferred);
  }
  QSize sizeHint() const override {
    const QSize text = QLabel::sizeHint();
    return {fixed_ ? width_ : std::max(width_, text.width()), text.height()};
  }
  QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }

 private:
  int width_;
  bool fixed_;
};

}  // namespace

MemoryGaugePanel::MemoryGaugePanel(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
  setMinimumHeight(fontMetrics().height() + 4);
}

QSize MemoryGaugePanel::sizeHint() const {
  return {kPanelWidths[MemoryStatusBar::kGaugePanel], minimumHeight()};
}

QSize MemoryGaugePanel::minimumSizeHint() const { return {kMinimumGaugeWidth, minimumHeight()}; }

void MemoryGaugePanel::SetLabel(const QString& label) {
  label_ = label;
  update();
}

void MemoryGaugePanel::SetUsage(int64_t used, int64_t memorySize) {
  if (used == used_ && memorySize == memorySize_) return;
  used_ = used;
  memorySize_ = memorySize;
  update();
}

QRect MemoryGaugePanel::BarRect() const {
  if (memorySize_ < 1) return {};
  const QRect area = GaugeArea(*this);
  const int left = area.left() + fontMetrics().horizontalAdvance(label_ + ":") + 10;
  return {left, area.top(), area.left() + area.width() - left, area.height()};
}

void MemoryGaugePanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = GaugeArea(*this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(area.adjusted(5, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, label_ + ":");

  const QRect bar = BarRect();
  if (bar.width() <= 0 || bar.height() <= 0) return;
  const GaugeState gauge = MemoryGauge(used_, memorySize_, bar.width());
  if (!gauge.drawn) return;

  const QColor fill = gauge.overflow ? QColor(Qt::red) : QColor(Qt::blue);
  const QRect filled(bar.left(), bar.top(), gauge.filledWidth, bar.height());
  const QRect rest(filled.left() + filled.width(), bar.top(), bar.width() - filled.width(),
                   bar.height());
  const QString percent = QString::fromStdString(gauge.label);
  painter.fillRect(filled, fill);
  painter.fillRect(rest, Qt::white);
  // One label over the whole bar, in the colour that reads on each side of
  // the boundary it may cross.
  painter.save();
  painter.setClipRect(filled);
  painter.setPen(Qt::white);
  painter.drawText(bar, Qt::AlignCenter, percent);
  painter.restore();
  painter.setClipRect(rest);
  painter.setPen(fill);
  painter.drawText(bar, Qt::AlignCenter, percent);
}

MemoryStatusBar::MemoryStatusBar(QWidget* parent)
    : QStatusBar(parent),
      hint_(new TextPanel(kPanelWidths[kHintPanel], true, this)),
      gauge_(new MemoryGaugePanel(this)),
      memory_(new TextPanel(kPanelWidths[kMemoryPanel], false, this)),
      port_(new TextPanel(kPanelWidths[kPortPanel], false, this)) {
  setSizeGripEnabled(true);
  addWidget(hint_);
  addWidget(gauge_);
  addWidget(memory_);
  addWidget(port_);
}

void MemoryStatusBar::SetPanelText(int panel, const QString& text) {
  switch (panel) {
    case kHintPanel:
      hint_->setText(text);
      break;
    case kMemoryPanel:
      memory_->setText(text);
      break;
    case kPortPanel:
      port_->setText(text);
      break;
    default:
      break;
  }
}

QString MemoryStatusBar::PanelText(int panel) const {
  switch (panel) {
    case kHintPanel:
      return hint_->text();
    case kMemoryPanel:
      return memory_->text();
    case kPortPanel:
      return port_->text();
    default:
      return {};
  }
}

}  // namespace liftvox
