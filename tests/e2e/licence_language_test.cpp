// Setup.exe shows the licence of the system's language: EULA\<code>\Service.rtf by the language's
// licence-folder code, or the English one ("en") when that folder has none. Each case runs in a
// prefix started with its locale (the test entries of the language runs name the language
// identifier in SETUP_E2E_SYSTEM_LANGID); cases of other locales are skipped.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/e2e/test_package.h"
#include "tests/e2e/wizard_walk.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;

struct LicenceCase {
  const char* name;
  LANGID systemLanguage;
  std::vector<const char*> folders;  // each holds a licence reading "Licence <folder>"
  const wchar_t* shown;
};

const LicenceCase kCases[] = {
    {"GermanShowsDe", 0x0407, {"de", "en", "nl"}, L"Licence de"},
    {"ChineseTShowsTw", 0x0404, {"tw", "cn", "en"}, L"Licence tw"},
    {"ChineseTWithoutItsFolderShowsEn", 0x0404, {"cn", "en"}, L"Licence en"},
    // The language is "Spanish" even though the workbook has no Spanish texts.
    {"SpanishShowsEs", 0x0C0A, {"es", "en"}, L"Licence es"},
    {"SpanishWithoutItsFolderShowsEn", 0x0C0A, {"de", "en"}, L"Licence en"},
};

class LicenceLanguage : public testing::TestWithParam<LicenceCase> {};

TEST_P(LicenceLanguage, ShowsTheLicenceOfTheSystemLanguage) {
  const char* expected = std::getenv("SETUP_E2E_SYSTEM_LANGID");
  if (expected == nullptr) GTEST_SKIP() << "run by the test entries that set the locale";
  const LicenceCase& c = GetParam();
  if (std::strtoul(expected, nullptr, 0) != c.systemLanguage) GTEST_SKIP();
  ASSERT_EQ(::GetSystemDefaultLangID(), c.systemLanguage) << "the locale did not take";

  e2e::TestPackage package(L"licence-" + std::wstring(c.name, c.name + strlen(c.name)));
  package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=Kestra\r\n%PROGRAM_VERSION=2.0\r\n"
                    "%PUBLISHER=Kestra Software\r\n%REG_FODLER_PROGNAME=KestraCapture\r\n");
  for (const char* folder : c.folders) {
    const std::string code(folder);
    package.WriteText(
        L"EULA\\" + std::wstring(code.begin(), code.end()) + L"\\Service.rtf",
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Tahoma;}}\\f0 Licence " + code + "\\par}");
  }
  driver::Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());

  const auto welcome = driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFWelcome", 60s);
  ASSERT_TRUE(welcome.has_value());
  // Next, the welcome page's first button (its caption is in the run's language).
  HWND next = nullptr;
  for (const auto& child : driver::ChildWindows(welcome->handle)) {
    if (child.className == L"Button") {
      next = child.handle;
      break;
    }
  }
  ASSERT_NE(next, nullptr);
  driver::Click(next);
  const auto licence = driver::WaitForVisibleWindowOfClass(setup.Id(), L"TFEULA", 60s);
  ASSERT_TRUE(licence.has_value());
  HWND editor = e2e::RichEditOf(licence->handle);
  ASSERT_NE(editor, nullptr);
  std::wstring text = driver::WindowText(editor);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
  EXPECT_EQ(text, c.shown);

  driver::CloseWindow(licence->handle);  // the close box ends the run
  EXPECT_EQ(setup.WaitForExit(30s), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Locales, LicenceLanguage, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
