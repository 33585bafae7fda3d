// Code page 932 byte widths: lenByte and leftByte.
#include "common/cp932.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vesk {
namespace {

TEST(LenByte, CountsCodePage932Bytes) {
  EXPECT_EQ(lenByte(""), 0);
  EXPECT_EQ(lenByte("ABC 1,"), 6);
  EXPECT_EQ(lenByte("あいう"), 6);
  EXPECT_EQ(lenByte("⇒★"), 4);
  EXPECT_EQ(lenByte("ｱｲｳｴｵﾞﾟ｡"), 8);  // half-width katakana and punctuation: 1 each
  EXPECT_EQ(lenByte("aあｱ"), 4);
  EXPECT_EQ(lenByte("¥‾"), 2);            // written as the single bytes 0x5C and 0x7E
  EXPECT_EQ(lenByte("é€😀"), 6);           // no code page 932 form: shown wide
  EXPECT_EQ(lenByte("\uFF60\uFFA0"), 4);  // either side of the half-width range
}

TEST(Utf8Validator, RefusesOverlongSurrogateOutOfRangeAndCutSequences) {
  // A three-byte sequence cut after two bytes, with a continuation byte just
  // past the end that a read beyond the view would take.
  const std::string cut = "A\xE3\x81\x82";
  const struct {
    std::string_view bytes;
    bool valid;
  } cases[] = {
      {"\xC0\xB2", false},          // overlong "2"
      {"\xE0\x80\xAF", false},      // overlong "/"
      {"\xED\xA0\x80", false},      // surrogate U+D800
      {"\xED\x9F\xBF", true},       // U+D7FF, just below the surrogates
      {"\xF4\x90\x80\x80", false},  // beyond U+10FFFF
      {"\xEF\xBF\xBD", true},       // a genuine U+FFFD
      {std::string_view(cut.data(), 3), false},
      {cut, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << testing::PrintToString(std::string(c.bytes));
  }
}

TEST(LenByte, AgreesWithTheCodecForEveryMappableCharacter) {
  int mappable = 0;
  for (char32_t c = 1; c < 0x30000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string u;
    appendUtf8(u, c);
    const auto bytes = utf8ToCp932(u);
    if (!bytes) continue;
    ++mappable;
    EXPECT_EQ(static_cast<std::size_t>(lenByte(u)), bytes->size())
        << "U+" << std::hex << static_cast<unsigned>(c);
  }
  // ASCII, the half-width katakana and the thousands of double-byte ones.
  EXPECT_GT(mappable, 7000);
}

TEST(LenByte, MalformedUtf8CountsAsWideReplacement) {
  EXPECT_EQ(lenByte("\xFF"), 2);
  EXPECT_EQ(lenByte("A\xE3\x81"), 1 + 2 + 2);  // a cut sequence: each byte replaced
}

TEST(LeftByte, KeepsTheLongestPartThatFitsWithoutSplittingACharacter) {
  EXPECT_EQ(leftByte("あいう", 4), "あい");
  EXPECT_EQ(leftByte("aあい", 4), "aあ");  // い would make 5
  EXPECT_EQ(leftByte("aあい", 5), "aあい");
  EXPECT_EQ(leftByte("あいう", 5), "あい");
  EXPECT_EQ(leftByte("あいう", 1), "");
  EXPECT_EQ(leftByte("ABCDEF", 4), "ABCD");
  EXPECT_EQ(leftByte("GH", 4), "GH");  // nothing is appended to fill the limit
  EXPECT_EQ(leftByte("", 4), "");
}

TEST(LeftByte, MixedHalfWidthKatakana) {
  EXPECT_EQ(leftByte("ｱあｲい", 1), "ｱ");
  EXPECT_EQ(leftByte("ｱあｲい", 2), "ｱ");
  EXPECT_EQ(leftByte("ｱあｲい", 3), "ｱあ");
  EXPECT_EQ(leftByte("ｱあｲい", 4), "ｱあｲ");
  EXPECT_EQ(leftByte("ｱあｲい", 5), "ｱあｲ");
  EXPECT_EQ(leftByte("ｱあｲい", 6), "ｱあｲい");
  EXPECT_EQ(leftByte("ｶﾞｷﾞ", 3), "ｶﾞｷ");  // a voiced mark is a character of its own
}

TEST(LeftByte, LimitZeroGivesNothingAndNegativeThrows) {
  EXPECT_EQ(leftByte("あいう", 0), "");
  EXPECT_EQ(leftByte("abc", 0), "");
  EXPECT_THROW(leftByte("abc", -1), std::invalid_argument);
  EXPECT_THROW(leftByte("", -32768), std::invalid_argument);
}

TEST(LeftByte, ResultIsAPrefixWithinTheLimit) {
  const std::string s = "aあｱ★b¥ーｶﾞ";
  for (int n = 0; n <= 16; ++n) {
    const std::string left = leftByte(s, n);
    EXPECT_TRUE(s.starts_with(left)) << n;
    EXPECT_LE(lenByte(left), n);
    // Never more than one byte short, unless the whole text fits.
    if (left != s) {
      EXPECT_GE(lenByte(left), n - 1) << n;
    }
  }
}

}  // namespace
}  // namespace vesk
