#include "tools/package_check/text_checks.h"

#include <algorithm>
#include <optional>
#include <set>

#include "core/language/language_table.h"
#include "core/strings/case_folding.h"
#include "core/strings/string_util.h"
#include "core/text/built_in_texts.h"
#include "core/text/component_text.h"
#include "core/text/text_lookup.h"
#include "core/text/text_sheet.h"
#include "core/text/workbook_choice.h"
#include "core/xls/sheet.h"
#include "tools/package_check/required_texts.h"
#include "tools/package_check/sheet_typo_checks.h"

namespace package_check {
namespace {

constexpr std::wstring_view kPrefix = L"InstallWizard";
constexpr std::wstring_view kSheetName = L"Install";

struct Workbook {
  std::wstring relativePath;
  xls::SheetReadResult read;
};

// The ".xls" entries of a folder as FindEntries lists them: the extension from the last "."
// on, compared without regard to letter case; folders count as well.
std::vector<std::wstring> XlsNames(const PackageFolder& package, const std::wstring& folder) {
  std::vector<std::wstring> names;
  for (const std::wstring& name : package.EntryNames(folder)) {
    const auto dot = name.rfind(L'.');
    if (dot != std::wstring::npos && strings::ToLowerAscii(name.substr(dot)) == L".xls") {
      names.push_back(name);
    }
  }
  return names;
}

std::wstring ReadErrorText(xls::ReadError error) {
  switch (error) {
    case xls::ReadError::kNotCompoundFile:
      return L"not an Excel 97-2003 workbook";
    case xls::ReadError::kCorruptCompoundFile:
      return L"its compound file is damaged";
    case xls::ReadError::kNoWorkbookStream:
      return L"it holds no workbook stream";
    case xls::ReadError::kUnsupportedFormat:
      return L"written in a format older than Excel 97";
    case xls::ReadError::kEncrypted:
      return L"it is encrypted";
    case xls::ReadError::kCorruptWorkbook:
      return L"its workbook records are damaged";
    case xls::ReadError::kSheetMissing:
      return L"it has no sheet \"Install\"";
    case xls::ReadError::kSheetTooLarge:
      return L"its sheet \"Install\" is too large to read";
    case xls::ReadError::kNone:
      break;
  }
  return L"";
}

std::optional<Workbook> FindWorkbook(const PackageFolder& package, const PackageSettings& settings,
                                     Findings& findings) {
  std::wstring folder = L"Texts\\";
  std::vector<std::wstring> names = XlsNames(package, folder);
  if (names.empty()) {
    folder = L"program files\\" + settings.Value(L"%PROGRAM_FILES") + L"\\" +
             settings.Value(L"%PROGRAM_DATA") + L"Forms\\Texts\\";
    names = XlsNames(package, folder);
  }
  std::vector<std::wstring> qualifying;
  for (const std::wstring& name : names) {
    if (localisation::FirstNameWithPrefix({name}, kPrefix)) qualifying.push_back(name);
  }
  if (qualifying.empty()) {
    findings.Add(L"Texts\\", L"",
                 L"no workbook whose name begins with \"InstallWizard\" here or in " + folder +
                     L": Setup.exe ends with \"XLS File Not Found!! Closing...\"");
    return std::nullopt;
  }
  std::sort(qualifying.begin(), qualifying.end());
  if (qualifying.size() > 1) {
    findings.Add(folder, L"",
                 L"several workbooks begin with \"InstallWizard\" (" + qualifying[0] + L", " +
                     qualifying[1] + L"...): which one is read depends on the file system");
  }
  Workbook workbook{folder + qualifying[0], {}};
  const auto bytes = package.ReadFile(workbook.relativePath);
  if (!bytes) {
    findings.Add(workbook.relativePath, L"", L"cannot be read");
    return std::nullopt;
  }
  workbook.read = xls::ReadSheet(*bytes, kSheetName);
  if (workbook.read.error != xls::ReadError::kNone) {
    findings.Add(workbook.relativePath, L"",
                 L"unreadable: " + ReadErrorText(workbook.read.error) +
                     L"; Setup.exe ends with \"try...catch...Closing...\"");
    return std::nullopt;
  }
  return workbook;
}

bool HasColumn(const xls::Sheet& sheet, std::wstring_view header) {
  return std::any_of(sheet.columns.begin(), sheet.columns.end(), [&](const std::wstring& column) {
    return strings::EqualsIgnoreCase(column, header);
  });
}

std::vector<std::wstring> ShippedLanguages(const xls::Sheet& sheet) {
  // The fallback language first, the others in the order of the language table.
  std::vector<std::wstring> languages = {std::wstring(localisation::kFallbackLanguage)};
  for (const localisation::LanguageRow& row : localisation::LanguageTable()) {
    if (row.name != localisation::kFallbackLanguage && HasColumn(sheet, row.name)) {
      languages.emplace_back(row.name);
    }
  }
  return languages;
}

std::vector<std::wstring> SectionNames(const xls::Sheet& sheet) {
  std::vector<std::wstring> sections;
  for (const auto& row : sheet.rows) {
    for (std::size_t column = 0; column < sheet.columns.size(); ++column) {
      if (!strings::EqualsIgnoreCase(sheet.columns[column], L"Ident")) continue;
      const std::wstring& identifier = row[column];
      if (identifier.starts_with(L'[') && identifier.size() >= 2) {
        sections.push_back(identifier.substr(1, identifier.size() - 2));
      }
    }
  }
  return sections;
}

void CheckMappingLoops(const localisation::TextStore& store,
                       const std::vector<std::wstring>& sections, const std::wstring& file,
                       const std::wstring& language, Findings& findings) {
  std::set<std::wstring> reported;
  for (const std::wstring& start : sections) {
    std::vector<std::wstring> chain = {start};
    std::set<std::wstring> seen = {strings::FoldCase(start)};
    while (const auto next = store.Find(chain.back(), localisation::kMappingIdentifier)) {
      if (*next == localisation::kTextNotFound) break;
      chain.push_back(*next);
      if (!seen.insert(strings::FoldCase(*next)).second) {
        if (reported.insert(strings::FoldCase(*next)).second) {
          std::wstring path;
          for (const std::wstring& section : chain)
            path += (path.empty() ? L"" : L" -> ") + section;
          findings.Add(file, L"column " + language, L"\"%Mapping%\" rows form a loop: " + path);
        }
        break;
      }
    }
  }
}

// The UNINSTALL texts that name Start-menu folders and shortcut files.
void CheckMenuNames(const localisation::TextStore& store, const PackageSettings& settings,
                    const std::wstring& file, const std::wstring& language, Findings& findings) {
  const auto setting = [&](std::wstring_view key) { return settings.Value(key); };
  const auto text = [&](std::wstring_view key) {
    return localisation::GetText(&store, L"UNINSTALL", std::wstring(key));
  };
  for (const prepare::NameBreach& breach : prepare::AllNameBreaches(setting, text)) {
    if (breach.key.starts_with(L"%")) continue;
    findings.Add(file, L"column " + language + L": UNINSTALL/" + breach.key,
                 NameBreachProblem(breach));
  }
}

void CheckLanguageTexts(const xls::Sheet& sheet, const PackageSettings& settings,
                        const std::wstring& file, const std::wstring& language,
                        Findings& findings) {
  localisation::TextStore store;
  localisation::FillTextStore(sheet, language, store);
  std::wstring missing;
  std::wstring empty;
  const auto note = [](std::wstring& list, std::wstring_view name) {
    list += (list.empty() ? L"" : L", ") + std::wstring(name);
  };
  for (const RequiredText& text : RequiredTexts()) {
    const std::wstring found = localisation::GetText(&store, text.section, text.identifier);
    const std::wstring name = std::wstring(text.section) + L"/" + std::wstring(text.identifier);
    if (found == localisation::kTextNotFound) {
      note(missing, name);
    } else if (found.empty() && !text.mayBeEmpty) {
      note(empty, name);
    }
  }
  for (const RequiredCaption& caption : RequiredCaptions()) {
    const std::wstring found = localisation::ComponentText(&store, kWizardSection, caption.page,
                                                           caption.control, L"Caption");
    const std::wstring name = std::wstring(kWizardSection) + L"/" + std::wstring(caption.control) +
                              L"->Caption (" + std::wstring(caption.page) + L")";
    if (found == localisation::kTextNotFound) {
      note(missing, name);
    } else if (found.empty()) {
      note(empty, name);
    }
  }
  const std::wstring where = L"column " + language;
  std::wstring builtIn;
  for (const localisation::BuiltInText& text : localisation::BuiltInTexts()) {
    if (localisation::GetText(&store, std::wstring(text.section), std::wstring(text.identifier)) ==
        localisation::kTextNotFound) {
      note(builtIn, std::wstring(text.section) + L"/" + std::wstring(text.identifier));
    }
  }
  if (!builtIn.empty()) {
    findings.Warn(file, where, L"texts missing, shown in Setup.exe's built-in English: " + builtIn);
  }
  if (!missing.empty())
    findings.Add(file, where, L"texts missing (shown as \"@@\" or left blank): " + missing);
  if (!empty.empty()) findings.Add(file, where, L"texts empty: " + empty);
  CheckMappingLoops(store, SectionNames(sheet), file, language, findings);
  CheckMenuNames(store, settings, file, language, findings);
}

}  // namespace

std::vector<std::wstring> CheckTexts(const PackageFolder& package, const PackageSettings& settings,
                                     Findings& findings) {
  const std::optional<Workbook> workbook = FindWorkbook(package, settings, findings);
  if (!workbook) return {};
  const xls::Sheet& sheet = workbook->read.sheet;
  const std::wstring& file = workbook->relativePath;
  bool columnsPresent = true;
  for (const std::wstring_view header :
       {std::wstring_view(L"Ident"), std::wstring_view(L"English")}) {
    if (!HasColumn(sheet, header)) {
      findings.Add(file, L"sheet Install",
                   L"no column \"" + std::wstring(header) +
                       L"\": Setup.exe ends with \"try...catch...Closing...\"");
      columnsPresent = false;
    }
  }
  if (!columnsPresent) return {};
  if (sheet.rows.size() > localisation::kTextSheetRowLimit) {
    findings.Add(file, L"row " + std::to_wstring(localisation::kTextSheetRowLimit + 2),
                 L"the sheet has " + std::to_wstring(sheet.rows.size()) +
                     L" rows after the header; Setup.exe reads only the first 1,001");
  }
  CheckColumnNames(sheet, file, findings);
  const std::vector<std::wstring> languages = ShippedLanguages(sheet);
  for (const std::wstring& language : languages) {
    CheckLanguageTexts(sheet, settings, file, language, findings);
  }
  CheckEscapeCodes(sheet, languages, file, findings);
  return languages;
}

}  // namespace package_check
