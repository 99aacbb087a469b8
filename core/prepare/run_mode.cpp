#include "core/prepare/run_mode.h"

#include "core/strings/string_util.h"

namespace prepare {

RunMode RunModeFromArgument(std::wstring_view argument) {
  const std::wstring keyword = strings::ToLowerAscii(argument);
  if (keyword == L"uninstall") return RunMode::kUninstall;
  if (keyword == L"uninstallanyway") return RunMode::kUninstallAnyway;
  if (keyword == L"upgrade") return RunMode::kUpgrade;
  if (keyword == L"updater") return RunMode::kUpdater;
  if (keyword == L"registry") return RunMode::kRegistry;
  return RunMode::kInstall;
}

std::wstring ModeText(RunMode mode) {
  switch (mode) {
    case RunMode::kInstall:
      return L"Install";
    case RunMode::kUpgrade:
      return L"Upgrade";
    case RunMode::kUninstall:
      return L"Uninstall";
    case RunMode::kUninstallAnyway:
      return L"UninstallAnyway";
    case RunMode::kUpdater:
    case RunMode::kRegistry:
      break;
  }
  return L"";
}

}  // namespace prepare
