#pragma once

#include <QStatusBar>
#include <QString>
#include <QWidget>

#include <cstdint>

class QLabel;

namespace liftvox {

// The memory-usage gauge: "Využitá paměť:" and a bar showing the used part of
// the announcer's memory, blue with a white percentage, the rest white with a
// blue one; the bar turns red when the configuration no longer fits. Without
// a known memory size only the label is drawn.
class MemoryGaugePanel final : public QWidget {
  Q_OBJECT

 public:
  explicit MemoryGaugePanel(QWidget* parent = nullptr);

  // The translated word before the bar; the ":" is added here.
  void SetLabel(const QString& label);
  const QString& Label() const { return label_; }
  void SetUsage(int64_t used, int64_t memorySize);
  // The bar's area in the panel (empty when there is none).
  QRect BarRect() const;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString label_;
  int64_t used_ = 0;
  int64_t memorySize_ = 0;
};

// The main window's status bar: the hint (or announcer state), the gauge,
// the memory text and the serial port, 200, 190, 150 and 90 pixels wide
// while the window has room for them.
class MemoryStatusBar final : public QStatusBar {
  Q_OBJECT

 public:
  static constexpr int kHintPanel = 0;
  static constexpr int kGaugePanel = 1;
  static constexpr int kMemoryPanel = 2;
  static constexpr int kPortPanel = 3;

  explicit MemoryStatusBar(QWidget* parent = nullptr);

  // Panels 0, 2 and 3 by number, as the device code names them; the
  // gauge's panel has no text of its own.
  void SetPanelText(int panel, const QString& text);
  QString PanelText(int panel) const;
  MemoryGaugePanel& Gauge() { return *gauge_; }

 private:
  QLabel* hint_;
  MemoryGaugePanel* gauge_;
  QLabel* memory_;
  QLabel* port_;
};

}  // namespace liftvox
