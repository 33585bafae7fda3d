// The Unicode form of a shortcut's target in the link info of a .lnk file.
//
// The link info block holds the target's local path in the ANSI code page
// and, in its longer form, in Unicode as well. Windows writes the Unicode
// form whenever the ANSI one loses characters; Wine's ShellLink writes only
// the ANSI form, so a target in a folder such as "狩猟 ツール" comes out as
// "?? ???" to every reader but the writer's own memory. This adds the
// Unicode form after the fact.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace vesk::platform::win32 {

// The file's bytes with the link info rewritten in its longer form carrying
// `target` in Unicode, or nothing when no change is needed (the ANSI path in
// `ansiCodePage` already reads as the target, or the Unicode form is there)
// or the file's layout is not the simple local one this handles.
std::optional<std::string> withUnicodeTarget(std::string_view lnk, std::wstring_view target,
                                             UINT ansiCodePage);

}  // namespace vesk::platform::win32
