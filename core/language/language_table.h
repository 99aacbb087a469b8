// The 34 languages the setup program speaks, and the mappings between Windows language
// identifiers (LANGID) and language names. A name is also a spreadsheet column header and the
// name of the folder holding that language's pictures.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace localisation {

struct LanguageRow {
  std::wstring_view name;
  std::uint16_t code;  // what LanguageCodeFor gives for the name
  // Identifiers that select the name: these, plus every sub-language from subFirst to subLast
  // of `primary` when subFirst is not 0.
  std::array<std::uint16_t, 3> ids;
  std::uint16_t primary;
  std::uint16_t subFirst;
  std::uint16_t subLast;
};

inline constexpr std::wstring_view kFallbackLanguage = L"English";
inline constexpr std::uint16_t kFallbackLanguageCode = 1033;

// Every row, "English" last.
std::span<const LanguageRow> LanguageTable();

// The name that `langId` selects; identifiers that select no other name give "English".
std::wstring LanguageNameForId(std::uint16_t langId);

// The code of a name, compared exactly and case-sensitively; anything else gives 1033.
std::uint16_t LanguageCodeFor(std::wstring_view name);

// Whether the language is written right to left (Arabic, Persian): its windows are mirrored.
bool IsRightToLeftLanguage(std::wstring_view name);

// The spreadsheet column for a language code that is already resolved (not 0, which stands for
// the user's default language and has to be replaced by the caller).
std::wstring LanguageColumnForId(std::uint16_t code);

}  // namespace localisation
