#include <gtest/gtest.h>

#include "image/image_file.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

constexpr int64_t k64k = 65536;

// An image whose header says `endPage` pages are used, with the parameter
// block on page 1 and a configuration length field of `length`.
std::vector<uint8_t> Image(int endPage, int32_t length, const std::string& text = "") {
  std::vector<uint8_t> image(static_cast<size_t>(k64k + 1), 0xFF);
  image[0] = 1;
  image[1] = 0;
  image[2] = static_cast<uint8_t>(endPage & 0xFF);
  image[3] = static_cast<uint8_t>(endPage >> 8);
  image[256] = 36;
  image[257] = 0;
  for (int i = 0; i < 4; ++i) image[256 + 36 + i] = static_cast<uint8_t>(length >> (8 * i));
  std::copy(text.begin(), text.end(), image.begin() + 256 + 40);
  return image;
}

TEST(ImageFileTest, SavesTheUsedPagesAndTheCode) {
  TempDir dir;
  auto image = Image(4, 0);
  ASSERT_EQ(SaveMemoryImageFile(dir / "a.bin", image, k64k, 1024, 0), ImageFileError::None);
  const std::string bytes = ReadFile(dir / "a.bin");
  ASSERT_EQ(bytes.size(), 1025u);
  EXPECT_EQ(bytes.back(), '\0');

  EXPECT_EQ(SaveMemoryImageFile(dir / "no" / "such" / "dir.bin", image, k64k, 1024, 0),
            ImageFileError::UnableWriteFile);
}

TEST(ImageFileTest, AFullImageGivesAFileExactlyAsLongAsTheMemory) {
  TempDir dir;
  auto image = Image(256, 0);  // EndPage x 256 = the whole memory
  ASSERT_EQ(SaveMemoryImageFile(dir / "full.bin", image, k64k, k64k, 0), ImageFileError::None);
  EXPECT_EQ(ReadFile(dir / "full.bin").size(), static_cast<size_t>(k64k));
  EXPECT_EQ(LoadMemoryImageFile(dir / "full.bin", 0, k64k).usedSize, k64k - 1);
}

// Overlong files, files of exactly the memory's size, of the code alone, or
// missing: the image file commands' tests load those.
TEST(ImageFileTest, RefusesAShortFileForAnotherMemoryAndAnEmptyOne) {
  TempDir dir;
  WriteFile(dir / "128k.bin", std::string(100, 'x') + '\x01');
  auto loaded = LoadMemoryImageFile(dir / "128k.bin", 0, k64k);
  EXPECT_EQ(loaded.error, ImageFileError::FileForMemory);
  EXPECT_EQ(loaded.fileCode, 1);
  WriteFile(dir / "empty.bin", "");
  EXPECT_EQ(LoadMemoryImageFile(dir / "empty.bin", 0, k64k).error, ImageFileError::UnableLoadFile);
  if (MakeFifo(dir / "pipe")) {
    EXPECT_EQ(LoadMemoryImageFile(dir / "pipe", 0, k64k).error, ImageFileError::UnableLoadFile);
  }
}

TEST(StoredConfigurationTest, FindsTheTextWithinTheBuffer) {
  const std::string text = "[General]\r\nA=1\r\n";
  auto image = Image(4, static_cast<int32_t>(text.size() + 1), text);
  image[256 + 40 + text.size()] = 0;
  const std::span<const uint8_t> used(image.data(), 1024);
  EXPECT_EQ(StoredConfigurationText(used, 256), text);
  EXPECT_EQ(ImageInterfaceNumber(used, 256), 0xFF);
  const auto found = FindStoredConfiguration(used, 256);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->recordOffset, 256u + 36u);
  EXPECT_EQ(found->textLength, text.size());
}

TEST(StoredConfigurationTest, RefusesLengthsAndOffsetsThatPointAnywhere) {
  // Zero length: nothing stored.
  auto image = Image(4, 0);
  EXPECT_FALSE(FindStoredConfiguration(std::span(image).first(1024), 256));
  // Longer than what was read, negative, or huge.
  for (int32_t length : {800, -5, 0x7FFFFFFF}) {
    image = Image(4, length);
    EXPECT_FALSE(FindStoredConfiguration(std::span(image).first(1024), 256)) << length;
  }
  // The block page beyond the buffer, and the field offset beyond it.
  image = Image(4, 10);
  image[0] = 0xFF;
  EXPECT_FALSE(FindStoredConfiguration(std::span(image).first(1024), 256));
  EXPECT_EQ(ImageInterfaceNumber(std::span(image).first(1024), 256), -1);
  image = Image(4, 10);
  image[256] = 0xFE;
  image[257] = 0x03;
  EXPECT_FALSE(FindStoredConfiguration(std::span(image).first(1024), 256));
  EXPECT_FALSE(FindStoredConfiguration(std::span(image).first(1), 256));
}

}  // namespace
}  // namespace liftvox::test
