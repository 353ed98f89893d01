#pragma once

#include <QIcon>
#include <QList>

#include <filesystem>
#include <string>
#include <vector>

namespace liftvox {

// The DIL entry icons: every *.bmp of the Icons folder, in the order of their
// upper-cased names (the document's IconNames), so an entry's Icon index picks
// its picture. A missing folder gives no icons; an unknown index an empty icon.
class IconLibrary {
 public:
  // Loads the folder; returns the upper-cased names for the document.
  std::vector<std::string> Load(const std::filesystem::path& folder);

  int Count() const { return static_cast<int>(icons_.size()); }
  QIcon Icon(int index) const;
  // Position of `fileName` (any case), or -1.
  int IndexOf(const std::string& fileName) const;

 private:
  std::vector<std::string> names_;
  QList<QIcon> icons_;
};

}  // namespace liftvox
