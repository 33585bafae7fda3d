// Decoding the data files (code page 932 or UTF-8) and splitting their lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "caravan_fixture.h"
#include "common/cp932.h"
#include "common/data_text.h"

namespace vesk::caravan_test {
namespace {

using Lines = std::vector<std::string_view>;

TEST(DataText, EncodingIsDetectedFromTheBytes) {
  using namespace std::string_literals;
  // Code page 932, including second bytes that are "\" and a half-width kana.
  EXPECT_EQ(decodeDataText(cp932::hyo + "\\"s + cp932::so + cp932::kanaA), "表\\ソｱ");
  // UTF-8 holding a character of three bytes, with or without a mark.
  EXPECT_EQ(decodeDataText(std::string(utf8::a) + utf8::star), "あ★");
  EXPECT_EQ(decodeDataText(utf8::bom + "1,"s + utf8::star), "1,★");
  // ASCII is the same either way; the mark alone leaves nothing.
  EXPECT_EQ(decodeDataText("1,AB\r\n"), "1,AB\r\n");
  EXPECT_EQ(decodeDataText(utf8::bom), "");
  EXPECT_EQ(decodeDataText(""), "");
}

// Texts a player keeps in the rotation files; each must read the same whether
// the file was saved as code page 932 or as UTF-8.
std::vector<std::string> playerTexts() {
  std::vector<std::string> texts = {
      "ABCDEF",  "GH★", "IJKL", "あいう", "aあい",      "ABCD⇒GH★⇒IJKL",  "★",
      "☆",       "◎",   "●",    "祭",     "古龍の秘宝", "ラオシャンロン", "狩人珠劣化期限",
      "ｷﾘﾝ討伐", "ﾃｽﾄ", "ｰ",    "100ｺ",
  };
  // Every pair of half-width katakana and punctuation (U+FF61..U+FF9F): many
  // of them are valid two-byte UTF-8 when saved as code page 932.
  for (char32_t a = 0xFF61; a <= 0xFF9F; ++a) {
    for (char32_t b = 0xFF61; b <= 0xFF9F; ++b) {
      std::string pair;
      appendUtf8(pair, a);
      appendUtf8(pair, b);
      texts.push_back(pair);
    }
  }
  return texts;
}

TEST(DataText, ReadsTheSameTextSavedInEitherEncoding) {
  using namespace std::string_literals;
  EXPECT_EQ(decodeDataText("1,\xC3\xBD\r\n"), "1,ﾃｽ\r\n");  // not "1,ý"
  for (const std::string& text : playerTexts()) {
    const std::string line = "1," + text + "\r\n";
    const auto saved = utf8ToCp932(line);
    ASSERT_TRUE(saved) << line;
    EXPECT_EQ(decodeDataText(*saved), line) << "code page 932: " << line;
    EXPECT_EQ(decodeDataText(line), line) << "UTF-8: " << line;
    EXPECT_EQ(decodeDataText(utf8::bom + line), line) << "UTF-8 with a mark: " << line;
  }
}

TEST(DataText, MalformedBytesBecomeReplacementCharacters) {
  using namespace std::string_literals;
  // After a byte-order mark the file is UTF-8, whatever follows.
  EXPECT_EQ(decodeDataText(utf8::bom + "A\xFF"s + utf8::a), "A\uFFFDあ");
  // Neither valid UTF-8 nor code page 932: a lone lead byte at the end.
  const std::string odd = decodeDataText("AB"s + cp932::a + "\x82");
  EXPECT_TRUE(isValidUtf8(odd));
  EXPECT_TRUE(odd.starts_with("ABあ")) << odd;
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_TRUE(isValidUtf8(decodeDataText(all)));
  EXPECT_TRUE(isValidUtf8(decodeDataText(utf8::bom + all)));
}

TEST(DataText, LinesEndAtCrLfLoneCrOrLoneLf) {
  EXPECT_EQ(splitLines(""), Lines{});
  EXPECT_EQ(splitLines("a"), Lines{"a"});
  EXPECT_EQ(splitLines("a\r\n"), Lines{"a"});
  EXPECT_EQ(splitLines("a\r\nb"), (Lines{"a", "b"}));
  EXPECT_EQ(splitLines("a\rb\nc\r\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("\r\n"), Lines{""});
  EXPECT_EQ(splitLines("\r\n\r\n"), (Lines{"", ""}));
  EXPECT_EQ(splitLines("\n\r"), (Lines{"", ""}));  // LF then CR: two line ends
  EXPECT_EQ(splitLines("a\r\r\nb"), (Lines{"a", "", "b"}));
  EXPECT_EQ(splitLines("a\tb \r\n"), Lines{"a\tb "});
}

}  // namespace
}  // namespace vesk::caravan_test
