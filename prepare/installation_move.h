// Moves an installed product to the product folder a newer package names: the old folder's
// content is copied over and then removed, the old folder itself stays.
#pragma once

#include <string>

// Moves the content of `oldFolder` into `newFolder`, creating it when missing. Nothing is copied
// or removed when the two name the same folder, when one lies inside the other, when the old
// folder is not `recordedFolder` (the product folder the installation recorded) or is a drive's
// root; the old content is kept when not every file arrived in the new folder. Returns whether
// the old content was removed.
bool MoveInstallation(const std::wstring& oldFolder, const std::wstring& newFolder,
                      const std::wstring& recordedFolder);
