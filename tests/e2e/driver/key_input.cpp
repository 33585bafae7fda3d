#include "key_input.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <map>

namespace driver {
namespace {

const std::map<std::string, unsigned short>& namedKeys() {
  static const std::map<std::string, unsigned short> keys = {
      {"win", VK_LWIN},     {"ctrl", VK_CONTROL},  {"alt", VK_MENU},    {"shift", VK_SHIFT},
      {"left", VK_LEFT},    {"right", VK_RIGHT},   {"up", VK_UP},       {"down", VK_DOWN},
      {"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"space", VK_SPACE}, {"tab", VK_TAB},
  };
  return keys;
}

std::optional<unsigned short> keyCode(const std::string& name) {
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
    return static_cast<unsigned short>(std::toupper(static_cast<unsigned char>(name[0])));
  }
  if (name.size() == 7 && name.compare(0, 6, "numpad") == 0 &&
      std::isdigit(static_cast<unsigned char>(name[6]))) {
    return static_cast<unsigned short>(VK_NUMPAD0 + (name[6] - '0'));
  }
  const auto found = namedKeys().find(name);
  if (found == namedKeys().end()) return std::nullopt;
  return found->second;
}

bool isExtended(unsigned short vk) {
  switch (vk) {
    case VK_LWIN:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
      return true;
    default:
      return false;
  }
}

INPUT keyEvent(unsigned short vk, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (isExtended(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

}  // namespace

std::optional<Chord> parseChord(const std::string& text) {
  std::string lower = text;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  Chord chord;
  size_t start = 0;
  while (true) {
    const size_t plus = lower.find('+', start);
    const std::string part =
        lower.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
    const auto code = keyCode(part);
    if (!code) return std::nullopt;
    chord.push_back(*code);
    if (plus == std::string::npos) break;
    start = plus + 1;
  }
  return chord;
}

bool sendChord(const Chord& chord) {
  std::vector<INPUT> events;
  for (const unsigned short vk : chord) events.push_back(keyEvent(vk, false));
  for (auto it = chord.rbegin(); it != chord.rend(); ++it) events.push_back(keyEvent(*it, true));
  const UINT sent = SendInput(static_cast<UINT>(events.size()), events.data(), sizeof(INPUT));
  return sent == events.size();
}

}  // namespace driver
