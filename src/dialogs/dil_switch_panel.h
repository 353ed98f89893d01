#pragma once

#include <QGroupBox>
#include <QString>

#include <array>
#include <cstdint>

#include "model/dil_entry.h"

class QCheckBox;
class QLabel;

namespace liftvox {

// The label beside switch n (1..8): "n. ON", "n. OFF", or "n. " and the
// language's text for a switch that does not matter. Switches 1-3 (base
// station) and 8 (diagnostics) are never edited and always read the latter.
QString SwitchLabelText(int n, SwitchState state, const QString& doesntMatter);

// The eight DIL switches of an entry's pattern as three-state boxes
// (unchecked = OFF, checked = ON, grayed = does not matter) with their
// labels. Only switches 4 to 7 take clicks; a click cycles OFF, ON, does not
// matter, updates the label and is reported.
class DilSwitchPanel final : public QGroupBox {
  Q_OBJECT

 public:
  explicit DilSwitchPanel(QWidget* parent);

  // The boxes as KresliDIL draws `pattern`, and their labels.
  void ShowPattern(uint16_t pattern);
  // No entry to show: every switch does not matter.
  void ShowNoEntry() { ShowPattern(0); }
  // The pattern the boxes give (VratDIL).
  uint16_t Pattern() const;

  SwitchState State(int n) const;
  QString LabelText(int n) const;
  QCheckBox* Box(int n) const;
  // The language's text for a switch that does not matter ("Nezáleží").
  void SetDoesntMatterText(const QString& text);

 signals:
  // The user clicked the box of switch n (4..7); its label already follows.
  void SwitchClicked(int n);

 private:
  void RefreshLabel(int n);

  QString doesntMatter_;
  std::array<QCheckBox*, 8> boxes_{};
  std::array<QLabel*, 8> labels_{};
};

}  // namespace liftvox
