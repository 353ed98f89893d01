#pragma once

#include <vector>

#include "dialogs/captioned_dialog.h"
#include "dialogs/dialog_captions.h"
#include "model/dil_entry.h"

class QToolButton;

namespace liftvox {

class IconLibrary;
class ReorderableList;

// Language order (`TPoradiJazykuForm`, "Změna pořadí jazyků"): the DIL entries (languages) in a
// new order, set by the arrow buttons or by dragging. The entry list itself
// keeps its order; the command re-sorts every sequence's samples on "Změň".
class TPoradiJazykuForm final : public CaptionedDialog {
  Q_OBJECT

 public:
  TPoradiJazykuForm(const IconLibrary& icons, QWidget* parent);

  void RegisterCaptions(CaptionTable& captions) override;

  // One line per entry, in the list's order; the first line selected.
  void Fill(const std::vector<DilEntry>& entries);
  // Fill and the modal run; true on "Změň".
  bool Open(const std::vector<DilEntry>& entries);
  // The entries' positions in the entry list, in the new order.
  std::vector<int> Order() const;

  // The selected line moves by one place and stays selected; the first line
  // does not go up nor the last down.
  void MoveUp();
  void MoveDown();
  void MoveLine(int from, int to);

  ReorderableList* Lines() const { return list_; }

 private:
  const IconLibrary& icons_;
  ReorderableList* list_ = nullptr;
  DialogCaptions captions_;
};

}  // namespace liftvox
