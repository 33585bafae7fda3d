// The program's icon from the resources of the running executable: for the
// window classes (caption, taskbar, Alt+Tab) and the message boxes.
#pragma once

#include <windows.h>

namespace vesk::platform::win32 {

// The icon at the size of the two system metrics (SM_CXICON and SM_CYICON,
// or SM_CXSMICON and SM_CYSMICON), shared: the system frees it, so the
// caller never destroys it. 0 when the executable carries no such icon
// (a test program, say); the system then draws its default.
HICON programIcon(int widthMetric, int heightMetric);

// Whether the executable carries the icon group at all.
bool hasProgramIcon();

// The identifier to pass as a resource name for the icon.
const wchar_t* programIconName();

}  // namespace vesk::platform::win32
