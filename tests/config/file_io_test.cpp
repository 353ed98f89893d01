#include "config/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "support/test_support.h"

namespace liftvox {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(FileIoTest, ReadsExactBytesAndRefusesWhatIsNoFile) {
  test::TempDir dir;
  const std::string bytes("a\0b\r\n\rc\xFF", 8);
  test::WriteFile(dir / "data.bin", bytes);
  EXPECT_EQ(ReadFileBytes(dir / "data.bin"), bytes);
  test::WriteFile(dir / "empty", "");
  EXPECT_EQ(ReadFileBytes(dir / "empty"), "");
  EXPECT_EQ(ReadFileBytes(dir / "missing"), std::nullopt);
  EXPECT_EQ(ReadFileBytes(dir.path()), std::nullopt);
}

TEST(FileIoTest, ReadsOnlyRegularFilesWithinTheirBound) {
  test::TempDir dir;
  test::WriteFile(dir / "ten", std::string(10, 'x'));
  EXPECT_EQ(ReadBoundedFile(dir / "ten", 10).bytes, std::string(10, 'x'));
  EXPECT_EQ(ReadBoundedFile(dir / "ten", 9).error, FileReadError::TooLarge);
  EXPECT_EQ(ReadBoundedFile(dir / "missing", 10).error, FileReadError::CannotOpen);
  EXPECT_EQ(ReadBoundedFile(dir.path(), 10).error, FileReadError::NotRegularFile);
  if (!test::MakeFifo(dir / "pipe")) GTEST_SKIP() << "no named pipes here";
  EXPECT_EQ(ReadBoundedFile(dir / "pipe", 10).error, FileReadError::NotRegularFile);
  EXPECT_EQ(ReadFileBytes(dir / "pipe"), std::nullopt) << "every whole-file reader refuses it";
}

TEST(FileIoTest, ReplacesTheFileAndLeavesNothingBehind) {
  test::TempDir dir;
  const fs::path file = dir / "Konfigurace.cfg";
  ASSERT_TRUE(WriteFileAtomically(file, "first"));
  test::WriteFile(file, "a much longer old content");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_TRUE(WriteFileAtomically(file, "new"));
  EXPECT_EQ(test::ReadFile(file), "new");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"Konfigurace.cfg"});
}

// A save writes a new file and renames it over the old one, so at every
// moment the name holds the old or the new content whole: another name of
// the old file keeps the old content. A killed save leaves its temporary
// behind; the next save clears those too old to belong to a running one.
TEST(FileIoTest, ASaveReplacesTheFileWholeAndClearsWhatKilledSavesLeft) {
  test::TempDir dir;
  const fs::path file = dir / "lift.cfg";
  test::WriteFile(file, "old");
  fs::create_hard_link(file, dir / "other-name");
  test::WriteFile(dir / ".lift.cfg.tmp-12345", "half a save");
  test::WriteFile(dir / ".lift.cfg.tmp-67890", "a save still running");
  fs::last_write_time(dir / ".lift.cfg.tmp-12345",
                      fs::file_time_type::clock::now() - std::chrono::minutes(5));
  ASSERT_TRUE(WriteFileAtomically(file, "new"));
  EXPECT_EQ(test::ReadFile(file), "new");
  EXPECT_EQ(test::ReadFile(dir / "other-name"), "old");
  EXPECT_EQ(FolderEntries(dir.path()),
            (std::vector<std::string>{".lift.cfg.tmp-67890", "lift.cfg", "other-name"}));
}

TEST(FileIoTest, SavingThroughALinkUpdatesTheLinkedFile) {
  test::TempDir dir;
  test::WriteFile(dir / "real.cfg", "old");
  fs::create_symlink(dir / "real.cfg", dir / "link.cfg");
  ASSERT_TRUE(WriteFileAtomically(dir / "link.cfg", "new"));
  EXPECT_TRUE(fs::is_symlink(dir / "link.cfg"));
  EXPECT_EQ(test::ReadFile(dir / "real.cfg"), "new");
}

TEST(FileIoTest, AFailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
  test::TempDir dir;
  // The target is a folder: the temporary is written, the rename fails.
  fs::create_directory(dir / "target");
  test::WriteFile(dir / "target" / "inside.wav", "keep");
  EXPECT_FALSE(WriteFileAtomically(dir / "target", "data"));
  EXPECT_EQ(test::ReadFile(dir / "target" / "inside.wav"), "keep");
  EXPECT_EQ(FolderEntries(dir.path()), std::vector<std::string>{"target"});
  // No folder to put it in.
  EXPECT_FALSE(WriteFileAtomically(dir / "missing" / "a.cfg", "data"));
  test::WriteFile(dir / "plain", "x");
  EXPECT_FALSE(WriteFileAtomically(dir / "plain" / "a.cfg", "data"));
}

}  // namespace
}  // namespace liftvox
