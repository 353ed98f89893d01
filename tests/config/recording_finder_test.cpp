#include "config/recording_finder.h"

#include <gtest/gtest.h>

#include "config/paths.h"
#include "model/model_fixture.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

namespace fs = std::filesystem;

// A configuration folder whose recordings have other letter case and folders
// than a Windows PC stored, and a program folder beside it.
class RecordingFinderTest : public ::testing::Test {
 protected:
  RecordingFinderTest() {
    for (const char* file :
         {"cfg/first.wav", "program/first.wav", "program/Shipped/only.wav",
          "cfg/Hlasky/CS/Patro1.wav", "cfg/Hlasky/CS/PŘÍZEMÍ.wav", "cfg/Hlasky/CS/floor3.wav",
          "cfg/Hlasky/EN/floor3.wav", "cfg/Dup.wav", "cfg/dup.wav", "cfg/folder.wav/x"})
      WriteFile(At(file), "RIFF");
  }
  fs::path At(const std::string& relative) const { return dir.path() / NativePath(relative); }
  RecordingLocation Locate(const std::string& stored, RecordingSearchLimits limits = {}) const {
    return RecordingFinder(At("cfg"), At("program"), {At("cfg")}, limits).Locate(stored);
  }
  TempDir dir;
};

TEST_F(RecordingFinderTest, EachRuleInItsOrderAndEqualMatchesRefused) {
  using enum RecordingState;
  struct Row {
    const char* stored;
    RecordingState state;
    std::vector<std::string> files;  // the file used, or the candidates
  } rows[] = {
      {"first.wav", Found, {"cfg/first.wav"}},
      {R"(shipped\ONLY.wav)", FoundElsewhere, {"program/Shipped/only.wav"}},
      {R"(HLASKY\cs\PATRO1.WAV)", FoundElsewhere, {"cfg/Hlasky/CS/Patro1.wav"}},
      {R"(hlasky\cs\přízemí.wav)", FoundElsewhere, {"cfg/Hlasky/CS/PŘÍZEMÍ.wav"}},
      {R"(C:\Tarnel\Hlasky\CS\FLOOR3.WAV)", FoundElsewhere, {"cfg/Hlasky/CS/floor3.wav"}},
      {R"(\\NAS\zvuky\floor3.wav)",
       Ambiguous,
       {"cfg/Hlasky/CS/floor3.wav", "cfg/Hlasky/EN/floor3.wav"}},
      {"Dup.wav", Found, {"cfg/Dup.wav"}},
      {"DUP.WAV", Ambiguous, {"cfg/Dup.wav", "cfg/dup.wav"}},
      {"folder.wav", Missing, {}},
      {R"(D:\gone.wav)", Missing, {}},
  };
  for (const Row& row : rows) {
    const RecordingLocation location = Locate(row.stored);
    EXPECT_EQ(location.state, row.state) << row.stored;
    std::vector<std::string> files;
    for (const std::string& file : row.files) files.push_back(PathToUtf8(At(file)));
    if (row.state == Ambiguous) {
      EXPECT_EQ(location.candidates, files) << row.stored;
    } else if (!files.empty()) {
      EXPECT_EQ(location.usedPath, files.front()) << row.stored;
    }
  }
}

TEST_F(RecordingFinderTest, TheTreeSearchKeepsItsBounds) {
  WriteFile(At("cfg/1/2/3/4/5/6/7/8/eight.wav"), "RIFF");
  WriteFile(At("cfg/1/2/3/4/5/6/7/8/9/nine.wav"), "RIFF");
  fs::create_directory_symlink(At("cfg"), At("cfg/Hlasky/loop"));
  EXPECT_EQ(Locate(R"(X:\eight.wav)").state, RecordingState::FoundElsewhere);
  EXPECT_EQ(Locate(R"(X:\nine.wav)").state, RecordingState::Missing) << "nine folders down";
  EXPECT_EQ(Locate(R"(X:\Patro1.wav)").state, RecordingState::FoundElsewhere)
      << "a link back up the tree is not followed into a second candidate";
  // Two links to the folder itself make each case-blind step branch in two.
  fs::create_directory_symlink(".", At("cfg/a"));
  fs::create_directory_symlink(".", At("cfg/A"));
  std::string deep;
  for (int i = 0; i < 40; ++i) deep += "a\\";
  EXPECT_EQ(Locate(deep + "x.wav").state, RecordingState::Missing);

  RecordingFinder few(At("cfg"), At("program"), {At("cfg")}, {8, 12});
  EXPECT_EQ(few.Locate(R"(X:\eight.wav)").state, RecordingState::Missing);
  EXPECT_TRUE(few.SearchCut());
}

TEST_F(RecordingFinderTest, AMissingRecordingBackWhereItWasStoredIsNoLongerMissing) {
  const std::string back = PathToUtf8(At("back.wav"));
  TPametRevazie document;
  document.AppendSample(document.AddSequence(MakeSequence(0)), MakeWav(back));
  document.Recordings.Record({back, back, RecordingState::Missing, {}});
  WriteFile(At("back.wav"), "RIFF");
  const RecordingSearch search = SearchRecordings(document, {At("cfg")});
  ASSERT_EQ(search.changes.size(), 1u);
  EXPECT_EQ(search.changes[0].location.state, RecordingState::Found);
  ApplyRecordingChanges(document, search.changes);
  EXPECT_FALSE(document.Recordings.IsMissing(back));
}

}  // namespace
}  // namespace liftvox::test
