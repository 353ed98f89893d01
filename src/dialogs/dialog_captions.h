#pragma once

#include <QGroupBox>
#include <QString>
#include <QWidget>

#include <map>
#include <type_traits>
#include <utility>
#include <vector>

#include "ui/caption_table.h"
#include "ui/translated_text.h"

namespace liftvox {

// The caption ids a dialog gives its controls while it builds them: each
// control gets its built-in Czech text at once, and the dialog's
// RegisterCaptions hands the whole list to the main window's caption table.
class DialogCaptions {
 public:
  // A label, button or check box takes the text of `id`; a group box its title.
  template <typename Widget>
  Widget* Text(Widget* widget, int id) {
    CaptionTable::Setter setter;
    if constexpr (std::is_base_of_v<QGroupBox, Widget>)
      setter = [widget](const QString& text) { widget->setTitle(text); };
    else
      setter = [widget](const QString& text) { widget->setText(text); };
    setter(CaptionText(id));
    setters_.emplace_back(id, std::move(setter));
    return widget;
  }

  // The window title: the dialog's hundred.
  void Title(QWidget* window, int id) {
    CaptionTable::Setter setter = [window](const QString& text) { window->setWindowTitle(text); };
    setter(CaptionText(id));
    setters_.emplace_back(id, std::move(setter));
  }

  // An id given to several controls sets them all.
  void RegisterWith(CaptionTable& captions) const {
    std::map<int, std::vector<CaptionTable::Setter>> byId;
    for (const auto& [id, setter] : setters_) byId[id].push_back(setter);
    for (auto& [id, setters] : byId) {
      captions.Add(id, [setters = std::move(setters)](const QString& text) {
        for (const auto& setter : setters) setter(text);
      });
    }
  }

 private:
  std::vector<std::pair<int, CaptionTable::Setter>> setters_;
};

}  // namespace liftvox
