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
#include "winfx/application.h"

namespace {

void FailTextLoad(const wchar_t* message) {
  winfx::ShowMessage(message);
  winfx::Application.Terminate();
}

}  // namespace

std::wstring TlanguageManagement::LoadTexts(const std::wstring& folder, std::uint16_t languageCode,
                                            const std::wstring& filePrefix,
                                            const std::wstring& sheetName) {
  const std::wstring columnName = LanguageColumnFor(languageCode);
  std::vector<std::wstring> workbooks;
  FindEntries(folder, L".xls", workbooks);
  const auto workbook = localisation::FirstNameWithPrefix(workbooks, filePrefix);
  if (!workbook) {
    FailTextLoad(kWorkbookNotFoundMessage);
    return columnName;
  }
  Texts = std::make_unique<localisation::TextStore>();
  ReadTextSheet(*Texts, folder + *workbook, std::wstring(strings::TrimBlanks(columnName)),
                sheetName);
  return columnName;
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

bool ReadTextSheet(localisation::TextStore& store, const std::wstring& path,
                   const std::wstring& columnName, const std::wstring& sheetName) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) {
    FailTextLoad(kWorkbookUnreadableMessage);
    return false;
  }
  const xls::SheetReadResult sheet = xls::ReadSheet(*bytes, sheetName);
  if (localisation::FillTextStore(sheet, columnName, store) !=
      localisation::TextSheetStatus::kRead) {
    FailTextLoad(kWorkbookUnreadableMessage);
    return false;
  }
  return true;
}
