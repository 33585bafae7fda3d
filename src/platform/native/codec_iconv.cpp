// The code page 932 codec of native builds, through glibc's iconv "CP932".
#include <iconv.h>

#include <cerrno>
#include <memory>

#include "common/cp932.h"

namespace vesk {

namespace {

struct IconvCloser {
  void operator()(iconv_t cd) const { iconv_close(cd); }
};

// Converts all of input; a byte sequence that cannot be converted makes the
// whole conversion fail (nullopt), so each caller decides what to do then.
std::optional<std::string> convert(const char* to, const char* from, std::string_view input) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser> guard(cd);
  std::string out(input.size() * 4 + 8, '\0');
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char* dst = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1))
      return std::nullopt;
  }
  if (iconv(cd, nullptr, nullptr, &dst, &outLeft) == static_cast<std::size_t>(-1))
    return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

// Length of the code page 932 character that starts at bytes[pos].
std::size_t cp932CharLength(std::string_view bytes, std::size_t pos) {
  const auto b = static_cast<unsigned char>(bytes[pos]);
  const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
  return lead && pos + 1 < bytes.size() ? 2 : 1;
}

}  // namespace

std::string cp932ToUtf8(std::string_view bytes) {
  if (auto whole = convert("UTF-8", "CP932", bytes)) return *whole;
  // Some byte is not code page 932: convert character by character and put
  // U+FFFD where one fails.
  std::string out;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t len = cp932CharLength(bytes, pos);
    if (auto one = convert("UTF-8", "CP932", bytes.substr(pos, len))) {
      out += *one;
      pos += len;
    } else if (len == 2 && (one = convert("UTF-8", "CP932", bytes.substr(pos, 1)))) {
      out += *one;
      pos += 1;
    } else {
      appendUtf8(out, 0xFFFD);
      pos += 1;
    }
  }
  return out;
}

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
  if (!isValidUtf8(utf8)) return std::nullopt;
  return convert("CP932", "UTF-8", utf8);
}

}  // namespace vesk
