// The licence text is shown in Tahoma with the Chinese Big5 character set, whatever the language
// and whether the licence is rich text or plain text.
#include <gtest/gtest.h>
#include <richedit.h>
#include <windows.h>

#include <string>

#include "main/create_forms.h"
#include "pages/eula_page.h"
#include "tests/pages/built_pages.h"
#include "tests/pages/licence_files.h"
#include "winfx/application.h"

namespace {

struct FontCase {
  const char* name;
  const wchar_t* language;
  std::string licence;  // empty: no licence file
  bool plainText;
};

class LicenceFont : public testing::TestWithParam<FontCase> {
 protected:
  void TearDown() override { winfx::Application.DestroyForms(); }
  testing_support::LicenceFiles licences_;
};

TEST_P(LicenceFont, IsTahomaWithTheBig5CharacterSet) {
  if (!GetParam().licence.empty()) licences_.Write(L"en", GetParam().licence);
  testing_support::BuildPages(L"C:\\licence-font-test\\Setup.ini", GetParam().language);
  FEULA->Show();
  HWND editor = FEULA->Control(L"re_EULA").Handle;

  // The rich-edit control's default character format, which text without a font of its own
  // (all plain text) is shown in.
  CHARFORMAT2W format{};
  format.cbSize = sizeof(format);
  ::SendMessageW(editor, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
  EXPECT_EQ(format.bCharSet, CHINESEBIG5_CHARSET);
  EXPECT_EQ(std::wstring(format.szFaceName), L"Tahoma");
  EXPECT_EQ(format.yHeight, 165) << "11 pixels at 96 dpi in twips";
  if (GetParam().plainText) {
    ::SendMessageW(editor, EM_SETSEL, 0, -1);
    CHARFORMAT2W shown{};
    shown.cbSize = sizeof(shown);
    ::SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown.bCharSet, CHINESEBIG5_CHARSET);
    EXPECT_EQ(std::wstring(shown.szFaceName), L"Tahoma");
  }
}

const FontCase kFontCases[] = {
    {"EnglishPlainText", L"English", std::string("P\0l\0a\0i\0n\0", 10), true},
    {"GermanNoLicence", L"German", "", false},
    {"ChineseTRichText", L"ChineseT", "{\\rtf1\\ansi Licence\\par}", false},
};

INSTANTIATE_TEST_SUITE_P(Languages, LicenceFont, testing::ValuesIn(kFontCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
