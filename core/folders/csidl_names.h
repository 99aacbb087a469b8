// The numbers of the shell's special folders (CSIDL constants) by the names of their constants,
// so that the settings file can name a folder.
#pragma once

#include <string_view>

namespace folders {

// The number of the CSIDL constant whose name equals `name` exactly ("CSIDL_COMMON_TEMPLATES"
// gives 45), letter case and blanks included; 0 for any other text. CSIDL_MYDOCUMENTS is 12,
// its value before it became another name for CSIDL_PERSONAL.
int CsidlFromName(std::wstring_view name);

// Whether `name` is one of the known constant names (CSIDL_DESKTOP is, and its number is 0).
bool IsCsidlName(std::wstring_view name);

}  // namespace folders
