#include "commands/image_for_device.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "commands/command_error.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

using ::testing::AllOf;
using ::testing::HasSubstr;

std::string Refusal(const std::filesystem::path& file, bool forProgramming) {
  try {
    if (forProgramming)
      LoadImageFileToProgram(file);
    else
      ReadSavedImageFile(file);
  } catch (const CommandError& error) {
    return error.what();
  }
  return "read";
}

TEST(ImageForDeviceTest, ReadsAFileAsSavedAndForProgramming) {
  TempDir dir;
  WriteFile(dir / "a.bin", std::string(1024, '\x11') + '\x00');
  const SavedImageFile saved = ReadSavedImageFile(dir / "a.bin");
  EXPECT_EQ(saved.image.size(), 1024u);
  EXPECT_EQ(saved.memoryCode, 0);
  const ImageToProgram program = LoadImageFileToProgram(dir / "a.bin");
  EXPECT_EQ(program.usedSize, 1024);
  EXPECT_EQ(program.bytes.size(), 1025u) << "the code byte goes along";
}

TEST(ImageForDeviceTest, RefusesWhatCannotBeAnImageNamingTheFile) {
  TempDir dir;
  // Sparse: 8 MB and a byte of nothing, judged by its size alone.
  std::ofstream(dir / "huge.bin").close();
  std::filesystem::resize_file(dir / "huge.bin", (std::uintmax_t{8} << 20) + 1);
  WriteFile(dir / "empty.bin", "");
  WriteFile(dir / "code9.bin", "abc\x09");
  WriteFile(dir / "long.bin", std::string(65536, 'x') + '\x00');
  WriteFile(dir / "code-only.bin", std::string(1, '\x00'));
  const bool pipes = MakeFifo(dir / "pipe");
  const struct {
    const char* file;
    bool forProgramming;
    const char* why;
  } cases[] = {
      {"huge.bin", false, "is longer than the largest memory (8MB)"},
      {"huge.bin", true, "is longer than the largest memory (8MB)"},
      {"pipe", false, "is not a regular file"},
      {"pipe", true, "is not a regular file"},
      {"missing.bin", false, "cannot be opened"},
      {"empty.bin", false, "is empty"},
      {"code9.bin", false, "ends in 9, which is no memory size code"},
      {"long.bin", true, "is longer than a 64kB memory"},
      {"code-only.bin", true, "holds no data"},
  };
  for (const auto& c : cases) {
    if (std::string(c.file) == "pipe" && !pipes) continue;
    const auto file = dir / c.file;
    EXPECT_THAT(Refusal(file, c.forProgramming), AllOf(HasSubstr(file.string()), HasSubstr(c.why)))
        << c.file;
  }
  EXPECT_EQ(Refusal(dir / "code-only.bin", false), "read") << "inspecting an empty image is fine";
}

}  // namespace
}  // namespace liftvox::test
