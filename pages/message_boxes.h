// The message boxes of the run: owned by the desktop, captioned with the product name, the text
// looked up by its identifier ("@@" when the text table lacks it).
#pragma once

#include <string>

// An error refusal: the text, a blank and the number in parentheses, with the error icon.
void ShowRefusal(const std::wstring& identifier, int number);
// The same for a fixed text that is not in the text table.
void ShowRefusalText(const std::wstring& text, int number);
bool AskYesNo(const std::wstring& identifier);
void ShowInformation(const std::wstring& identifier);
