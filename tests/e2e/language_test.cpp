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
  bool mirrored = false;  // Arabic and Persian: the windows are laid out right to left
};

const LanguageCase kCases[] = {
    {"German", 0x0407, L"Setup wird vorbereitet", L"Abbrechen"},
    {"ChineseT", 0x0404, L"\u6E96\u5099\u5B89\u88DD", L"\u53D6\u6D88"},
    // No Spanish column in the workbook: English.
    {"SpanishFallsBackToEnglish", 0x0C0A, L"Preparing Setup", L"Cancel"},
    {"Arabic", 0x0401,
     L"\u062C\u0627\u0631\u064D \u062A\u062D\u0636\u064A\u0631 "
     L"\u0627\u0644\u0625\u0639\u062F\u0627\u062F",
     L"\u0625\u0644\u063A\u0627\u0621", true},
    {"Persian", 0x0429,
     L"\u062F\u0631 \u062D\u0627\u0644 "
     L"\u0622\u0645\u0627\u062F\u0647\u200C\u0633\u0627\u0632\u06CC \u0646\u0635\u0628",
     L"\u0644\u063A\u0648", true},
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
  const bool mirrored = (::GetWindowLongPtrW(prepare->handle, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
  EXPECT_EQ(mirrored, language.mirrored);
  ASSERT_TRUE(driver::AnswerMessageBox(*box, IDOK)) << "its button is named in the system language";
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Locales, Language, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
