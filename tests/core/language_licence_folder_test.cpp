#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/language/licence_folder.h"

namespace localisation {
namespace {

TEST(EulaLanguageCodeTest, GivesEachLicensedLanguageItsFolder) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"ChineseT", L"tw"}, {L"ChineseS", L"cn"}, {L"English", L"en"}, {L"Dutch", L"nl"},
      {L"German", L"de"},   {L"Spanish", L"es"},  {L"French", L"fr"},  {L"Italian", L"it"},
      {L"Japanese", L"jp"}, {L"Korean", L"kr"},   {L"Polish", L"pl"},  {L"Portuguese", L"pt"},
      {L"Turkish", L"tr"},  {L"Russian", L"ru"},
  };
  for (const auto& [language, code] : cases) {
    EXPECT_EQ(EulaLanguageCode(language), code) << language;
  }
}

TEST(EulaLanguageCodeTest, GivesEnglishToEveryOtherName) {
  for (const wchar_t* language : {L"Czech", L"Thai", L"german", L"German ", L"", L"tw"}) {
    EXPECT_EQ(EulaLanguageCode(language), L"en") << language;
  }
}

}  // namespace
}  // namespace localisation
