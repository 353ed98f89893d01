#pragma once

#include <string>

namespace liftvox {

// The key under which a sample's WAV file is stored once in the image: two
// samples share their data exactly when their keys are equal. The key is the
// file's canonical path (symbolic links and "." / ".." resolved), compared
// without regard to case only where the file system ignores case (Windows):
// on Linux two files may differ only in case, and one must not stand in for
// the other.
std::string SampleFileKey(const std::string& fileName);

}  // namespace liftvox
