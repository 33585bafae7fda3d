// The text of the data files beside the executable. The files are meant to be
// code page 932, but they are kept by hand and today's editors save UTF-8, so
// a file that starts with the UTF-8 byte-order mark, or that is valid UTF-8
// and holds at least one character of three or more bytes (all Japanese text
// in UTF-8 does), is read as UTF-8. Anything else is code page 932, so that
// half-width katakana whose bytes happen to pair as two-byte UTF-8 keep their
// meaning. Either way the program sees the same UTF-8 text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vesk {

// The file's bytes as UTF-8 text. The byte-order mark is dropped; bytes that
// are malformed in the detected encoding become U+FFFD, so the result is
// always valid UTF-8.
std::string decodeDataText(std::string_view bytes);

// The lines of a text. CR LF, a lone CR and a lone LF each end a line; the
// last line may lack its end. An empty text has no lines, and a text ending
// in a line end has no empty line after it. The views point into text.
std::vector<std::string_view> splitLines(std::string_view text);

// The first line of a text, as splitLines would give it; empty when the text
// is empty.
std::string_view firstLine(std::string_view text);

}  // namespace vesk
