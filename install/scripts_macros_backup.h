// The user's scripts and macros of an earlier installation: saved to the templates folder before
// the product folder is emptied, and put back over the new payload afterwards.
#pragma once

struct InstallContext;

// Fixes the macro backup folder that RestoreScriptsMacros puts back from ("" when nothing was
// saved).
void BackupScriptsMacros(InstallContext& context);
void RestoreScriptsMacros(InstallContext& context);
