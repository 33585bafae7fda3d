// Commands that change another program's window as its own code or its
// user would: minimise, restore, move, raise into the topmost band.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "commands.h"

namespace driver {

// Whether the command is one of minimize, restore, move, topmost.
bool isWindowMove(const std::wstring& command);
// args: minimize HWND | restore HWND | move HWND X Y | topmost HWND.
Answer moveWindow(HWND hwnd, const std::vector<std::wstring>& args);

}  // namespace driver
