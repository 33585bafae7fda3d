// vesk.exe: the Win32 entry point hands the real platform to the program.
#include <windows.h>

#include "platform/win32/win32_platform.h"
#include "shell/app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  vesk::platform::win32::Win32Platform platform;
  return vesk::runApp(platform.services());
}
