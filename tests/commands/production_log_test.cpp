#include "commands/production_log.h"

#include <gtest/gtest.h>

#include "commands/command_error.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

// A second run appends below the first without a second header; a field with
// a comma is quoted; what is not a regular file is refused, naming it.
TEST(ProductionLogTest, AppendsBelowOneHeaderAndRefusesWhatIsNoFile) {
  TempDir dir;
  const auto file = dir / "log.csv";
  ProductionRecord record;
  record.port = "COM3, left bench";
  record.imageBytes = 512;
  record.imageSha256 = "ab";
  record.verify = true;
  record.result = "ok";
  record.duration = std::chrono::milliseconds(61'250);
  for (int run = 0; run < 2; ++run) EXPECT_TRUE(ProductionLog(file).Append(record));
  const std::string csv = ReadFile(file);
  const std::string line = ",\"COM3, left bench\",,,,,512,ab,on,ok,0,61.3\r\n";
  ASSERT_EQ(csv.find(ProductionLog::Header() + std::string("\r\n")), 0u);
  EXPECT_EQ(csv.rfind(ProductionLog::Header()), 0u);
  EXPECT_EQ(csv.substr(csv.size() - line.size()), line);
  EXPECT_NE(csv.find(line), csv.rfind(line));

  if (MakeFifo(dir / "fifo")) {
    EXPECT_THROW(ProductionLog(dir / "fifo"), CommandError);
  }
  try {
    ProductionLog refused(dir.path());
    ADD_FAILURE() << "a folder taken for a log";
  } catch (const CommandError& error) {
    EXPECT_NE(std::string(error.what()).find(dir.path().string()), std::string::npos);
  }
}

}  // namespace
}  // namespace liftvox::test
