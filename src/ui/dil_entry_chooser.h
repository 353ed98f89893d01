#pragma once

#include <QComboBox>

#include <vector>

#include "model/dil_entry.h"

namespace liftvox {

class IconLibrary;

// The in-place chooser of a WAV sample's DIL entry: the entries with their
// icons, each cut with "..." to the list's width.
class DilEntryChooser final : public QComboBox {
  Q_OBJECT

 public:
  DilEntryChooser(const IconLibrary& icons, QWidget* parent);

  // Lists `entries` with `current` chosen.
  void Fill(const std::vector<DilEntry>& entries, int current);

 signals:
  // Enter or Esc was pressed, or the keyboard focus went elsewhere: the
  // chooser is done without a choice (a choice comes as `activated`).
  void Dismissed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  const IconLibrary& icons_;
};

}  // namespace liftvox
