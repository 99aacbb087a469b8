// What a run of the program may have changed on the machine: every file and folder of drive C:
// and every registry key and value under HKEY_LOCAL_MACHINE\Software and
// HKEY_CURRENT_USER\Software, taken before and after and compared.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace catalogue {

struct PrefixSnapshot {
  // "C:\path" or "HKLM\Software\key" or "HKLM\Software\key\\value" -> size, time or data.
  std::map<std::wstring, std::wstring> entries;
};

PrefixSnapshot TakeSnapshot();

// The entries added, removed or changed, each as "+ ", "- " or "~ " and its name, leaving out
// those below one of `allowed` (names compared without regard to letter case) and what Wine
// writes for itself.
std::vector<std::wstring> Differences(const PrefixSnapshot& before, const PrefixSnapshot& after,
                                      const std::vector<std::wstring>& allowed);

}  // namespace catalogue
