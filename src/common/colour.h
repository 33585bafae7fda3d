// Colours are 0x00BBGGRR: blue in the high byte, as the Win32 COLORREF.
#pragma once

#include <cstdint>

namespace vesk {

using Colour = std::uint32_t;

constexpr Colour kKeyColour = 0xC0C0C0;  // see-through back colour of both strips
constexpr Colour kFrameGrey = 0x404040;  // frames, boxes, neutral deadline colour
constexpr Colour kTextWhite = 0xFFFFFF;
constexpr Colour kScaleNumbers = 0xE0E0E0;
constexpr Colour kCaravanOlive = 0x008080;
constexpr Colour kAdrenalineRed = 0x0000FF;

constexpr std::uint8_t redOf(Colour c) { return c & 0xFF; }
constexpr std::uint8_t greenOf(Colour c) { return (c >> 8) & 0xFF; }
constexpr std::uint8_t blueOf(Colour c) { return (c >> 16) & 0xFF; }

}  // namespace vesk
