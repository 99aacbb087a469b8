#include "tools/package_check/sheet_typo_checks.h"

#include <algorithm>
#include <optional>
#include <set>
#include <utility>

#include "core/language/language_table.h"
#include "core/strings/string_util.h"
#include "core/text/text_sheet.h"
#include "tools/package_check/nearest_name.h"

namespace package_check {
namespace {

// Names a release engineer may write for a language: its own name, its ISO 639-1 code and the
// licence folder's code.
constexpr std::pair<std::wstring_view, std::wstring_view> kLanguageAliases[] = {
    {L"zh-TW", L"ChineseT"},
    {L"tw", L"ChineseT"},
    {L"Chinese Traditional", L"ChineseT"},
    {L"\u7e41\u9ad4\u4e2d\u6587", L"ChineseT"},
    {L"zh-CN", L"ChineseS"},
    {L"cn", L"ChineseS"},
    {L"Chinese Simplified", L"ChineseS"},
    {L"\u7b80\u4f53\u4e2d\u6587", L"ChineseS"},
    {L"ru", L"Russian"},
    {L"\u0420\u0443\u0441\u0441\u043a\u0438\u0439", L"Russian"},
    {L"tr", L"Turkish"},
    {L"T\u00fcrk\u00e7e", L"Turkish"},
    {L"it", L"Italian"},
    {L"Italiano", L"Italian"},
    {L"es", L"Spanish"},
    {L"Espa\u00f1ol", L"Spanish"},
    {L"pt", L"Portuguese"},
    {L"Portugu\u00eas", L"Portuguese"},
    {L"fr", L"French"},
    {L"Fran\u00e7ais", L"French"},
    {L"nl", L"Dutch"},
    {L"Nederlands", L"Dutch"},
    {L"de", L"German"},
    {L"Deutsch", L"German"},
    {L"ja", L"Japanese"},
    {L"jp", L"Japanese"},
    {L"\u65e5\u672c\u8a9e", L"Japanese"},
    {L"ko", L"Korean"},
    {L"kr", L"Korean"},
    {L"pl", L"Polish"},
    {L"Polski", L"Polish"},
    {L"id", L"Indonesian"},
    {L"Bahasa Indonesia", L"Indonesian"},
    {L"cs", L"Czech"},
    {L"\u010ce\u0161tina", L"Czech"},
    {L"ro", L"Romanian"},
    {L"Rom\u00e2n\u0103", L"Romanian"},
    {L"ms", L"Malay"},
    {L"Bahasa Melayu", L"Malay"},
    {L"sv", L"Swedish"},
    {L"Svenska", L"Swedish"},
    {L"vi", L"Vietnamese"},
    {L"no", L"Norwegian"},
    {L"nb", L"Norwegian"},
    {L"Norsk", L"Norwegian"},
    {L"fi", L"Finnish"},
    {L"Suomi", L"Finnish"},
    {L"hu", L"Hungarian"},
    {L"Magyar", L"Hungarian"},
    {L"bg", L"Bulgarian"},
    {L"el", L"Greek"},
    {L"hr", L"Croatian"},
    {L"Hrvatski", L"Croatian"},
    {L"da", L"Danish"},
    {L"Dansk", L"Danish"},
    {L"fa", L"Persian"},
    {L"Farsi", L"Persian"},
    {L"ar", L"Arabic"},
    {L"et", L"Estonian"},
    {L"Eesti", L"Estonian"},
    {L"az", L"Azerbaijan"},
    {L"Azerbaijani", L"Azerbaijan"},
    {L"mk", L"Macedonian"},
    {L"th", L"Thai"},
    {L"sk", L"Slovak"},
    {L"Sloven\u010dina", L"Slovak"},
    {L"en", L"English"},
};

bool IsLanguage(std::wstring_view header) {
  const auto table = localisation::LanguageTable();
  return std::any_of(table.begin(), table.end(), [&](const localisation::LanguageRow& row) {
    return strings::EqualsIgnoreCase(row.name, header);
  });
}

// The language a header most likely means: the nearest of the names and their aliases.
std::wstring_view LikelyLanguage(std::wstring_view header) {
  std::vector<std::wstring_view> names;
  for (const localisation::LanguageRow& row : localisation::LanguageTable()) {
    names.push_back(row.name);
  }
  for (const auto& alias : kLanguageAliases) names.push_back(alias.first);
  const std::wstring nearest = NearestName(header, names);
  for (const auto& [alias, language] : kLanguageAliases) {
    if (alias == nearest) return language;
  }
  for (const localisation::LanguageRow& row : localisation::LanguageTable()) {
    if (row.name == nearest) return row.name;
  }
  return localisation::kFallbackLanguage;
}

std::optional<std::size_t> ColumnOf(const xls::Sheet& sheet, std::wstring_view header) {
  for (std::size_t i = 0; i < sheet.columns.size(); ++i) {
    if (strings::EqualsIgnoreCase(sheet.columns[i], header)) return i;
  }
  return std::nullopt;
}

bool IsDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}

constexpr std::wstring_view kKnownCodes =
    L"the codes are %P, %R1, %R2, %B1 to %B35 and four backslashes, in capitals";

// What is wrong with the "%" code at `at`, and the code as written; nothing for a known code or
// a "%" that starts no code ("100%", "% done").
std::optional<std::pair<std::wstring, std::wstring>> UnknownCode(std::wstring_view text,
                                                                 std::size_t at) {
  if (at + 1 >= text.size()) return std::nullopt;
  const wchar_t letter = text[at + 1];
  const bool isLetter = (letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z');
  if (!isLetter) return std::nullopt;
  std::size_t end = at + 2;
  while (end < text.size() && end < at + 4 && IsDigit(text[end])) ++end;
  const std::wstring code(text.substr(at, end - at));
  const std::wstring digits = code.substr(2);
  switch (letter) {
    case L'P':
      return std::nullopt;
    case L'R':
      if (digits.starts_with(L'1') || digits.starts_with(L'2')) return std::nullopt;
      break;
    case L'B': {
      const int number = digits.empty() ? 0 : std::stoi(digits);
      if (!digits.starts_with(L'0') && number >= 1 && number <= 35) return std::nullopt;
      if (number > 35) {
        return std::pair(code, L"is no code: it is read as \"" + code.substr(0, 3) +
                                   L"\" followed by \"" + code.substr(3) + L"\" (" +
                                   std::wstring(kKnownCodes) + L")");
      }
      break;
    }
    case L'p':
    case L'r':
    case L'b':
      return std::pair(code, L"is shown as written: codes are case-sensitive (" +
                                 std::wstring(kKnownCodes) + L")");
    default:
      break;
  }
  return std::pair(code, L"is no code Setup.exe knows: it is shown as written (" +
                             std::wstring(kKnownCodes) + L")");
}

}  // namespace

void CheckColumnNames(const xls::Sheet& sheet, const std::wstring& file, Findings& findings) {
  for (const std::wstring& header : sheet.columns) {
    if (header.empty() || strings::EqualsIgnoreCase(header, L"Ident") || IsLanguage(header)) {
      continue;
    }
    const std::wstring language(LikelyLanguage(header));
    findings.Warn(file, L"column " + header,
                  L"no language of Setup.exe has this name, so no user is shown this column; the "
                  L"nearest language is " +
                      language +
                      L" (whose users get the English texts unless a column is "
                      L"named \"" +
                      language + L"\")");
  }
}

void CheckEscapeCodes(const xls::Sheet& sheet, const std::vector<std::wstring>& languages,
                      const std::wstring& file, Findings& findings) {
  const std::optional<std::size_t> identColumn = ColumnOf(sheet, L"Ident");
  if (!identColumn) return;
  for (const std::wstring& language : languages) {
    const std::optional<std::size_t> column = ColumnOf(sheet, language);
    if (!column) continue;
    std::wstring section;
    const std::size_t rows = std::min(sheet.rows.size(), localisation::kTextSheetRowLimit);
    for (std::size_t r = 0; r < rows; ++r) {
      const std::wstring& identifier = sheet.rows[r][*identColumn];
      if (identifier.starts_with(L'[')) {
        section = identifier.size() < 2 ? L"" : identifier.substr(1, identifier.size() - 2);
        continue;
      }
      const std::wstring& text = sheet.rows[r][*column];
      std::set<std::wstring> reported;
      for (std::size_t at = text.find(L'%'); at != std::wstring::npos;
           at = text.find(L'%', at + 1)) {
        const auto unknown = UnknownCode(text, at);
        if (!unknown || !reported.insert(unknown->first).second) continue;
        findings.Warn(file,
                      L"column " + language + L": row " + std::to_wstring(r + 2) + L" (" + section +
                          L"/" + identifier + L")",
                      L"\"" + unknown->first + L"\" " + unknown->second);
      }
    }
  }
}

}  // namespace package_check
