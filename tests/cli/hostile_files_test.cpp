// Files from anywhere: each command ends quickly with a message naming the
// file, and its work and output stay within what the file itself holds.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/program_runner.h"
#include "support/test_support.h"
#include "support/wave_files.h"

namespace liftvox::test {
namespace {

namespace fs = std::filesystem;

void Put16(std::string& image, std::size_t at, uint16_t value) {
  image[at] = static_cast<char>(value & 0xFF);
  image[at + 1] = static_cast<char>(value >> 8);
}

void PutRecord(std::string& image, std::size_t at, uint16_t page, uint32_t length, char type) {
  image.replace(at, 16, 16, '\0');
  Put16(image, at, page);
  for (int i = 0; i < 4; ++i) image[at + 2 + i] = static_cast<char>(length >> (8 * i));
  image[at + 8] = type;
}

// A 1 MB image file (code 4, pages of 256 bytes) with the parameter block on
// page `blockPage` and no configuration; `lay` writes directory and lists.
template <typename Lay>
std::string ImageFile(int blockPage, Lay lay) {
  std::string image(1 << 20, '\xFF');
  Put16(image, 0, static_cast<uint16_t>(blockPage));
  Put16(image, 2, 4096);  // the whole memory is in use
  const std::size_t block = static_cast<std::size_t>(blockPage) * 256;
  Put16(image, block, 36);
  image.replace(block + 36, 4, 4, '\0');
  lay(image);
  image.back() = '\x04';  // the code byte takes the place of the last one
  return image;
}

class HostileFilesTest : public ::testing::Test {
 protected:
  TempDir dir;
};

TEST_F(HostileFilesTest, EveryDirectorySlotOnOneLongListCostsTheListOnce) {
  // 16379 slots up to byte 65520, all on one list of ~60 000 silences that
  // runs to the parameter block: 10^9 records if each entry copied its list.
  const std::string image = ImageFile(4000, [](std::string& bytes) {
    for (std::size_t slot = 4; slot < 65520; slot += 4) Put16(bytes, slot, 65520);
    for (std::size_t at = 65520; at + 32 <= 4000 * 256; at += 16) PutRecord(bytes, at, 0, 1, 3);
  });
  WriteFile(dir / "shared.bin", image);
  const CliResult text = RunCli({"inspect", (dir / "shared.bin").string()});
  ASSERT_EQ(text.exitCode, 0) << text.err;
  EXPECT_LT(text.out.size(), 8u << 20);
  EXPECT_NE(text.out.find("  16378  code 255  priority 15  59904 records\n"
                          "      the same records as entry 0\n"),
            std::string::npos);

  const CliResult json = RunCli({"inspect", "--json", (dir / "shared.bin").string()});
  ASSERT_EQ(json.exitCode, 0) << json.err;
  const nlohmann::json parsed = nlohmann::json::parse(json.out);
  EXPECT_EQ(parsed["entries"].size(), 16379u);
  EXPECT_EQ(parsed["records"].size(), 59904u);
}

TEST_F(HostileFilesTest, ExtractDecodesOnlyDataInsideTheUsedMemoryThatNothingElseShares) {
  // 20 recordings of nearly the whole memory, each a page after the last.
  const std::string image = ImageFile(2, [](std::string& bytes) {
    Put16(bytes, 4, 16);
    for (int i = 0; i < 20; ++i) PutRecord(bytes, 16 + 16 * i, 3 + i, 2000000, 2);
    PutRecord(bytes, 16 + 16 * 20, 4000, 100, 2);  // apart from the rest
  });
  WriteFile(dir / "overlap.bin", image);
  const CliResult result =
      RunCli({"extract", (dir / "overlap.bin").string(), "-o", (dir / "out").string()});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  EXPECT_NE(result.err.find("Extracted 1 samples"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("20 records point at data no build writes"), std::string::npos);
  std::vector<std::string> written;
  for (const auto& entry : fs::directory_iterator(dir / "out"))
    written.push_back(entry.path().filename().string());
  EXPECT_EQ(written, std::vector<std::string>{"page4000.wav"});

  const CliResult inspect = RunCli({"inspect", (dir / "overlap.bin").string()});
  EXPECT_NE(inspect.out.find("page 3  2000000 samples  pattern 0x0  type 2  (its data overlaps "
                             "another recording's)"),
            std::string::npos)
      << inspect.out;
}

TEST_F(HostileFilesTest, FilesThatAreNoneOfTheirKindAreRefusedNamingThem) {
  WriteFile(dir / "README.hex", "Liftvox firmware\r\nSee the manual.\r\n");
  WriteFile(dir / "empty.cfg", "");
  WriteFile(dir / "broken.bin", std::string(1024, '\x11') + '\x00');  // parameters on page 4369
  WritePcmWav(dir / "1hz.wav", std::vector<std::uint8_t>(100, 128), 8, 1, 1);
  // Pipes and the readers' other refusals are their own tests'; here each
  // command passes its reader's message on, before it looks for a device.
  const struct {
    std::vector<std::string> arguments;
    std::string expected;
  } cases[] = {
      // The device does not exist: a file checked first never gets that far.
      {{"firmware", (dir / "README.hex").string(), "--device", "/nonexistent/tty"},
       (dir / "README.hex").string() + " holds no data"},
      {{"check", (dir / "empty.cfg").string()},
       "cannot read " + (dir / "empty.cfg").string() + ": it holds no configuration"},
      {{"convert", (dir / "1hz.wav").string(), "-o", (dir / "out.wav").string()},
       (dir / "1hz.wav").string() + ": The sample rate of 1 Hz is too low."},
      {{"program", (dir / "broken.bin").string(), "--device", "/nonexistent/tty"},
       (dir / "broken.bin").string() +
           " is not programmed: the parameter block lies outside the image"},
  };
  for (const auto& c : cases) {
    const CliResult result = RunCli(c.arguments);
    EXPECT_EQ(result.exitCode, 1) << c.arguments[0];
    EXPECT_EQ(result.err.rfind("error: " + c.expected, 0), 0u) << result.err;
  }
  EXPECT_FALSE(fs::exists(dir / "out.wav"));
}

}  // namespace
}  // namespace liftvox::test
