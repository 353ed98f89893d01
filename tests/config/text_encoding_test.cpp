#include "config/text_encoding.h"

#include <gtest/gtest.h>

namespace liftvox {
namespace {

TEST(TextEncodingTest, EveryWindows1250ByteSurvivesARoundTrip) {
  for (int value = 0; value < 256; ++value) {
    const std::string byte(1, static_cast<char>(value));
    const std::string text = Windows1250ToUtf8(byte);
    EXPECT_NE(text, "\xEF\xBF\xBD") << "byte " << value << " decoded to U+FFFD";
    std::string back;
    ASSERT_TRUE(Utf8ToWindows1250(text, back)) << "byte " << value;
    EXPECT_EQ(back, byte) << "byte " << value;
    EXPECT_EQ(EncodeText(DecodeText(byte)), byte) << "byte " << value;
  }
  // The bytes cp1250 leaves undefined become the C1 controls of that number.
  EXPECT_EQ(Windows1250ToUtf8("\x81\x98"), "\xC2\x81\xC2\x98");
}

TEST(TextEncodingTest, CzechLettersAndSymbolsMapToTheirCodePage) {
  EXPECT_EQ(Windows1250ToUtf8("\x8A\x9A\xC8\xE8\xD8\xF8\x8E\x9E\xD9\xF9\x80"), "ŠšČčŘřŽžŮů€");
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
