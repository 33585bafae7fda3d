// Adding the Unicode form of the target to a shortcut's link info.
#include "platform/win32/link_info_unicode.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vesk::platform::win32 {
namespace {

constexpr UINT kWesternCodePage = 1252;

void put32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t get32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

// A shortcut with an optional ID list and the short link info of a local
// target, as Wine writes it, followed by the string data.
std::string shortLink(const std::string& ansiPath, bool withIdList) {
  std::string lnk;
  put32(lnk, 0x4C);
  lnk.append(0x10, '\x01');  // class id: content does not matter here
  put32(lnk, 0x80 | 0x02 | (withIdList ? 0x01 : 0));
  lnk.append(0x4C - lnk.size(), '\0');
  if (withIdList)
    lnk += std::string(
        "\x03\x00"
        "abc",
        5);
  const std::string volume = std::string("\x11\0\0\0\x03\0\0\0\0\0\0\0\x10\0\0\0\0", 17);
  const std::uint32_t base = 0x1C + static_cast<std::uint32_t>(volume.size());
  const std::uint32_t suffix = base + static_cast<std::uint32_t>(ansiPath.size() + 1);
  put32(lnk, suffix + 1);
  put32(lnk, 0x1C);
  put32(lnk, 1);
  put32(lnk, 0x1C);
  put32(lnk, base);
  put32(lnk, 0);
  put32(lnk, suffix);
  lnk += volume + ansiPath + '\0' + '\0';
  return lnk + "STRINGDATA";
}

TEST(LinkInfoUnicode, AddsTheTargetWhenTheAnsiFormLostCharacters) {
  for (const bool withIdList : {false, true}) {
    const std::string lnk = shortLink("C:\\??\\vesk.exe", withIdList);
    const std::wstring target = L"C:\\狩猟\\vesk.exe";
    const auto patched = withUnicodeTarget(lnk, target, kWesternCodePage);
    ASSERT_TRUE(patched.has_value());
    const std::size_t info = withIdList ? 0x4C + 5 : 0x4C;
    EXPECT_EQ(patched->substr(0, info), lnk.substr(0, info));
    EXPECT_EQ(get32(*patched, info + 4), 0x24u);  // the long header
    const std::uint32_t size = get32(*patched, info);
    const std::uint32_t unicodeAt = get32(*patched, info + 28);
    const std::wstring stored(reinterpret_cast<const wchar_t*>(patched->data() + info + unicodeAt),
                              target.size());
    EXPECT_EQ(stored, target);
    // The ANSI form stays, terminated.
    EXPECT_EQ(patched->substr(info + get32(*patched, info + 16), 15),
              std::string("C:\\??\\vesk.exe") + '\0');
    EXPECT_EQ(patched->substr(info + size), "STRINGDATA");
    // The long form needs nothing more.
    EXPECT_FALSE(withUnicodeTarget(*patched, target, kWesternCodePage));
  }
}

TEST(LinkInfoUnicode, LeavesFilesThatNeedNoChangeOrAreNotUnderstood) {
  const std::string lnk = shortLink("C:\\Games\\vesk.exe", true);
  EXPECT_FALSE(withUnicodeTarget(lnk, L"C:\\Games\\vesk.exe", kWesternCodePage));
  EXPECT_FALSE(withUnicodeTarget(lnk.substr(0, 0x60), L"C:\\狩猟\\vesk.exe", kWesternCodePage));
  EXPECT_FALSE(withUnicodeTarget("", L"C:\\狩猟\\vesk.exe", kWesternCodePage));
  EXPECT_FALSE(withUnicodeTarget(std::string(200, '\xFF'), L"C:\\x", kWesternCodePage));
}

}  // namespace
}  // namespace vesk::platform::win32
