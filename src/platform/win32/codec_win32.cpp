// The code page 932 codec of the Windows build, on MultiByteToWideChar(932)
// and WideCharToMultiByte(932).
//
// Windows decodes bytes that are not code page 932 into look-alikes instead
// of failing: an undefined double-byte pair, or a lead byte before a byte that
// cannot follow it, becomes U+30FB (swallowing the second byte, even a line
// feed), the single bytes 0xA0 and 0xFD..0xFF become private-use characters and
// 0x80 becomes U+0080. The decoder below turns all of these into U+FFFD, one
// per offending byte, and goes on with the byte after it; the encoder refuses
// the characters those single bytes would stand for. Both match the iconv
// codec of the native build.
#include <windows.h>

#include <climits>

#include "common/cp932.h"
#include "platform/win32/wide_text.h"

namespace vesk {

namespace {

constexpr UINT kCodePage932 = 932;

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Single bytes that code page 932 tables map although they are no characters.
bool isStrayByte(unsigned char b) { return b == 0x80 || b == 0xA0 || b >= 0xFD; }

// The characters that the stray bytes decode to in the Windows tables; they
// are refused on the way back, so that both directions agree.
bool isStrayCharacter(wchar_t c) { return c == 0x80 || (c >= 0xF8F0 && c <= 0xF8F3); }

// Whether some single byte, outside a double-byte pair, is a stray byte.
bool hasStrayByte(std::string_view bytes) {
  for (std::size_t pos = 0; pos < bytes.size(); ++pos) {
    const auto b = static_cast<unsigned char>(bytes[pos]);
    if (isLeadByte(b)) {
      ++pos;
    } else if (isStrayByte(b)) {
      return true;
    }
  }
  return false;
}

// Strict decoding: nothing when any byte is not code page 932.
std::optional<std::wstring> decodeStrict(std::string_view bytes) {
  if (bytes.empty()) return std::wstring();
  if (bytes.size() > INT_MAX) return std::nullopt;
  const int length = static_cast<int>(bytes.size());
  const int needed =
      MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
  if (needed <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  if (MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(),
                          needed) != needed) {
    return std::nullopt;
  }
  return wide;
}

// Character by character, for texts with bytes that are not code page 932.
std::wstring decodeLenient(std::string_view bytes) {
  std::wstring wide;
  wide.reserve(bytes.size());
  for (std::size_t pos = 0; pos < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[pos]);
    if (b < 0x80) {
      wide += static_cast<wchar_t>(b);
      ++pos;
      continue;
    }
    const std::size_t length = isLeadByte(b) && pos + 1 < bytes.size() ? 2 : 1;
    const auto one = isStrayByte(b) ? std::nullopt : decodeStrict(bytes.substr(pos, length));
    if (one) {
      wide += *one;
      pos += length;
    } else {
      wide += L'\xFFFD';
      ++pos;
    }
  }
  return wide;
}

}  // namespace

std::string cp932ToUtf8(std::string_view bytes) {
  if (!hasStrayByte(bytes)) {
    if (auto wide = decodeStrict(bytes)) return platform::win32::toUtf8(*wide);
  }
  return platform::win32::toUtf8(decodeLenient(bytes));
}

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  if (!isValidUtf8(utf8)) return std::nullopt;
  const std::wstring wide = platform::win32::toWide(utf8);
  if (wide.empty() || wide.size() > INT_MAX) return std::nullopt;
  for (const wchar_t c : wide) {
    if (isStrayCharacter(c)) return std::nullopt;
  }
  const int length = static_cast<int>(wide.size());
  // No best-fit look-alikes (U+00A5 as a backslash, U+301C as U+FF5E): a
  // character without its own code page 932 form makes the text unencodable.
  BOOL usedDefault = FALSE;
  const int needed = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide.data(), length,
                                         nullptr, 0, nullptr, &usedDefault);
  if (needed <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(needed), '\0');
  if (WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide.data(), length, bytes.data(),
                          needed, nullptr, &usedDefault) != needed ||
      usedDefault) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace vesk
