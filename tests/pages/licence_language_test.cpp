// The licence page shows the licence of the run's language: EULA\<code>\Service.rtf by the
// licence-folder code of the language, the English one ("en") when that folder has none, and a
// file that is not rich text read as UTF-16 little-endian text.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "main/create_forms.h"
#include "pages/eula_page.h"
#include "tests/pages/built_pages.h"
#include "tests/pages/licence_files.h"
#include "winfx/application.h"

namespace {

std::string RichText(const std::string& words) {
  return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Tahoma;}}\\f0 " + words + "\\par}";
}

std::vector<std::uint8_t> Utf16(const std::wstring& text, bool byteOrderMark) {
  std::vector<std::uint8_t> bytes;
  if (byteOrderMark) bytes = {0xFF, 0xFE};
  for (wchar_t unit : text) {
    bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
  }
  return bytes;
}

// The text the licence page shows, without the end of its last paragraph.
std::wstring ShownLicence() {
  HWND editor = FEULA->Control(L"re_EULA").Handle;
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(editor)) + 1, L'\0');
  text.resize(
      static_cast<size_t>(::GetWindowTextW(editor, text.data(), static_cast<int>(text.size()))));
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
  return text;
}

class LicenceLanguageTest : public testing::Test {
 protected:
  void ShowLicenceFor(const wchar_t* language) {
    // The licence page loads its text when it is first shown.
    testing_support::BuildPages(L"C:\\licence-language-test\\Setup.ini", language);
    FEULA->Show();
  }
  void TearDown() override { winfx::Application.DestroyForms(); }

  testing_support::LicenceFiles licences_;
};

struct FolderCase {
  const char* name;
  const wchar_t* language;
  std::vector<const wchar_t*> folders;  // each holds a licence reading "Licence <folder>"
  const wchar_t* shown;                 // the folder whose licence is shown; nullptr: none
};

class LicenceFolder : public LicenceLanguageTest, public testing::WithParamInterface<FolderCase> {};

TEST_P(LicenceFolder, ShowsTheLicenceOfTheLanguagesFolder) {
  for (const wchar_t* folder : GetParam().folders) {
    const std::wstring wide(folder);
    licences_.Write(folder, RichText("Licence " + std::string(wide.begin(), wide.end())));
  }
  ShowLicenceFor(GetParam().language);
  EXPECT_EQ(ShownLicence(),
            GetParam().shown == nullptr ? L"" : std::wstring(L"Licence ") + GetParam().shown);
}

const FolderCase kFolderCases[] = {
    {"ChineseT", L"ChineseT", {L"tw", L"cn", L"en"}, L"tw"},
    {"ChineseS", L"ChineseS", {L"tw", L"cn", L"en"}, L"cn"},
    {"German", L"German", {L"de", L"en", L"nl"}, L"de"},
    {"Japanese", L"Japanese", {L"jp", L"ja", L"en"}, L"jp"},
    {"Korean", L"Korean", {L"kr", L"ko", L"en"}, L"kr"},
    {"Portuguese", L"Portuguese", {L"pt", L"en"}, L"pt"},
    {"English", L"English", {L"en", L"de"}, L"en"},
    {"ChineseTWithoutItsFolderFallsBackToEnglish", L"ChineseT", {L"en", L"cn"}, L"en"},
    {"RussianWithoutItsFolderFallsBackToEnglish", L"Russian", {L"en"}, L"en"},
    {"ThaiIsNotInTheTable", L"Thai", {L"th", L"en"}, L"en"},
    {"NamesAreCaseSensitive", L"german", {L"de", L"en"}, L"en"},
    {"NoLicenceAtAllLeavesTheTextEmpty", L"French", {L"de"}, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Languages, LicenceFolder, testing::ValuesIn(kFolderCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct PlainTextCase {
  const char* name;
  bool byteOrderMark;
};

class LicencePlainText : public LicenceLanguageTest,
                         public testing::WithParamInterface<PlainTextCase> {};

TEST_P(LicencePlainText, IsReadAsUtf16LittleEndian) {
  const std::wstring text =
      L"\u041B\u0438\u0446\u0435\u043D\u0437\u0438\u044F Kestra \u6388\u6B0A\u5408\u7D04";
  licences_.Write(L"ru", Utf16(text, GetParam().byteOrderMark));
  ShowLicenceFor(L"Russian");
  EXPECT_EQ(ShownLicence(), text);
}

const PlainTextCase kPlainTextCases[] = {{"WithByteOrderMark", true},
                                         {"WithoutByteOrderMark", false}};

INSTANTIATE_TEST_SUITE_P(Encodings, LicencePlainText, testing::ValuesIn(kPlainTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
