#include "common/cp932.h"

#include <stdexcept>

namespace vesk {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

}  // namespace

char32_t nextCodePoint(std::string_view s, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int extra = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, c = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, c = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, c = lead & 0x07, minimum = 0x10000;
  } else {
    ++pos;
    return kReplacement;
  }
  if (pos + static_cast<std::size_t>(extra) >= s.size()) {  // sequence cut short
    ++pos;
    return kReplacement;
  }
  for (int i = 1; i <= extra; ++i) {
    const auto b = static_cast<unsigned char>(s[pos + i]);
    if (!isContinuation(b)) {
      ++pos;
      return kReplacement;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return kReplacement;
  }
  pos += extra + 1;
  return c;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool isValidUtf8(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t before = pos;
    const char32_t c = nextCodePoint(bytes, pos);
    // A genuine U+FFFD takes three bytes; a malformed byte advances by one.
    if (c == kReplacement && pos - before != 3) return false;
  }
  return true;
}

int cp932Width(char32_t c) {
  if (c < 0x80) return 1;
  if (c >= 0xFF61 && c <= 0xFF9F) return 1;  // half-width katakana
  // Yen sign and overline: code page 932 writes them as the single bytes
  // 0x5C and 0x7E.
  if (c == 0xA5 || c == 0x203E) return 1;
  return 2;
}

std::int32_t lenByte(std::string_view utf8) {
  std::int32_t bytes = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) bytes += cp932Width(nextCodePoint(utf8, pos));
  return bytes;
}

std::string leftByte(std::string_view utf8, int n) {
  if (n < 0) throw std::invalid_argument("leftByte: negative byte limit");
  std::size_t pos = 0;
  int used = 0;
  while (pos < utf8.size()) {
    std::size_t next = pos;
    const int width = cp932Width(nextCodePoint(utf8, next));
    if (used + width > n) break;
    used += width;
    pos = next;
  }
  return std::string(utf8.substr(0, pos));
}

}  // namespace vesk
