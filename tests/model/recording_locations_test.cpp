#include "model/recording_locations.h"

#include <gtest/gtest.h>

#include "model/model_fixture.h"
#include "model/snapshot.h"

namespace liftvox::test {
namespace {

TEST(RecordingLocationsTest, AChangeMovesEverySampleOfTheFileAndUndoFindsItMissingAgain) {
  TPametRevazie document;
  AddNamed(document, "ground", 0);
  AddNamed(document, "first", 1);
  document.AppendSample(0, MakeWav("/old/x.wav"));
  document.AppendSample(1, MakeWav("/old/x.wav"));
  document.AppendSample(1, MakeWav("/old/y.wav"));
  document.Recordings.Record({"X.WAV", "/old/x.wav", RecordingState::Missing, {}});
  document.Recordings.Record({"Y.WAV", "/old/y.wav", RecordingState::Missing, {}});
  const ConfigurationSnapshot before = TakeSnapshot(document);

  EXPECT_EQ(ApplyRecordingChanges(
                document,
                {{"/old/x.wav", {"X.WAV", "/new/x.wav", RecordingState::FoundElsewhere, {}}},
                 {"/old/y.wav", {"Y.WAV", "/old/y.wav", RecordingState::Ambiguous, {"/a/y.wav"}}}}),
            2);
  EXPECT_EQ(Names(*document.SequenceAt(1)), (std::vector<std::string>{"/new/x.wav", "/old/y.wav"}));
  EXPECT_EQ(document.Recordings.Find("/new/x.wav")->storedPath, "X.WAV");
  EXPECT_TRUE(document.IsModified());

  RestoreSnapshot(document, before);
  EXPECT_TRUE(document.Recordings.IsMissing(document.SequenceAt(0)->SampleAt(0)->FileName));
  EXPECT_EQ(document.Recordings.Find("/old/y.wav")->state, RecordingState::Missing)
      << "an entry replaced in place comes back too";
}

}  // namespace
}  // namespace liftvox::test
