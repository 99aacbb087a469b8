#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/text/workbook_choice.h"

namespace localisation {
namespace {

struct Choice {
  std::vector<std::wstring> names;
  std::wstring prefix;
  std::optional<std::wstring> chosen;
};

TEST(FirstNameWithPrefixTest, TakesTheFirstNameThatBeginsWithThePrefixExactly) {
  const Choice cases[] = {
      {{L"InstallWizard_Texts.xls"}, L"InstallWizard", L"InstallWizard_Texts.xls"},
      {{L"installwizard_texts.xls"}, L"InstallWizard", std::nullopt},
      {{L"Other.xls", L"InstallWizard2.xls", L"InstallWizard1.xls"},
       L"InstallWizard",
       L"InstallWizard2.xls"},
      {{L"Install.xls"}, L"InstallWizard", std::nullopt},
      {{L"InstallWizard"}, L"InstallWizard", L"InstallWizard"},
      {{L"Any.xls", L"InstallWizard.xls"}, L"", L"Any.xls"},
      {{}, L"", std::nullopt},
      {{}, L"InstallWizard", std::nullopt},
  };
  for (const Choice& c : cases) {
    SCOPED_TRACE(testing::Message() << c.names.size() << " names, prefix " << c.prefix);
    EXPECT_EQ(FirstNameWithPrefix(c.names, c.prefix), c.chosen);
  }
}

}  // namespace
}  // namespace localisation
