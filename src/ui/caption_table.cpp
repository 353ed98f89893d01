#include "ui/caption_table.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>

#include "lang/caption_ids.h"
#include "ui/plain_text.h"

namespace liftvox {

void CaptionTable::Add(int id, Setter setter) { setters_[id] = std::move(setter); }

void CaptionTable::AddCaption(int id, QAction* action) {
  Add(id, [action](const QString& text) { action->setText(text); });
}

// A hint shows as the tooltip and, while the pointer rests on the control,
// in the status bar's first panel.
void CaptionTable::AddHint(int id, QAction* action) {
  Add(id, [action](const QString& text) {
    action->setToolTip(PlainToolTip(text));
    action->setStatusTip(text);
  });
}

void CaptionTable::AddCaption(int id, QMenu* menu) {
  Add(id, [menu](const QString& text) { menu->setTitle(text); });
}

void CaptionTable::AddHint(int id, QMenu* menu) {
  Add(id, [menu](const QString& text) {
    menu->menuAction()->setToolTip(PlainToolTip(text));
    menu->menuAction()->setStatusTip(text);
  });
}

void CaptionTable::AddCaption(int id, QAbstractButton* button) {
  Add(id, [button](const QString& text) { button->setText(text); });
}

void CaptionTable::AddHint(int id, QWidget* widget) {
  Add(id, [widget](const QString& text) {
    widget->setToolTip(PlainToolTip(text));
    widget->setStatusTip(text);
  });
}

bool CaptionTable::Apply(int id, const QString& text) const {
  const auto found = setters_.find(id);
  if (found == setters_.end()) return false;
  found->second(text);
  return true;
}

int CaptionTable::ApplyAll(const std::vector<std::pair<int, std::string>>& captions) const {
  int applied = 0;
  for (const auto& [id, text] : captions) {
    try {
      if (Apply(id, QString::fromStdString(text))) ++applied;
    } catch (...) {
      // One control that cannot take its text leaves the others to be set.
    }
  }
  return applied;
}

void CaptionTable::ApplyBuiltIn() const {
  for (const auto& [id, setter] : setters_) {
    if (const CaptionId* caption = FindCaptionId(id))
      setter(
          QString::fromUtf8(caption->czech.data(), static_cast<qsizetype>(caption->czech.size())));
  }
}

}  // namespace liftvox
