#include "image/sample_identity.h"

#include <filesystem>
#include <system_error>

#include "config/paths.h"

namespace liftvox {

std::string SampleFileKey(const std::string& fileName) {
  const std::filesystem::path path = NativePath(fileName);
  std::error_code error;
  std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  if (error) canonical = path.lexically_normal();
#ifdef _WIN32
  return ToUpperText(PathToUtf8(canonical));
#else
  return canonical.string();
#endif
}

}  // namespace liftvox
