#pragma once

#include <QGroupBox>
#include <QString>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace liftvox {

class CaptionTable;
class Translator;

// The program settings' production log: whether every announcer programmed
// gets its line, and the file (typed, or chosen with "&Vybrat..."; lines are
// appended, so an existing file is no question). The file's field is enabled
// while the log is on.
class ProductionLogGroup final : public QGroupBox {
  Q_OBJECT

 public:
  explicit ProductionLogGroup(QWidget* parent);

  void RegisterCaptions(CaptionTable& captions);
  void TranslateLists(const Translator& translator);

  void Show(bool on, const QString& file);
  bool On() const;
  QString File() const;

  QCheckBox& OnBox() const { return *on_; }
  QLineEdit& FileEdit() const { return *file_; }

 private:
  void ChooseFile();
  void FollowCheckBox();

  QCheckBox* on_;
  QLineEdit* file_;
  QPushButton* choose_;
  QString filter_;
};

}  // namespace liftvox
