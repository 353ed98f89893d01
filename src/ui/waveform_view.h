#pragma once

#include <QWidget>

#include <cstdint>
#include <vector>

namespace liftvox {

// A recording's waveform: for each column the lowest and highest of its
// unsigned 8-bit samples (128 = silence), so a short click still shows at any
// width. Empty samples draw only the silence line.
class WaveformView final : public QWidget {
  Q_OBJECT

 public:
  explicit WaveformView(QWidget* parent = nullptr);

  void SetSamples(std::vector<std::uint8_t> samples);
  const std::vector<std::uint8_t>& Samples() const { return samples_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<std::uint8_t> samples_;
};

}  // namespace liftvox
