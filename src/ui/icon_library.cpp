#include "ui/icon_library.h"

#include <QBitmap>
#include <QImage>
#include <QPixmap>

#include "config/paths.h"
#include "lang/icon_names.h"

namespace liftvox {
namespace {

// The bottom-left pixel's colour is transparent, as image lists take it: the
// icons keep a frame of that colour round the picture.
QPixmap TransparentPixmap(const QImage& image) {
  QPixmap pixmap = QPixmap::fromImage(image);
  const QRgb transparent = image.pixel(0, image.height() - 1);
  pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(transparent, Qt::MaskInColor)));
  return pixmap;
}

}  // namespace

std::vector<std::string> IconLibrary::Load(const std::filesystem::path& folder) {
  names_ = LoadIconNames(folder);
  icons_.clear();
  for (const std::string& name : names_) {
    QImage image(QString::fromStdString(PathToUtf8(folder / PathFromUtf8(name))));
    if (image.isNull()) {
      // Names on disk keep their own case; the list holds them upper-cased.
      for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (ToUpperText(PathToUtf8(entry.path().filename())) == name) {
          image.load(QString::fromStdString(PathToUtf8(entry.path())));
          break;
        }
      }
    }
    icons_.append(image.isNull() ? QIcon() : QIcon(TransparentPixmap(image)));
  }
  return names_;
}

QIcon IconLibrary::Icon(int index) const {
  return index >= 0 && index < icons_.size() ? icons_[index] : QIcon();
}

int IconLibrary::IndexOf(const std::string& fileName) const {
  const std::string wanted = ToUpperText(fileName);
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (names_[i] == wanted) return static_cast<int>(i);
  return -1;
}

}  // namespace liftvox
