#include "ui/memory_status_bar.h"

#include <QLabel>
#include <QPainter>

#include "image/memory_estimate.h"

namespace liftvox {
namespace {

constexpr int kPanelWidths[] = {200, 190, 150, 90};

// The panel less one pixel at the top, right and bottom, as the gauge has
// always been drawn.
QRect GaugeArea(const QWidget& panel) { return {0, 1, panel.width() - 1, panel.height() - 2}; }

// The hint panel keeps its width, cutting a long hint, so that the panels
// after it do not jump while the pointer moves; the memory and port panels
// grow where a language's text is longer than their width.
QLabel* TextPanel(int width, bool fixed, QWidget* parent) {
  auto* label = new QLabel(parent);
  if (fixed) {
    label->setFixedWidth(width);
  } else {
    label->setMinimumWidth(width);
  }
  label->setTextFormat(Qt::PlainText);
  return label;
}

}  // namespace

MemoryGaugePanel::MemoryGaugePanel(QWidget* parent) : QWidget(parent) {
  setFixedWidth(kPanelWidths[MemoryStatusBar::kGaugePanel]);
  setMinimumHeight(fontMetrics().height() + 4);
}

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
      hint_(TextPanel(kPanelWidths[kHintPanel], true, this)),
      gauge_(new MemoryGaugePanel(this)),
      memory_(TextPanel(kPanelWidths[kMemoryPanel], false, this)),
      port_(TextPanel(kPanelWidths[kPortPanel], false, this)) {
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
