// Which names from a file list may be joined to a program folder. The lists come from files
// beside the package and in the installed folder, so a name must not lead a copy or a deletion
// anywhere else.
#pragma once

#include <string_view>

namespace upgrade {

// Whether `name` is a plain relative path of a file below the folder it is joined to. "\" and
// "/" both separate components. Refused:
// - the empty name, and names that start or end with a separator or hold two in a row, so no
//   rooted ("\x"), UNC ("\\server\x") or device ("\\?\x", "\\.\x") path and no folder;
// - components made only of dots and spaces ("." and ".." included), which Windows either
//   resolves as relative steps or trims down to one;
// - characters Windows never allows in a file name: controls below U+0020 and < > : " | ? *, so
//   no drive ("C:\x", "C:x") and no alternate data stream ("a:s");
// - components that name a DOS device (CON, PRN, AUX, NUL, COM0-9, LPT0-9, CONIN$, CONOUT$, also
//   with an extension, in any letter case).
bool IsNameInsideFolder(std::wstring_view name);

}  // namespace upgrade
