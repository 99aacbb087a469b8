// The user's scripts and macros of an earlier installation: saved to the templates folder before
// the product folder is emptied, and put back over the new payload afterwards.
#pragma once

class TInstallThread;

void BackupScriptsMacros(TInstallThread& thread);
void RestoreScriptsMacros(TInstallThread& thread);
