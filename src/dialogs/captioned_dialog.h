#pragma once

#include <QDialog>

namespace liftvox {

class CaptionTable;
class Translator;

// A dialog of the program: created once at start-up (in a fixed order, after
// the main window), shown modally by its command, and re-texted by the
// caption ids of its own hundred (the hundred itself is its window title).
// Its object name is its class name, by which `--screenshot --dialog` finds it.
class CaptionedDialog : public QDialog {
  Q_OBJECT

 public:
  CaptionedDialog(const char* className, QWidget* parent);

  // Registers the controls its caption ids set.
  virtual void RegisterCaptions(CaptionTable& captions) = 0;
  // Re-texts what the dialog builds in code (list items) in the current
  // language; most dialogs have nothing of the kind.
  virtual void TranslateLists(const Translator& /*translator*/) {}
};

}  // namespace liftvox
