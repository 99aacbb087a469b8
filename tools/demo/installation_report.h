// What an installation left on the machine, printed for a person: the uninstall entry, the
// product's private registry key, the start-up value, the shortcuts and the folders.
#pragma once

#include <string>

namespace demo {

// `packageFolder` ends with "\"; its Setup.ini names the product's keys and folders.
void PrintInstallationReport(const std::wstring& packageFolder);

}  // namespace demo
