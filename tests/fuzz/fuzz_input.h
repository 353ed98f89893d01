#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// What the fuzz targets share. Each target is one file defining
// LLVMFuzzerTestOneInput; under libFuzzer it runs the readers on generated
// inputs, and in an ordinary build replay_main.cpp feeds it the seed corpus.

namespace liftvox::fuzz {

// A folder of this process's own, made on first use and removed at exit.
const std::filesystem::path& ScratchFolder();

// Writes the input as file `name` in the scratch folder, for readers that
// take a path, and returns the path.
std::filesystem::path WriteScratchFile(const std::string& name, const uint8_t* data,
                                       std::size_t size);

}  // namespace liftvox::fuzz
