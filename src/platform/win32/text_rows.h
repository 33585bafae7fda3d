// Multi-line text laid out as a multi-line edit control shows it: each line
// (ended by CR LF) wraps at the box's width, after the last blank that fits
// or, in a word too long for a row (Japanese text has no blanks), after the
// last character that fits; rows are one font height apart.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vesk::platform::win32 {

// The rows of `text` in the font selected into dc, for a box `width`
// pixels wide. Every row holds at least one character.
std::vector<std::wstring> wrapRows(HDC dc, const std::wstring& text, int width);

// Draws the rows from the top of the box, each centred or left-aligned,
// clipped at the box: a last row that does not fit shows its upper part.
void drawRows(HDC dc, const std::vector<std::wstring>& rows, const RECT& box, bool centred);

}  // namespace vesk::platform::win32
