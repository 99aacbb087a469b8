// An uninstaller copy that could not delete itself marked its Setup.exe and folder for deletion
// at the next restart. An installation or upgrade that fills that folder again before the
// restart takes those deletions out, or the restart would delete its new uninstaller.
#pragma once

#include <string>

// Takes the restart's deletions of `folder` (the install-backup folder) and of everything in it
// out of PendingFileRenameOperations. False when they are there but could not be taken out.
bool KeepFolderPastRestart(const std::wstring& folder);
