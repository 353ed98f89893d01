// The HEX loader on a file, and the record parser on the input as one line.
#include <cstdint>
#include <string_view>

#include "device/intel_hex.h"
#include "fuzz_input.h"

using namespace liftvox;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FirmwareImage image;
  LoadHexFile(fuzz::WriteScratchFile("input.hex", data, size), image);
  image.fill(0xFF);
  try {
    ParseHexRecord(std::string_view(reinterpret_cast<const char*>(data), size), image);
  } catch (const HexFormatError&) {
  }
  return 0;
}
