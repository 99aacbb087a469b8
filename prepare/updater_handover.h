// Hands the run over to the product's online updater: the updater's name comes from Upgrade.ini
// in its folder, and it is started hidden through the desktop shell, as the user, with one
// argument that tells it why, without waiting.
#pragma once

#include <string>

// Starts the updater of `updaterFolder` (with or without a trailing "\") with `argument`.
// Returns the executable's path, or "" when there is nothing to start: no folder, no Upgrade.ini,
// no name, a name that reaches outside the folder, no such file, or no desktop shell to start it.
std::wstring StartUpdater(const std::wstring& updaterFolder, const std::wstring& argument);
