// Shell special folders by CSIDL number, and the numbers by the names of their constants, so
// that the settings file can name a folder.
#pragma once

#include <string>

// The folder's path without a trailing "\"; "" when the shell does not know the number or the
// folder does not exist (it is not created).
std::wstring GetSpecialFolder(int csidl);

// The number of the CSIDL constant whose name equals `name` exactly ("CSIDL_COMMON_TEMPLATES"
// gives 45), letter case and blanks included; 0 for any other text. CSIDL_MYDOCUMENTS is 12,
// its value before it became another name for CSIDL_PERSONAL.
int CsidlFromName(const std::wstring& name);
