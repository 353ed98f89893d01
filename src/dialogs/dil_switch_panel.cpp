#include "dialogs/dil_switch_panel.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>

#include "model/translator.h"
#include "ui/translated_text.h"

namespace liftvox {
namespace {

bool Editable(int n) { return n >= 4 && n <= 7; }

// A click goes OFF -> ON -> does not matter -> OFF, as on the announcer's
// configuration sheet; Qt's own order would put "does not matter" second.
class SwitchBox final : public QCheckBox {
 public:
  using QCheckBox::QCheckBox;

 protected:
  void nextCheckState() override {
    switch (checkState()) {
      case Qt::Unchecked:
        setCheckState(Qt::Checked);
        break;
      case Qt::Checked:
        setCheckState(Qt::PartiallyChecked);
        break;
      case Qt::PartiallyChecked:
        setCheckState(Qt::Unchecked);
        break;
    }
  }
};

Qt::CheckState BoxState(SwitchState state) {
  switch (state) {
    case SwitchState::On:
      return Qt::Checked;
    case SwitchState::Off:
      return Qt::Unchecked;
    case SwitchState::DoesNotMatter:
      break;
  }
  return Qt::PartiallyChecked;
}

}  // namespace

QString SwitchLabelText(int n, SwitchState state, const QString& doesntMatter) {
  const QString number = QString::number(n) + ". ";
  if (!Editable(n) || state == SwitchState::DoesNotMatter) return number + doesntMatter;
  return number + (state == SwitchState::On ? "ON" : "OFF");
}

DilSwitchPanel::DilSwitchPanel(QWidget* parent) : QGroupBox(parent) {
  auto* grid = new QGridLayout(this);
  for (int n = 1; n <= 8; ++n) {
    const auto i = static_cast<std::size_t>(n - 1);
    auto* box = new SwitchBox(this);
    box->setTristate(true);
    box->setCheckState(Qt::PartiallyChecked);
    box->setEnabled(Editable(n));
    auto* label = new QLabel(this);
    // Two columns of four, as the switches sit in two rows on the board.
    const int row = (n - 1) % 4;
    const int column = (n - 1) / 4 * 2;
    grid->addWidget(box, row, column);
    grid->addWidget(label, row, column + 1);
    boxes_[i] = box;
    labels_[i] = label;
    connect(box, &QCheckBox::clicked, this, [this, n] {
      RefreshLabel(n);
      emit SwitchClicked(n);
    });
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  SetDoesntMatterText(TranslatedText(CzechTranslator(), "DoesntMatter"));
}

void DilSwitchPanel::ShowPattern(uint16_t pattern) {
  const SwitchStates states = KresliDIL(pattern);
  for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->setCheckState(BoxState(states[i]));
  for (int n = 1; n <= 8; ++n) RefreshLabel(n);
}

uint16_t DilSwitchPanel::Pattern() const {
  SwitchStates states{};
  for (int n = 1; n <= 8; ++n) states[static_cast<std::size_t>(n - 1)] = State(n);
  return VratDIL(states);
}

SwitchState DilSwitchPanel::State(int n) const {
  switch (Box(n)->checkState()) {
    case Qt::Checked:
      return SwitchState::On;
    case Qt::Unchecked:
      return SwitchState::Off;
    case Qt::PartiallyChecked:
      break;
  }
  return SwitchState::DoesNotMatter;
}

QString DilSwitchPanel::LabelText(int n) const {
  return labels_[static_cast<std::size_t>(n - 1)]->text();
}

QCheckBox* DilSwitchPanel::Box(int n) const { return boxes_[static_cast<std::size_t>(n - 1)]; }

void DilSwitchPanel::SetDoesntMatterText(const QString& text) {
  doesntMatter_ = text;
  for (int n = 1; n <= 8; ++n) RefreshLabel(n);
}

void DilSwitchPanel::RefreshLabel(int n) {
  labels_[static_cast<std::size_t>(n - 1)]->setText(SwitchLabelText(n, State(n), doesntMatter_));
}

}  // namespace liftvox
