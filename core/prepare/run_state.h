// The verdict on an earlier installation, from what the start checks found.
#pragma once

#include <string_view>

namespace prepare {

enum RunState : int {
  kRunStateUndecided = 0,  // installed, but the package names no version
  kRunStateInstall = 1,    // nothing usable installed: install afresh
  kRunStateReplace = 2,    // the same or an older version is installed
  kRunStateNewerInstalled = 4,
};

// Both the uninstall entry's DisplayVersion and the private folder's UninstRegFolder must have
// been found for an installation to count. Versions compare as text (see CompareVersionText).
RunState JudgeRunState(bool installedVersionFound, bool privateFolderFound,
                       std::wstring_view installedVersion, std::wstring_view setupVersion);

}  // namespace prepare
