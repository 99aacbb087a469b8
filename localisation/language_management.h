// The text manager: finds the text workbook, reads the chosen language's column into the text
// store once at start-up, and answers lookups from memory for the rest of the run.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/text/text_store.h"

class TlanguageManagement {
 public:
  // Absent until a workbook has been found.
  std::unique_ptr<localisation::TextStore> Texts;

  // Finds the first ".xls" in `folder` (ending with "\") whose name begins with `filePrefix`,
  // fills Texts from its sheet `sheetName` and returns the language column used. Shows the
  // failure messages and asks the application to end when no workbook qualifies or it cannot be
  // read.
  std::wstring LoadTexts(const std::wstring& folder, std::uint16_t languageCode,
                         const std::wstring& filePrefix, const std::wstring& sheetName);

  // The text, or "@@" when there is none.
  std::wstring GetText(const std::wstring& section, const std::wstring& identifier) const;
  // The text, or for a workbook without it the English text built into the program
  // (localisation::BuiltInTexts); "@@" only when there is neither.
  std::wstring TextOrBuiltIn(const std::wstring& section, const std::wstring& identifier) const;
};

// Reads one sheet of the workbook at `path` into `store`. Returns false (after showing the
// message and asking the application to end) when the workbook, the sheet or a required column
// cannot be read; the rows read before the failure stay in the store.
bool ReadTextSheet(localisation::TextStore& store, const std::wstring& path,
                   const std::wstring& columnName, const std::wstring& sheetName);

// The messages of a failed text load, shown in plain message boxes.
inline constexpr wchar_t kWorkbookNotFoundMessage[] = L"XLS File Not Found!! Closing...";
inline constexpr wchar_t kWorkbookUnreadableMessage[] =
    L"\u8ACB\u95DC\u9589\u6587\u5B57\u6A94. try...catch...Closing...";
