#include "localisation/language_management.h"

#include "core/strings/string_util.h"
#include "core/text/built_in_texts.h"
#include "core/text/text_lookup.h"
#include "core/text/text_sheet.h"
#include "core/text/workbook_choice.h"
#include "core/xls/sheet.h"
#include "localisation/language_choice.h"
#include "util/file_bytes.h"
#include "util/find_entries.h"

const wchar_t* TextLoadFailureMessage(TextLoadFailure failure) {
  switch (failure) {
    case TextLoadFailure::kNone:
      break;
    case TextLoadFailure::kWorkbookNotFound:
      return L"XLS File Not Found!! Closing...";
    case TextLoadFailure::kWorkbookUnreadable:
      return L"\u8ACB\u95DC\u9589\u6587\u5B57\u6A94. try...catch...Closing...";
  }
  return L"";
}

TextLoadFailure TlanguageManagement::LoadTexts(const std::wstring& folder,
                                               std::uint16_t languageCode,
                                               const std::wstring& filePrefix,
                                               const std::wstring& sheetName) {
  const std::wstring columnName = LanguageColumnFor(languageCode);
  std::vector<std::wstring> workbooks;
  FindEntries(folder, L".xls", workbooks);
  const auto workbook = localisation::FirstNameWithPrefix(workbooks, filePrefix);
  if (!workbook) return TextLoadFailure::kWorkbookNotFound;
  Texts = std::make_unique<localisation::TextStore>();
  return ReadTextSheet(*Texts, folder + *workbook, std::wstring(strings::TrimBlanks(columnName)),
                       sheetName);
}

std::wstring TlanguageManagement::GetText(const std::wstring& section,
                                          const std::wstring& identifier) const {
  return localisation::GetText(Texts.get(), section, identifier);
}

std::wstring TlanguageManagement::TextOrBuiltIn(const std::wstring& section,
                                                const std::wstring& identifier) const {
  std::wstring text = GetText(section, identifier);
  if (text != localisation::kTextNotFound) return text;
  const std::wstring_view english = localisation::BuiltInEnglish(section, identifier);
  return english.empty() ? text : std::wstring(english);
}

TextLoadFailure ReadTextSheet(localisation::TextStore& store, const std::wstring& path,
                              const std::wstring& columnName, const std::wstring& sheetName) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return TextLoadFailure::kWorkbookUnreadable;
  const xls::SheetReadResult sheet = xls::ReadSheet(*bytes, sheetName);
  if (localisation::FillTextStore(sheet, columnName, store) !=
      localisation::TextSheetStatus::kRead) {
    return TextLoadFailure::kWorkbookUnreadable;
  }
  return TextLoadFailure::kNone;
}
