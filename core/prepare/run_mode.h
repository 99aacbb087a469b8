// What a run does, chosen by the first command-line argument.
#pragma once

#include <string>
#include <string_view>

namespace prepare {

enum class RunMode { kInstall, kUpgrade, kUninstall, kUninstallAnyway, kUpdater, kRegistry };

// The argument's letters A to Z lower-cased, compared as a whole with the keywords; anything
// else, and no argument at all, installs.
RunMode RunModeFromArgument(std::wstring_view argument);

// The mode text the pages and engines read: "Install", "Upgrade", "Uninstall",
// "UninstallAnyway"; empty for the updater and registry modes.
std::wstring ModeText(RunMode mode);

}  // namespace prepare
