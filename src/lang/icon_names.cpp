#include "lang/icon_names.h"

#include <algorithm>
#include <system_error>

#include "config/paths.h"

namespace liftvox {

std::vector<std::string> LoadIconNames(const std::filesystem::path& iconDir) {
  namespace fs = std::filesystem;
  struct Icon {
    std::string upper;
    std::string original;
  };
  std::vector<Icon> icons;
  std::error_code error;
  for (fs::directory_iterator it(iconDir, error), end; !error && it != end; it.increment(error)) {
    if (!it->is_regular_file(error)) continue;
    const std::string name = PathToUtf8(it->path().filename());
    std::string upper = ToUpperText(name);
    if (upper.size() <= 4 || !upper.ends_with(".BMP")) continue;
    icons.push_back(Icon{std::move(upper), name});
  }
  // Names that differ only in case (possible outside Windows) keep a fixed
  // order by their original spelling.
  std::sort(icons.begin(), icons.end(), [](const Icon& a, const Icon& b) {
    return a.upper != b.upper ? a.upper < b.upper : a.original < b.original;
  });
  std::vector<std::string> names;
  names.reserve(icons.size());
  for (Icon& icon : icons) names.push_back(std::move(icon.upper));
  return names;
}

}  // namespace liftvox
