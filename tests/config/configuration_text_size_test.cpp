#include "config/configuration_text_size.h"

#include <gtest/gtest.h>

#include "config/configuration_file.h"
#include "model/document.h"
#include "model/editing.h"
#include "model/model_fixture.h"

namespace liftvox::test {
namespace {

// The size must be exactly what a save writes, whatever the text holds.
class ConfigurationTextSizeTest : public ::testing::Test {
 protected:
  ConfigurationTextSizeTest() {
    document.IconNames = {"CZ.BMP", "EN.BMP"};
    document.ProgramDirectory = "/opt/liftvox";
    NewConfiguration(document);
  }
  void ExpectSameSize() {
    const auto text = RenderConfigurationText(document);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(measure.Of(document), static_cast<int64_t>(text->size()));
  }

  TPametRevazie document;
  ConfigurationTextSize measure;
};

TEST_F(ConfigurationTextSizeTest, MatchesTheWrittenTextInEveryEncoding) {
  ExpectSameSize();
  for (int j = 0; j < 12; ++j)
    document.AppendSample(
        7, MakeWav("/opt/liftvox/Zvuky/přízemí" + std::to_string(j) + ".wav", j, 123456 * j));
  document.AppendSample(0, MakeWav("/srv/other/a.wav", 300, -5));
  document.AppendSample(0, MakeSilence(7228, 4));
  document.SequenceAt(3)->Code = -1;
  document.SequenceAt(3)->Priority = 15;
  document.SequenceAt(2)->Bit = 12;
  document.SequenceAt(2)->InvParBit = true;
  document.DilEntries = {{"Čeština", 0, 65280}, {"čeština", 1, 2048}, {"a=b", 1, 7}};
  ExpectSameSize();
  EXPECT_EQ(measure.Of(document), RenderConfigurationText(document)->size())
      << "again, from the cache";

  document.SequenceAt(1)->Name = "日本語";  // no Windows-1250 byte: the whole file goes UTF-8
  ExpectSameSize();
  document.SequenceAt(1)->Name = "line\r\nbreak";
  document.ProgramDirectory = "/srv";
  ExpectSameSize();
}

TEST_F(ConfigurationTextSizeTest, UnwritableConfigurationsHaveNoSize) {
  document.DilEntries = {{"X", -1, 0}};
  EXPECT_FALSE(measure.Of(document).has_value());
  document.DilEntries.clear();
  ExpectSameSize();
}

}  // namespace
}  // namespace liftvox::test
