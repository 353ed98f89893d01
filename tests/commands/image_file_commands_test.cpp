#include "commands/image_file_commands.h"

#include <gtest/gtest.h>

#include "commands/image_for_device.h"

#include "image/image_builder.h"
#include "model/document.h"
#include "model/editing.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

class ImageFileCommandsTest : public ::testing::Test {
 protected:
  ImageFileCommandsTest() {
    for (TPametRevazie* document : {&built, &loaded}) {
      document->SetPrompter(&prompter);
      document->IconNames = {"CZ.BMP"};
      document->ProgramDirectory = dir.path();
    }
    NewConfiguration(built);
    built.SequenceAt(7)->Name = "Přízemí s textem";
  }
  TempDir dir;
  ScriptedPrompter prompter;
  TPametRevazie built, loaded;
  ImageSettings settings;  // 64 kB, configuration stored
};

TEST_F(ImageFileCommandsTest, SavedImagesLoadBackWithTheirConfiguration) {
  prompter.answers = {Answer::Yes};  // rebuild the stale image
  ASSERT_TRUE(PrepareImageForSaving(built, settings));
  ASSERT_TRUE(SaveImageFile(built, settings, dir / "image.bin"));
  EXPECT_EQ(std::filesystem::file_size(dir / "image.bin"),
            static_cast<uintmax_t>(built.UsedMemory) + 1);

  loaded.SetCurrentFileName("old.cfg");
  ASSERT_TRUE(LoadImageFile(loaded, settings, dir / "image.bin"));
  EXPECT_EQ(loaded.UsedMemory, built.UsedMemory);
  EXPECT_TRUE(std::equal(built.Image.begin(), built.Image.begin() + built.UsedMemory,
                         loaded.Image.begin()));
  EXPECT_EQ(loaded.Image[static_cast<std::size_t>(loaded.UsedMemory)], 0)
      << "the memory code follows the image, as the file has it";
  ASSERT_EQ(loaded.SequenceCount(), 8);
  EXPECT_EQ(loaded.SequenceAt(7)->Name, "Přízemí s textem");
  EXPECT_EQ(loaded.CurrentFileName(), "");
  EXPECT_FALSE(loaded.IsModified());
}

TEST_F(ImageFileCommandsTest, MismatchedAndMalformedFilesAreRefusedUntouched) {
  ASSERT_GT(SestavPamet(built, ImageSettings{.memorySizeCode = 1}), 0);
  ASSERT_TRUE(SaveImageFile(built, ImageSettings{.memorySizeCode = 1}, dir / "big.bin"));
  EXPECT_FALSE(LoadImageFile(loaded, settings, dir / "big.bin"));
  EXPECT_EQ(prompter.shown.back().key, "FileForMemory");
  EXPECT_NE(prompter.shown.back().text.find("128kB"), std::string::npos);

  WriteFile(dir / "long.bin", std::string(65536, '\xFF') + '\0');
  EXPECT_FALSE(LoadImageFile(loaded, settings, dir / "long.bin"));
  EXPECT_EQ(prompter.shown.back().text,
            "Soubor " + (dir / "long.bin").string() + " má špatný formát!");
  EXPECT_FALSE(LoadImageFileForProgramming(loaded, settings, dir / "long.bin"));
  EXPECT_EQ(prompter.shown.back().text, "Soubor má špatný formát!");
  EXPECT_FALSE(LoadImageFile(loaded, settings, dir / "missing.bin"));
  EXPECT_EQ(prompter.shown.back().key, "UnableLoadFile");
  EXPECT_EQ(loaded.SequenceCount(), 0);

  WriteFile(dir / "full.bin", std::string(65535, '\xFF') + '\0');
  EXPECT_TRUE(LoadImageFile(loaded, settings, dir / "full.bin")) << "a full memory fits";
  EXPECT_EQ(loaded.Image[65535], 0) << "the code in the place of the image's last byte";
  EXPECT_FALSE(LoadImageFileForProgramming(loaded, settings, dir / "full.bin"))
      << "parameters on page 65535: nothing an announcer could play";
  EXPECT_EQ(prompter.shown.back().key, "ImageProblem");
  WriteFile(dir / "code-only.bin", std::string(1, '\0'));
  EXPECT_TRUE(LoadImageFile(loaded, settings, dir / "code-only.bin"));
  EXPECT_EQ(loaded.UsedMemory, 0);
  EXPECT_FALSE(LoadImageFileForProgramming(loaded, settings, dir / "code-only.bin"))
      << "nothing to program";
}

TEST_F(ImageFileCommandsTest, AnUnknownMemorySizeKeepsTheImageThereIs) {
  ASSERT_GT(SestavPamet(built, settings), 0);
  ASSERT_TRUE(SaveImageFile(built, settings, dir / "image.bin"));
  const auto image = built.Image;
  const ImageSettings unknown{.memorySizeCode = -1};
  EXPECT_EQ(SestavPamet(built, unknown), 0);
  EXPECT_FALSE(LoadImageFile(built, unknown, dir / "image.bin"));
  EXPECT_EQ(built.Image, image);
  EXPECT_EQ(prompter.shown.back().key, "FileForMemory");
}

TEST_F(ImageFileCommandsTest, NoToTheRebuildQuestionSavesTheImageAsItStands) {
  EXPECT_TRUE(built.IsImageStale());
  prompter.answers = {Answer::No};
  EXPECT_TRUE(PrepareImageForSaving(built, settings));
  EXPECT_TRUE(built.IsImageStale());
  built.DilEntries = {{"X", 0, 0}};
  built.AppendSample(0, std::make_unique<TVzorek>())->SetFileName((dir / "none.wav").string());
  prompter.answers = {Answer::Yes};
  EXPECT_FALSE(PrepareImageForSaving(built, settings)) << "a failed build saves nothing";
}

// The document's used size is often an estimate: it may exceed the buffer,
// and before the memory size is known there is no page size to round to.
TEST_F(ImageFileCommandsTest, DocumentImagesGoOutWithinTheirBuffer) {
  struct Case {
    int32_t used;
    int memoryCode;
    size_t bytes;
    int64_t bytesInUse;
  };
  const Case cases[] = {{300, 0, 300, 512}, {70000, 0, 65537, 65792}, {300, -1, 300, 300}};
  built.SetMemorySize(65536);
  for (const Case& c : cases) {
    built.UsedMemory = c.used;
    const ImageToProgram image =
        DocumentImageToProgram(built, ImageSettings{.memorySizeCode = c.memoryCode});
    EXPECT_EQ(image.bytes.size(), c.bytes) << c.used;
    EXPECT_EQ(image.ForProgramming().bytesInUse, c.bytesInUse) << c.used;
  }
}

}  // namespace
}  // namespace liftvox::test
