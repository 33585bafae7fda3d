// Resource identifiers shared by src/vesk.rc and the Win32 code. Plain
// preprocessor definitions, as the resource compiler reads this file too.
#ifndef VESK_PLATFORM_WIN32_RESOURCE_IDS_H
#define VESK_PLATFORM_WIN32_RESOURCE_IDS_H

// The program's icon (src/vesk.ico, drawn by tools/icon/draw_icon.py). It is
// the first icon group of vesk.exe, which Explorer shows for the file.
#define VESK_ICON_ID 1

#endif
