#pragma once

#include <QString>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

class QAbstractButton;
class QAction;
class QMenu;
class QWidget;

namespace liftvox {

// Caption ids (the main window's 1-86, each dialog's hundred): which control
// text or hint each id sets. Language files re-text the windows through it;
// an id that the file does not list keeps the text its control has.
class CaptionTable {
 public:
  using Setter = std::function<void(const QString&)>;

  void Add(int id, Setter setter);
  void AddCaption(int id, QAction* action);
  void AddHint(int id, QAction* action);
  void AddCaption(int id, QMenu* menu);
  void AddHint(int id, QMenu* menu);
  void AddCaption(int id, QAbstractButton* button);
  void AddHint(int id, QWidget* widget);

  // Sets the control of `id`; false for an id no control has.
  bool Apply(int id, const QString& text) const;
  // Applies (id, text) pairs in order, as a language file lists them; a pair
  // that fails is skipped. Returns how many were applied.
  int ApplyAll(const std::vector<std::pair<int, std::string>>& captions) const;
  // Every registered control back to its built-in Czech text.
  void ApplyBuiltIn() const;

 private:
  std::map<int, Setter> setters_;
};

}  // namespace liftvox
