#pragma once

#include <QLineEdit>
#include <QString>

namespace liftvox {

// An editable folder path: the whole path while it is edited, otherwise
// elided in the middle to fit, so both the drive and the folder's own name
// stay in sight. Enter asks for the typed path; leaving the field shows the
// current path again.
class PathField final : public QLineEdit {
  Q_OBJECT

 public:
  explicit PathField(QWidget* parent = nullptr);

  void SetPath(const QString& path);
  QString Path() const { return path_; }

 signals:
  void PathEntered(const QString& path);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowPath();

  QString path_;
};

}  // namespace liftvox
