// The code page 932 codec on the real Windows conversion functions.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/cp932.h"

namespace vesk {
namespace {

using namespace std::string_literals;

struct Sample {
  const char* utf8;
  std::string cp932;
};

const Sample kSamples[] = {
    {"HP100 0:00:00.00", "HP100 0:00:00.00"},
    {"ｷｰ", "\xB7\xB0"},
    {"⇒", "\x81\xCB"},
    {"★", "\x81\x9A"},
    {"～", "\x81\x60"},  // U+FF5E, the tilde of the data files
    {"属性", "\x91\xAE\x90\xAB"},
    {"狩人珠劣化期限", "\x8E\xEB\x90\x6C\x8E\xEC\x97\xF2\x89\xBB\x8A\xFA\x8C\xC0"},
    {"＼(^o^)／ｵﾜﾀ", "\x81\x5F(^o^)\x81\x5E\xB5\xDC\xC0"},
    {"①髙", "\x87\x40\xFB\xFC"},  // vendor extensions of code page 932
    {"a\r\nb", "a\r\nb"},
    {"", ""},
};

TEST(Win32Codec, RoundTripsWithExactBytes) {
  for (const Sample& sample : kSamples) {
    const auto bytes = utf8ToCp932(sample.utf8);
    ASSERT_TRUE(bytes.has_value()) << sample.utf8;
    EXPECT_EQ(*bytes, sample.cp932) << sample.utf8;
    EXPECT_EQ(bytes->size(), static_cast<std::size_t>(lenByte(sample.utf8))) << sample.utf8;
    EXPECT_EQ(cp932ToUtf8(sample.cp932), sample.utf8);
  }
  EXPECT_EQ(cp932ToUtf8("A\0B"s), "A\0B"s);  // a zero byte is a character too
}

TEST(Win32Codec, CharactersWithoutACodePage932FormAreRefused) {
  EXPECT_FALSE(utf8ToCp932("😀"));
  EXPECT_FALSE(utf8ToCp932("ok😀"));
  EXPECT_FALSE(utf8ToCp932("é"));
  // Look-alikes that only a best-fit mapping would accept.
  EXPECT_FALSE(utf8ToCp932("\xC2\xA5"));      // U+00A5 yen sign
  EXPECT_FALSE(utf8ToCp932("\xE3\x80\x9C"));  // U+301C wave dash
  // Malformed UTF-8 has no form either, nor does a literal U+FFFD.
  EXPECT_FALSE(utf8ToCp932("\xFF"));
  EXPECT_FALSE(utf8ToCp932("\xE3\x81"));
  EXPECT_FALSE(utf8ToCp932("\xEF\xBF\xBD"));
  // Nor do the characters that Windows tables give the stray single bytes.
  EXPECT_FALSE(utf8ToCp932("\xC2\x80"));      // U+0080 (0x80)
  EXPECT_FALSE(utf8ToCp932("\xEF\xA3\xB0"));  // U+F8F0 (0xA0)
  EXPECT_FALSE(utf8ToCp932("\xEF\xA3\xB3"));  // U+F8F3 (0xFF)
  // A genuine question mark is no sign of failure.
  EXPECT_EQ(utf8ToCp932("?"), "?");
}

TEST(Win32Codec, InvalidBytesBecomeOneReplacementEach) {
  const std::string r = "\xEF\xBF\xBD";
  EXPECT_EQ(cp932ToUtf8("\x85\x40"), r + "@");  // unassigned pair: the lead alone is bad
  EXPECT_EQ(cp932ToUtf8("\x81\n"), r + "\n");   // a line feed is never swallowed
  EXPECT_EQ(cp932ToUtf8("\x81\x7F"
                        "A"),
            r + "\x7F"
                "A");
  EXPECT_EQ(cp932ToUtf8("\x80"), r);
  EXPECT_EQ(cp932ToUtf8("\xA0"), r);
  EXPECT_EQ(cp932ToUtf8("\xFD\xFE\xFF"), r + r + r);
  EXPECT_EQ(cp932ToUtf8("A\x82"), "A" + r);  // cut off after a lead byte
  EXPECT_EQ(cp932ToUtf8("\xB7\x80\xB0"), "ｷ" + r + "ｰ");
  EXPECT_EQ(cp932ToUtf8("\x81\x80"), "÷");             // 0x80 as a second byte is fine
  EXPECT_EQ(cp932ToUtf8("\xF0\x40"), "\xEE\x80\x80");  // user-defined area: U+E000
}

TEST(Win32Codec, NoBytePairLosesAnAsciiSecondByte) {
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x00; trail < 0x40; ++trail) {
      const std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      const std::string text = cp932ToUtf8(bytes);
      ASSERT_FALSE(text.empty());
      EXPECT_EQ(text.back(), static_cast<char>(trail)) << std::hex << lead << " " << trail;
    }
  }
}

TEST(Win32Codec, ArbitraryBytesGiveValidUtf8) {
  std::mt19937 engine(932);
  for (int round = 0; round < 200; ++round) {
    std::string bytes(static_cast<std::size_t>(engine() % 64), '\0');
    for (char& b : bytes) b = static_cast<char>(engine());
    const std::string text = cp932ToUtf8(bytes);
    EXPECT_TRUE(isValidUtf8(text));
    // Every character comes from one or two bytes, and every byte counts.
    std::size_t characters = 0;
    for (const char c : text) characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    EXPECT_LE(characters, bytes.size());
    EXPECT_GE(characters * 2, bytes.size());
  }
}

}  // namespace
}  // namespace vesk
