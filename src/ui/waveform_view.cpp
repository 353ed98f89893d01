#include "ui/waveform_view.h"

#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <utility>

namespace liftvox {
namespace {

constexpr int kPreferredWidth = 360;
constexpr int kPreferredHeight = 90;

}  // namespace

WaveformView::WaveformView(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void WaveformView::SetSamples(std::vector<std::uint8_t> samples) {
  samples_ = std::move(samples);
  update();
}

QSize WaveformView::sizeHint() const { return {kPreferredWidth, kPreferredHeight}; }

void WaveformView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Base));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  const int width = this->width() - 2;
  const double half = (height() - 2) / 2.0;
  const auto y = [&](int sample) {
    return static_cast<int>(1 + half - (sample - 128) * half / 128);
  };
  painter.drawLine(1, y(128), width, y(128));
  if (samples_.empty() || width <= 0) return;
  painter.setPen(palette().color(QPalette::Highlight));
  const std::size_t count = samples_.size();
  for (int column = 0; column < width; ++column) {
    const std::size_t begin =
        count * static_cast<std::size_t>(column) / static_cast<std::size_t>(width);
    const std::size_t end = std::max(
        begin + 1, count * static_cast<std::size_t>(column + 1) / static_cast<std::size_t>(width));
    if (begin >= count) break;
    const auto [low, high] =
        std::minmax_element(samples_.begin() + static_cast<std::ptrdiff_t>(begin),
                            samples_.begin() + static_cast<std::ptrdiff_t>(std::min(end, count)));
    painter.drawLine(1 + column, y(*high), 1 + column, y(*low));
  }
}

}  // namespace liftvox
