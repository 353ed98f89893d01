#include <gtest/gtest.h>

#include "device/intel_hex.h"
#include "support/test_support.h"

namespace liftvox::test {
namespace {

// A data record with the right checksum.
std::string DataRecord(uint16_t address, const std::vector<uint8_t>& data, int checksumOffset = 0) {
  static const char* digits = "0123456789ABCDEF";
  std::string line = ":";
  uint8_t sum = 0;
  auto put = [&](uint8_t byte) {
    line += digits[byte >> 4];
    line += digits[byte & 15];
    sum = static_cast<uint8_t>(sum + byte);
  };
  put(static_cast<uint8_t>(data.size()));
  put(static_cast<uint8_t>(address >> 8));
  put(static_cast<uint8_t>(address & 0xFF));
  put(0);
  for (uint8_t byte : data) put(byte);
  put(static_cast<uint8_t>(-sum + checksumOffset));
  return line;
}

std::vector<uint8_t> Bytes(size_t count, uint8_t first) {
  std::vector<uint8_t> data(count);
  for (size_t i = 0; i < count; ++i) data[i] = static_cast<uint8_t>(first + i);
  return data;
}

TEST(IntelHexTest, RecordsStoreDataAndValidateTheirChecksum) {
  FirmwareImage image;
  image.fill(0xFF);
  EXPECT_EQ(ParseHexRecord(DataRecord(0, Bytes(16, 1)), image), 16);
  EXPECT_EQ(image[0], 1);
  EXPECT_EQ(image[15], 16);
  EXPECT_EQ(ParseHexRecord(DataRecord(0, Bytes(16, 1), 1), image), -1);
  EXPECT_EQ(ParseHexRecord(":00000001FF", image), 0);
  EXPECT_EQ(ParseHexRecord("  :00000001ff \r", image), 0);  // trimmed, lower case
  EXPECT_EQ(ParseHexRecord(":00000001FE", image), -1);
  EXPECT_EQ(ParseHexRecord("", image), 0);
  EXPECT_EQ(ParseHexRecord("just a comment", image), 0);
  EXPECT_EQ(ParseHexRecord(":020000020000FC", image), -1);  // segment address
  EXPECT_EQ(ParseHexRecord(":020000040000FA", image), -1);  // linear address
  EXPECT_THROW(ParseHexRecord(":10000000ZZ", image), HexFormatError);
  EXPECT_THROW(ParseHexRecord(":1000000001", image), HexFormatError);  // data missing
}

// The buffer ends at 0x2200: data up to 0x21FF loads (above 8192 it is not
// programmed), a byte at 0x2200 or beyond fails the load.
TEST(IntelHexTest, DataMayReachTheLastByteOfTheBufferAndNoFurther) {
  const struct {
    uint16_t address;
    size_t count;
    bool fits;
  } records[] = {{0x21FF, 1, true},  {0x2200, 1, false}, {0x21F8, 8, true},
                 {0x21F9, 8, false}, {8700, 8, false},   {8192, 16, true}};
  for (const auto& record : records) {
    FirmwareImage image;
    image.fill(0xFF);
    const std::string line = DataRecord(record.address, Bytes(record.count, 0x40));
    if (record.fits) {
      EXPECT_EQ(ParseHexRecord(line, image), static_cast<int>(record.count)) << record.address;
      EXPECT_EQ(image[record.address + record.count - 1], 0x40 + record.count - 1);
    } else {
      EXPECT_THROW(ParseHexRecord(line, image), HexFormatError) << record.address;
    }
  }
}

TEST(IntelHexTest, LoadReadsPastTheEndRecordAndFailsOnAnyBadRecord) {
  TempDir dir;
  FirmwareImage image;
  WriteFile(dir / "a.hex", DataRecord(0, Bytes(4, 9)) + "\r\n:00000001FF\r\n" +
                               DataRecord(4, Bytes(2, 0x20)) + "\n\nnot a record\n");
  EXPECT_EQ(LoadHexFile(dir / "a.hex", image), "");
  EXPECT_EQ(image[4], 0x20);
  EXPECT_EQ(image[6], 0xFF);

  WriteFile(dir / "b.hex", DataRecord(0, Bytes(4, 9)) + "\n" + DataRecord(4, Bytes(2, 0), 1));
  EXPECT_NE(LoadHexFile(dir / "b.hex", image), "");
  WriteFile(dir / "c.hex", DataRecord(8700, Bytes(8, 0)));
  EXPECT_NE(LoadHexFile(dir / "c.hex", image), "");
  EXPECT_NE(LoadHexFile(dir / "missing.hex", image), "");
}

TEST(IntelHexTest, RefusesFilesThatHoldNoCompleteFirmwareNamingThem) {
  TempDir dir;
  const std::string end = ":00000001FF";
  const std::string data = DataRecord(0, Bytes(4, 9));
  WriteFile(dir / "good.hex", data + "\r" + end + "\r");  // old Mac line ends
  WriteFile(dir / "empty.hex", "");
  WriteFile(dir / "readme.hex", "Liftvox firmware 3.4\r\nProgram it with care.\r\n");
  WriteFile(dir / "cut.hex", data + "\n");
  WriteFile(dir / "end-only.hex", end + "\n");
  WriteFile(dir / "unprogrammed.hex", DataRecord(8192, Bytes(16, 1)) + "\n" + end + "\n");
  WriteFile(dir / "huge.hex", data + "\n" + end + std::string(kMaxHexFileBytes, '\n'));
  const bool pipes = MakeFifo(dir / "pipe.hex");
  const struct {
    const char* file;
    const char* why;
  } cases[] = {
      {"good.hex", ""},
      {"empty.hex", " holds no data for the first 8192 bytes"},
      {"readme.hex", " holds no data for the first 8192 bytes"},
      {"cut.hex", " has no end-of-file record"},
      {"end-only.hex", " holds no data for the first 8192 bytes"},
      {"unprogrammed.hex", " holds no data for the first 8192 bytes"},
      {"huge.hex", " is longer than 1048576 bytes"},
      {"pipe.hex", " is not a regular file"},
  };
  for (const auto& c : cases) {
    if (std::string(c.file) == "pipe.hex" && !pipes) continue;
    FirmwareImage image;
    const std::string why = LoadHexFile(dir / c.file, image);
    if (*c.why == '\0')
      EXPECT_EQ(why, "") << c.file;
    else
      EXPECT_EQ(why.rfind((dir / c.file).string() + c.why, 0), 0u) << why;
  }
}

TEST(IntelHexTest, MatchesWhatAvrObjcopyReadsFromACompilerMadeFile) {
  FirmwareImage image;
  ASSERT_EQ(LoadHexFile(TestDataDir() / "device" / "firmware.hex", image), "");
  const std::string expected = ReadFile(TestDataDir() / "device" / "firmware.bin");
  ASSERT_FALSE(expected.empty());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), image.begin(),
                         [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; }));
  EXPECT_TRUE(std::all_of(image.begin() + static_cast<std::ptrdiff_t>(expected.size()), image.end(),
                          [](uint8_t b) { return b == 0xFF; }));
}

}  // namespace
}  // namespace liftvox::test
