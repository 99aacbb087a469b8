// The text manager: finds the text workbook, reads the chosen language's column into the text
// store once at start-up, and answers lookups from memory for the rest of the run. It shows
// nothing: a load that fails says what went wrong, and the caller tells the user.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/text/text_store.h"

// What went wrong loading the texts.
enum class TextLoadFailure {
  kNone,
  kWorkbookNotFound,    // no ".xls" with the name's prefix in the folder
  kWorkbookUnreadable,  // the workbook, its sheet or its language column cannot be read
};

// The message of a failed load, shown in a plain message box before any text is known; the
// program then ends.
[[nodiscard]] const wchar_t* TextLoadFailureMessage(TextLoadFailure failure);

class TlanguageManagement {
 public:
  // Absent until a workbook has been found.
  std::unique_ptr<localisation::TextStore> Texts;

  // Finds the first ".xls" in `folder` (ending with "\") whose name begins with `filePrefix` and
  // fills Texts from its sheet `sheetName`, in the column of `languageCode`.
  [[nodiscard]] TextLoadFailure LoadTexts(const std::wstring& folder, std::uint16_t languageCode,
                                          const std::wstring& filePrefix,
                                          const std::wstring& sheetName);

  // The text, or "@@" when there is none.
  std::wstring GetText(const std::wstring& section, const std::wstring& identifier) const;
  // The text, or for a workbook without it the English text built into the program
  // (localisation::BuiltInTexts); "@@" only when there is neither.
  std::wstring TextOrBuiltIn(const std::wstring& section, const std::wstring& identifier) const;
};

// Reads one sheet of the workbook at `path` into `store`; the rows read before a failure stay in
// the store.
[[nodiscard]] TextLoadFailure ReadTextSheet(localisation::TextStore& store,
                                            const std::wstring& path,
                                            const std::wstring& columnName,
                                            const std::wstring& sheetName);
