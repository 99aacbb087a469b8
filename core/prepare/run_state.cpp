#include "core/prepare/run_state.h"

#include "core/version/version_compare.h"

namespace prepare {

RunState JudgeRunState(bool installedVersionFound, bool privateFolderFound,
                       std::wstring_view installedVersion, std::wstring_view setupVersion) {
  if (!installedVersionFound || !privateFolderFound) return kRunStateInstall;
  if (setupVersion.empty()) return kRunStateUndecided;
  return version::CompareVersionText(installedVersion, setupVersion) <= 0 ? kRunStateReplace
                                                                          : kRunStateNewerInstalled;
}

}  // namespace prepare
