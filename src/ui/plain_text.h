#pragma once

#include <QString>

class QWidget;

namespace liftvox {

// Texts from files, paths, names, language files and the announcer are shown
// as they are. Qt takes a label's or a tooltip's text that looks like HTML for
// rich text and renders it, loading whatever an <img> names: a file called
// "<img src=/dev/zero>.wav" would read memory full.

// Every label under `root` that leaves the format to Qt's guess shows its
// text as plain text from now on; a label set to rich text on purpose keeps it.
void ShowLabelsAsPlainText(QWidget* root);

// A tooltip that shows `text` literally: unchanged when Qt would not take it
// for rich text, otherwise escaped into a paragraph of its own.
QString PlainToolTip(const QString& text);

}  // namespace liftvox
