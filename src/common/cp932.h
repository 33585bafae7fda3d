// Code page 932 (Shift-JIS): the byte widths of the calendar cells and the
// conversion of the data files. Text inside the program is UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vesk {

// Bytes that one character takes in code page 932: 1 for ASCII, half-width
// katakana (U+FF61..U+FF9F), the yen sign and the overline (written as 0x5C
// and 0x7E), 2 for every other character, including those that code page 932
// cannot hold (they are shown as wide characters).
int cp932Width(char32_t c);

// Byte length of a UTF-8 text in code page 932. A malformed UTF-8 byte counts
// as one replacement character (2 bytes).
std::int32_t lenByte(std::string_view utf8);

// The longest leading part of the text whose byte length is at most n, never
// splitting a character. Throws std::invalid_argument for a negative n.
std::string leftByte(std::string_view utf8, int n);

// Conversion through the platform's code page 932 codec (Win32
// MultiByteToWideChar(932) on Windows, iconv natively). Decoding never fails:
// bytes that are not code page 932 become U+FFFD. Encoding fails when a
// character has no code page 932 form.
std::string cp932ToUtf8(std::string_view bytes);
std::optional<std::string> utf8ToCp932(std::string_view utf8);

// UTF-8 helpers shared by the text routines.
bool isValidUtf8(std::string_view bytes);
// Decodes one code point at pos and advances pos; a malformed byte gives
// U+FFFD and advances by one.
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);
void appendUtf8(std::string& out, char32_t c);

}  // namespace vesk
