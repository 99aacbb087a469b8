// How a run ends for whoever started it: a quiet run ends with 0 for success or nothing to do,
// otherwise with the exit code of its first refusal. Interactive runs always end with 0.
#pragma once

#include <string_view>

// Every exit code of a quiet run but 0; each refusal's code is also the number its message
// box shows.
enum class Refusal : int {
  kNone = 0,
  kNotAdministrator = 1,
  kTextsUnreadable = 2,  // the text workbook is missing or unreadable
  kIncompleteSettings = 101,
  kNewerInstalled = 102,
  kNotInstalled = 201,
  kEarlierInstaller = 302,  // an installation by the family's earlier installer
  kRemovalFailed = 502,
  // Files that could not be copied or a step that broke off: the code Windows Installer ends
  // with for a failed installation, which deployment tools know.
  kIncomplete = 1603,
  // Another run of the product is in progress: Windows Installer's
  // ERROR_INSTALL_ALREADY_RUNNING, which deployment tools retry later.
  kAnotherRunInProgress = 1618,
};

struct RefusalMessage {
  Refusal refusal;
  std::wstring_view messageId;  // in the text table's section "InstallWizard"; "" for none
};

// The message of each refusal.
inline constexpr RefusalMessage kRefusalMessages[] = {
    {Refusal::kNotAdministrator, L"MSG_001"},     {Refusal::kTextsUnreadable, L""},
    {Refusal::kIncompleteSettings, L"MSG_101"},   {Refusal::kNewerInstalled, L"MSG_102"},
    {Refusal::kNotInstalled, L"MSG_201"},         {Refusal::kEarlierInstaller, L"MSG_302"},
    {Refusal::kRemovalFailed, L"MSG_502"},        {Refusal::kIncomplete, L""},
    {Refusal::kAnotherRunInProgress, L"MSG_401"},
};

[[nodiscard]] constexpr int ExitCode(Refusal refusal) {
  return static_cast<int>(refusal);
}

[[nodiscard]] constexpr std::wstring_view MessageId(Refusal refusal) {
  for (const RefusalMessage& row : kRefusalMessages) {
    if (row.refusal == refusal) return row.messageId;
  }
  return {};
}

// Keeps the first refusal of the run.
void RecordRefusal(Refusal refusal);
[[nodiscard]] bool Refused();
// The exit code of the first refusal; 0 when there was none.
[[nodiscard]] int RefusalExitCode();
