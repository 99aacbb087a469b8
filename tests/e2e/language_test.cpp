// The language of the run follows the system's locale: its column of the text workbook, or
// English when the workbook has none. Each case runs in a prefix started with that locale; the
// test entry names the language identifier it expects in SETUP_E2E_SYSTEM_LANGID.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/e2e/test_package.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;

struct LanguageCase {
  const char* name;
  LANGID systemLanguage;
  const wchar_t* prepareTitle;
  const wchar_t* cancelCaption;
};

const LanguageCase kCases[] = {
    {"German", 0x0407, L"Setup wird vorbereitet", L"Abbrechen"},
    {"ChineseT", 0x0404, L"\u6E96\u5099\u5B89\u88DD", L"\u53D6\u6D88"},
    // No Spanish column in the workbook: English.
    {"SpanishFallsBackToEnglish", 0x0C0A, L"Preparing Setup", L"Cancel"},
};

class Language : public testing::TestWithParam<LanguageCase> {};

TEST_P(Language, PreparationWindowSpeaksTheSystemLanguage) {
  const char* expected = std::getenv("SETUP_E2E_SYSTEM_LANGID");
  if (expected == nullptr) GTEST_SKIP() << "run by the test entries that set the locale";
  const LanguageCase& language = GetParam();
  if (std::strtoul(expected, nullptr, 0) != language.systemLanguage) GTEST_SKIP();
  ASSERT_EQ(::GetSystemDefaultLangID(), language.systemLanguage) << "the locale did not take";

  e2e::TestPackage package(std::wstring(L"language-") + std::to_wstring(language.systemLanguage));
  package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  driver::Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
  // Without Setup.ini the run is refused before any page; the preparation window exists by then.
  const auto box = driver::WaitForMessageBox(setup.Id(), 60s);
  ASSERT_TRUE(box.has_value());
  const auto prepare = driver::WaitForWindow(
      setup.Id(), [](const driver::WindowInfo& w) { return w.className == L"TFPrepare"; }, 0ms);
  ASSERT_TRUE(prepare.has_value());
  EXPECT_EQ(prepare->title, language.prepareTitle);
  EXPECT_NE(driver::FindChildByText(prepare->handle, language.cancelCaption), nullptr);
  ASSERT_TRUE(driver::AnswerMessageBox(*box, IDOK)) << "its button is named in the system language";
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Locales, Language, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
