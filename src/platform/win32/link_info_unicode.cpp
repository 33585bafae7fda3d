#include "platform/win32/link_info_unicode.h"

#include <cstdint>

namespace vesk::platform::win32 {

namespace {

// Offsets in the shell link header and the link info block.
constexpr std::size_t kHeaderSize = 0x4C;
constexpr std::size_t kLinkFlagsOffset = 0x14;
constexpr std::uint32_t kHasLinkTargetIdList = 0x1;
constexpr std::uint32_t kHasLinkInfo = 0x2;
constexpr std::uint32_t kVolumeIdAndLocalBasePath = 0x1;
constexpr std::uint32_t kShortLinkInfoHeader = 0x1C;
constexpr std::uint32_t kLongLinkInfoHeader = 0x24;

std::optional<std::uint32_t> readU32(std::string_view bytes, std::size_t at) {
  if (at > bytes.size() || bytes.size() - at < 4) return std::nullopt;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

void appendU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A zero-terminated ANSI string at `at`, without its terminator.
std::optional<std::string_view> zeroTerminated(std::string_view bytes, std::size_t at) {
  if (at >= bytes.size()) return std::nullopt;
  const std::size_t end = bytes.find('\0', at);
  if (end == std::string_view::npos) return std::nullopt;
  return bytes.substr(at, end - at);
}

std::wstring fromAnsi(std::string_view ansi, UINT codePage) {
  if (ansi.empty()) return {};
  const int length = static_cast<int>(ansi.size());
  const int needed = MultiByteToWideChar(codePage, 0, ansi.data(), length, nullptr, 0);
  if (needed <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(needed), L'\0');
  MultiByteToWideChar(codePage, 0, ansi.data(), length, wide.data(), needed);
  return wide;
}

}  // namespace

std::optional<std::string> withUnicodeTarget(std::string_view lnk, std::wstring_view target,
                                             UINT ansiCodePage) {
  const auto headerSize = readU32(lnk, 0);
  const auto flags = readU32(lnk, kLinkFlagsOffset);
  if (!headerSize || *headerSize != kHeaderSize || !flags || !(*flags & kHasLinkInfo)) {
    return std::nullopt;
  }
  std::size_t infoAt = kHeaderSize;
  if (*flags & kHasLinkTargetIdList) {
    if (lnk.size() < infoAt + 2) return std::nullopt;
    infoAt += 2 + (static_cast<unsigned char>(lnk[infoAt]) |
                   static_cast<std::size_t>(static_cast<unsigned char>(lnk[infoAt + 1])) << 8);
  }

  const auto infoSize = readU32(lnk, infoAt);
  const auto infoHeaderSize = readU32(lnk, infoAt + 4);
  const auto infoFlags = readU32(lnk, infoAt + 8);
  const auto volumeOffset = readU32(lnk, infoAt + 12);
  const auto baseOffset = readU32(lnk, infoAt + 16);
  const auto suffixOffset = readU32(lnk, infoAt + 24);
  // Only the short form of a local target: a longer header has the Unicode
  // form already, and network targets are not what the program writes.
  if (!infoSize || !infoHeaderSize || *infoHeaderSize != kShortLinkInfoHeader || !infoFlags ||
      *infoFlags != kVolumeIdAndLocalBasePath || !volumeOffset || !baseOffset || !suffixOffset ||
      *infoSize > lnk.size() - infoAt) {
    return std::nullopt;
  }
  const std::string_view info = lnk.substr(infoAt, *infoSize);
  const auto volumeSize = readU32(info, *volumeOffset);
  if (!volumeSize || *volumeSize > info.size() - *volumeOffset) return std::nullopt;
  const auto base = zeroTerminated(info, *baseOffset);
  const auto suffix = zeroTerminated(info, *suffixOffset);
  if (!base || !suffix) return std::nullopt;
  if (fromAnsi(*base, ansiCodePage) + fromAnsi(*suffix, ansiCodePage) == target) {
    return std::nullopt;
  }

  // The long form: the same volume and ANSI strings, then the Unicode path
  // and an empty Unicode suffix.
  const std::string_view volume = info.substr(*volumeOffset, *volumeSize);
  const std::uint32_t newBase = kLongLinkInfoHeader + *volumeSize;
  const std::uint32_t newSuffix = newBase + static_cast<std::uint32_t>(base->size() + 1);
  const std::uint32_t newBaseUnicode = newSuffix + static_cast<std::uint32_t>(suffix->size() + 1);
  const std::uint32_t newSuffixUnicode =
      newBaseUnicode + static_cast<std::uint32_t>((target.size() + 1) * 2);
  const std::uint32_t newSize = newSuffixUnicode + 2;

  std::string rebuilt;
  appendU32(rebuilt, newSize);
  appendU32(rebuilt, kLongLinkInfoHeader);
  appendU32(rebuilt, kVolumeIdAndLocalBasePath);
  appendU32(rebuilt, kLongLinkInfoHeader);  // the volume follows the header
  appendU32(rebuilt, newBase);
  appendU32(rebuilt, 0);  // no network part
  appendU32(rebuilt, newSuffix);
  appendU32(rebuilt, newBaseUnicode);
  appendU32(rebuilt, newSuffixUnicode);
  rebuilt += volume;
  rebuilt += *base;
  rebuilt += '\0';
  rebuilt += *suffix;
  rebuilt += '\0';
  for (const wchar_t c : target) {
    rebuilt += static_cast<char>(c & 0xFF);
    rebuilt += static_cast<char>((c >> 8) & 0xFF);
  }
  rebuilt.append(4, '\0');  // terminators of the Unicode path and the empty suffix

  std::string result(lnk.substr(0, infoAt));
  result += rebuilt;
  result += lnk.substr(infoAt + *infoSize);
  return result;
}

}  // namespace vesk::platform::win32
