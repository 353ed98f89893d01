#pragma once

#include <QHBoxLayout>
#include <QPushButton>

#include <initializer_list>

namespace liftvox {

// A dialog's closing buttons, right-aligned; the first is the default one
// (Enter presses it).
inline QHBoxLayout* ButtonRow(std::initializer_list<QPushButton*> buttons) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  bool first = true;
  for (QPushButton* button : buttons) {
    button->setDefault(first);
    first = false;
    row->addWidget(button);
  }
  return row;
}

}  // namespace liftvox
