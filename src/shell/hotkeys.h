// The global hotkey table: ids and virtual-key codes, in the order they are
// registered. Ids 1025 to 1048 use the modifier chosen at start-up; 1054
// (S, the settings shortcuts) always uses the Windows key.
#pragma once

#include <array>

namespace vesk {

struct HotKeyDef {
  int id;
  unsigned virtualKey;
};

constexpr int kHotKeySettingsShortcut = 1054;

constexpr std::array<HotKeyDef, 25> kHotKeyRegistrationOrder{{
    {1025, 0x25}, {1026, 0x27}, {1027, 0x26}, {1028, 0x28}, {1029, 0x31},
    {1030, 0x32}, {1035, 0x33}, {1034, 0x39}, {1032, 0x37}, {1033, 0x38},
    {1036, 0x34}, {1037, 0x35}, {1038, 0x36}, {1031, 0x30}, {1039, 0x61},
    {1040, 0x62}, {1045, 0x63}, {1044, 0x69}, {1042, 0x67}, {1043, 0x68},
    {1046, 0x64}, {1047, 0x65}, {1048, 0x66}, {1041, 0x60}, {1054, 0x53},
}};

// The numeric-pad hotkeys 1039..1048 act as the main-row ones 1029..1038.
constexpr int canonicalHotKey(int id) { return id >= 1039 && id <= 1048 ? id - 10 : id; }

}  // namespace vesk
