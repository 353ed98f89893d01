#include "config/text_encoding.h"

#include <gtest/gtest.h>

namespace liftvox {
namespace {

// Bytes 0x80..0xFF as the published Windows-1250 mapping (CP1250.TXT) gives
// them. The five bytes it leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98)
// become the C1 control of the same number, as Windows converts them.
constexpr char16_t kUpperHalf[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // A8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // B8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // C0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // C8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // D0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,  // D8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // E0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // E8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // F0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,  // F8
};

std::string Utf8(char16_t c) {
  if (c < 0x800) return {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
  return {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
}

TEST(TextEncodingTest, EveryByteMapsAsPublishedAndBack) {
  for (int value = 0; value < 256; ++value) {
    const std::string byte(1, static_cast<char>(value));
    const std::string text = value < 0x80 ? byte : Utf8(kUpperHalf[value - 0x80]);
    EXPECT_EQ(Windows1250ToUtf8(byte), text) << std::hex << value;
    std::string back;
    EXPECT_TRUE(Utf8ToWindows1250(text, back)) << std::hex << value;
    EXPECT_EQ(back, byte) << std::hex << value;
  }
  EXPECT_EQ(EncodeText("Přízemí\r\n"), "P\xF8\xEDzem\xED\r\n");
  std::string out = "stale";
  EXPECT_FALSE(Utf8ToWindows1250("Ωmega", out));
  EXPECT_FALSE(Utf8ToWindows1250("a\xFF", out))
      << "bytes that are not UTF-8 have no code page byte";
}

TEST(TextEncodingTest, TextOutsideTheCodePageIsWrittenAsUtf8WithAMark) {
  for (const std::string text : {"Žluť 日本 😀", "ď»żhello"}) {
    // The second one fits the code page, but its bytes would look like a mark.
    const std::string bytes = EncodeText(text);
    EXPECT_EQ(bytes.substr(0, 3), "\xEF\xBB\xBF") << text;
    EXPECT_EQ(DecodeText(bytes), text);
  }
}

TEST(TextEncodingTest, DecodingPicksTheEncodingByTheMarkAlone) {
  // Valid UTF-8 without a mark is still Windows-1250: "č" becomes "ÄŤ".
  EXPECT_EQ(DecodeText("\xC4\x8D"), "ÄŤ");
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF\xC4\x8D"), "č");
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF"), "");
}

TEST(TextEncodingTest, IllFormedUtf8BecomesOneReplacementPerBadStretch) {
  const std::string bom = "\xEF\xBB\xBF";
  const std::string r = "\xEF\xBF\xBD";
  EXPECT_EQ(DecodeText(bom + "a\xC3(b"), "a" + r + "(b");          // missing continuation
  EXPECT_EQ(DecodeText(bom + "\xE0\x80\x80"), r + r + r);          // overlong
  EXPECT_EQ(DecodeText(bom + "\xED\xA0\x80"), r + r + r);          // surrogate
  EXPECT_EQ(DecodeText(bom + "\xF4\x90\x80\x80"), r + r + r + r);  // above U+10FFFF
  EXPECT_EQ(DecodeText(bom + "x\xE2\x82"), "x" + r);               // cut at the end
  EXPECT_EQ(DecodeText(bom + std::string("\0\xF0\x9F\x98\x80", 5)), std::string("\0😀", 5));
}

}  // namespace
}  // namespace liftvox
