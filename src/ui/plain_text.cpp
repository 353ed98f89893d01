#include "ui/plain_text.h"

#include <QLabel>
#include <QTextDocument>
#include <QWidget>

namespace liftvox {

void ShowLabelsAsPlainText(QWidget* root) {
  for (QLabel* label : root->findChildren<QLabel*>())
    if (label->textFormat() == Qt::AutoText) label->setTextFormat(Qt::PlainText);
}

QString PlainToolTip(const QString& text) {
  return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}

}  // namespace liftvox
