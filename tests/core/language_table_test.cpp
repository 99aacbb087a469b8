#include "core/language/language_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>

namespace localisation {
namespace {

struct NamedLanguage {
  const wchar_t* name;
  std::uint16_t code;
};

constexpr NamedLanguage kExpectedCodes[] = {
    {L"ChineseT", 1028}, {L"ChineseS", 2052},   {L"Russian", 1049},    {L"Turkish", 1055},
    {L"Italian", 1040},  {L"Spanish", 11274},   {L"Portuguese", 1046}, {L"French", 2060},
    {L"Dutch", 2067},    {L"German", 3079},     {L"Japanese", 1041},   {L"Korean", 1042},
    {L"Polish", 1045},   {L"Indonesian", 1057}, {L"Czech", 1029},      {L"Romanian", 1048},
    {L"Malay", 1086},    {L"Swedish", 1053},    {L"Vietnamese", 1066}, {L"Norwegian", 1044},
    {L"Finnish", 1035},  {L"Hungarian", 1038},  {L"Bulgarian", 1026},  {L"Greek", 1032},
    {L"Croatian", 1050}, {L"Danish", 1030},     {L"Persian", 1065},    {L"Arabic", 1025},
    {L"Estonian", 1061}, {L"Azerbaijan", 1068}, {L"Macedonian", 1071}, {L"Thai", 1054},
    {L"Slovak", 1051},   {L"English", 1033},
};

TEST(LanguageTableTest, HasThirtyFourDistinctNamesWithEnglishLast) {
  std::set<std::wstring_view> names;
  for (const LanguageRow& row : LanguageTable()) names.insert(row.name);
  EXPECT_EQ(names.size(), 34u);
  EXPECT_EQ(LanguageTable().size(), 34u);
  EXPECT_EQ(LanguageTable().back().name, L"English");
}

TEST(LanguageTableTest, EveryNameHasItsCodeAndTheCodeSelectsTheNameAgain) {
  for (const NamedLanguage& language : kExpectedCodes) {
    SCOPED_TRACE(testing::Message() << language.name);
    EXPECT_EQ(LanguageCodeFor(language.name), language.code);
    EXPECT_EQ(LanguageNameForId(language.code), language.name);
    EXPECT_EQ(LanguageColumnForId(language.code), language.name);
  }
}

TEST(LanguageCodeForTest, ComparesNamesExactly) {
  const wchar_t* const unknown[] = {L"german", L"German ", L" German", L"GERMAN",
                                    L"",       L"Deutsch", L"English"};
  for (const wchar_t* name : unknown) {
    SCOPED_TRACE(testing::Message() << "'" << name << "'");
    EXPECT_EQ(LanguageCodeFor(name), 1033);
  }
}

struct Selection {
  std::uint16_t langId;
  const wchar_t* name;
};

TEST(LanguageNameForIdTest, MapsListedIdentifiersAndRanges) {
  const Selection cases[] = {
      {0x0404, L"ChineseT"},   {0x0C04, L"ChineseT"}, {0x1004, L"ChineseT"},
      {0x1404, L"English"},    {0x0804, L"ChineseS"}, {0x0810, L"Italian"},
      {0x0816, L"Portuguese"}, {0x0413, L"Dutch"},    {0x0818, L"Romanian"},
      {0x083E, L"Malay"},      {0x081D, L"Swedish"},  {0x0814, L"Norwegian"},
      {0x082C, L"Azerbaijan"}, {0x040A, L"English"},  {0x080A, L"Spanish"},
      {0x0C0A, L"Spanish"},    {0x500A, L"Spanish"},  {0x540A, L"English"},
      {0x000A, L"English"},    {0x040C, L"French"},   {0x180C, L"French"},
      {0x1C0C, L"English"},    {0x000C, L"English"},  {0x0407, L"German"},
      {0x1407, L"German"},     {0x1807, L"English"},  {0x0007, L"English"},
      {0x0401, L"Arabic"},     {0x4001, L"Arabic"},   {0x4401, L"English"},
      {0x0001, L"English"},    {0x0409, L"English"},  {0x0809, L"English"},
      {0x0000, L"English"},    {0xFFFF, L"English"},  {0x0416 | 0x8000, L"English"},
  };
  for (const Selection& c : cases) {
    SCOPED_TRACE(testing::Message() << "0x" << std::hex << c.langId);
    EXPECT_EQ(LanguageNameForId(c.langId), c.name);
  }
}

// Counting over every possible identifier catches ranges that reach too far or an identifier
// that selects two languages.
TEST(LanguageNameForIdTest, EachLanguageIsSelectedByExactlyItsIdentifiers) {
  std::map<std::wstring, int> selections;
  for (std::uint32_t langId = 0; langId <= 0xFFFF; ++langId) {
    ++selections[LanguageNameForId(static_cast<std::uint16_t>(langId))];
  }
  const std::map<std::wstring, int> expected = {
      {L"ChineseT", 3}, {L"ChineseS", 1},         {L"Russian", 1},    {L"Turkish", 1},
      {L"Italian", 2},  {L"Spanish", 19},         {L"Portuguese", 2}, {L"French", 6},
      {L"Dutch", 2},    {L"German", 5},           {L"Japanese", 1},   {L"Korean", 1},
      {L"Polish", 1},   {L"Indonesian", 1},       {L"Czech", 1},      {L"Romanian", 2},
      {L"Malay", 2},    {L"Swedish", 2},          {L"Vietnamese", 1}, {L"Norwegian", 2},
      {L"Finnish", 1},  {L"Hungarian", 1},        {L"Bulgarian", 1},  {L"Greek", 1},
      {L"Croatian", 1}, {L"Danish", 1},           {L"Persian", 1},    {L"Arabic", 16},
      {L"Estonian", 1}, {L"Azerbaijan", 2},       {L"Macedonian", 1}, {L"Thai", 1},
      {L"Slovak", 1},   {L"English", 65536 - 85},
  };
  EXPECT_EQ(selections, expected);
}

}  // namespace
}  // namespace localisation
