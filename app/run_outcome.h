// How a run ends for whoever started it: a quiet run ends with 0 for success or nothing to do,
// otherwise with the number of the message that refused (101, 102, 201, 302, 502, ...).
// Interactive runs always end with 0.
#pragma once

// Exit codes of refusals that have no message number of their own.
inline constexpr int kExitNotAdministrator = 1;  // MSG_001
inline constexpr int kExitTextsUnreadable = 2;   // the text workbook is missing or unreadable
inline constexpr int kExitIncompleteSettings = 101;
// Files that could not be copied or a step that broke off: the code Windows Installer ends with
// for a failed installation, which deployment tools know.
inline constexpr int kExitInstallationIncomplete = 1603;

// Keeps the first refusal of the run.
void RecordRefusal(int number);
bool Refused();
int RefusalNumber();
