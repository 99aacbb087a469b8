// The message boxes of the run: owned by the desktop, captioned with the product name, the text
// looked up by its identifier ("@@" when the text table lacks it).
#pragma once

#include <string>

#include "app/run_outcome.h"

// An error refusal, kept as the run's outcome: its message, a blank and its exit code in
// parentheses, with the error icon.
void ShowRefusal(Refusal refusal);
// The refusal's message, a blank and its exit code in parentheses.
[[nodiscard]] std::wstring RefusalText(Refusal refusal);
// A refusal of a quiet run, which shows nothing: kept as the run's outcome and logged.
void LogRefusal(Refusal refusal);
// A refusal of the settings whose text is not in the text table: shown with the number 0, as it
// always was; the run ends as for incomplete settings.
void ShowSettingsRefusal(const std::wstring& text);
bool AskYesNo(const std::wstring& identifier);
void ShowInformation(const std::wstring& identifier);
