#include "config/data_directory.h"

#include <system_error>

namespace liftvox {

namespace fs = std::filesystem;

fs::path FindDataDirectory(const fs::path& executableDir, const fs::path& chosen) {
  std::error_code error;
  if (!chosen.empty()) {
    const fs::path absolute = fs::absolute(chosen, error);
    return error ? chosen : absolute.lexically_normal();
  }
  const fs::path installed = (executableDir / ".." / "share" / "liftvox").lexically_normal();
  for (const fs::path& candidate : {executableDir, installed})
    if (fs::is_directory(candidate / "Languages", error)) return candidate;
  return executableDir;
}

}  // namespace liftvox
