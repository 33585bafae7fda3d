#include "common/data_text.h"

#include <algorithm>

#include "common/cp932.h"

namespace vesk {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Valid UTF-8 that holds a character of three or more bytes. Japanese text in
// UTF-8 is made of such characters, while code page 932 text can only mimic
// two-byte sequences (a half-width katakana lead and trail, such as C3 BD):
// a file of half-width katakana alone must stay code page 932.
bool looksLikeUtf8(std::string_view bytes) {
  bool wide = false;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t before = pos;
    const char32_t c = nextCodePoint(bytes, pos);
    if (c == 0xFFFD && pos - before != 3) return false;  // a malformed byte
    if (pos - before >= 3) wide = true;
  }
  return wide;
}

// Copies UTF-8, replacing each malformed byte with U+FFFD.
std::string sanitizeUtf8(std::string_view bytes) {
  if (isValidUtf8(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (std::size_t pos = 0; pos < bytes.size();) appendUtf8(out, nextCodePoint(bytes, pos));
  return out;
}

bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::string decodeDataText(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) return sanitizeUtf8(bytes.substr(kByteOrderMark.size()));
  const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                 [](char b) { return static_cast<unsigned char>(b) < 0x80; });
  if (ascii || looksLikeUtf8(bytes)) return std::string(bytes);
  return cp932ToUtf8(bytes);
}

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && !isLineEnd(text[end])) ++end;
    lines.push_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') {
      ++end;
    }
    start = end + 1;
  }
  return lines;
}

std::string_view firstLine(std::string_view text) {
  const auto end = std::find_if(text.begin(), text.end(), isLineEnd);
  return text.substr(0, static_cast<std::size_t>(end - text.begin()));
}

}  // namespace vesk
