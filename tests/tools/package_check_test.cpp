// The checker passes the sample package and names each defect seeded into a copy of it.
#include "tools/package_check/package_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "core/strings/utf_string_conversions.h"

namespace {

namespace fs = std::filesystem;

const fs::path kTestData = PACKAGE_TOOLS_TESTDATA;
const fs::path kProgram = fs::path("program files") / "Kestra Capture";

// Each finding as "defect: ..." or "warning: ...", so that a row can name the severity too.
std::vector<std::string> FindingLines(const package_check::Findings& findings) {
  std::vector<std::string> lines;
  for (const auto& finding : findings.Defects()) {
    lines.push_back("defect: " + strings::WideToUtf8(package_check::FindingText(finding)));
  }
  for (const auto& finding : findings.Warnings()) {
    lines.push_back(strings::WideToUtf8(package_check::WarningText(finding)));
  }
  return lines;
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ReplaceInFile(const fs::path& path, const std::string& from, const std::string& to) {
  std::string text = ReadFile(path);
  const auto at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
  WriteFile(path, text);
}

std::string Little32(std::uint32_t value) {
  std::string bytes;
  for (int i = 0; i < 4; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xFF);
  return bytes;
}

// The first bytes of a BMP or a PNG of the given size: as far as the checker reads them.
std::string BmpStart(std::uint32_t width, std::uint32_t height) {
  return "BM" + std::string(12, '\0') + Little32(40) + Little32(width) + Little32(height) +
         std::string(32, '\0');
}
std::string PngStart(std::uint32_t width, std::uint32_t height) {
  std::string big;
  for (const std::uint32_t value : {width, height}) {
    for (int i = 3; i >= 0; --i) big += static_cast<char>(value >> (8 * i) & 0xFF);
  }
  return std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) + big + std::string(5, '\0');
}

void UseWorkbook(const fs::path& package, const std::string& name) {
  fs::copy_file(kTestData / "workbooks" / name, package / "Texts" / "InstallWizard_Texts.xls",
                fs::copy_options::overwrite_existing);
}

struct Defect {
  std::string name;
  std::function<void(const fs::path& package)> seed;
  // Every piece must appear in one finding's line.
  std::vector<std::string> named;
};

std::ostream& operator<<(std::ostream& out, const Defect& defect) {
  return out << defect.name;
}

const Defect kDefects[] = {
    {"SetupIniMissing",
     [](const fs::path& p) { fs::remove(p / "Setup.ini"); },
     {"Setup.ini: missing"}},
    {"PublisherMissing",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "%PUBLISHER=Kestra Software\r\n", "");
     },
     {"Setup.ini: key %PUBLISHER: missing", "MSG_101"}},
    {"ProgramExecEmpty",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "%PROGRAM_EXEC=KestraCapture.exe", "%PROGRAM_EXEC=");
     },
     {"Setup.ini: key %PROGRAM_EXEC: empty"}},
    {"VersionMissing",
     [](const fs::path& p) { ReplaceInFile(p / "Setup.ini", "%PROGRAM_VERSION=2.1.0\r\n", ""); },
     {"key %PROGRAM_VERSION: missing"}},
    {"UnknownBackupFolder",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "CSIDL_COMMON_TEMPLATES", "CSIDL_COMMON_TEMPLATE");
     },
     {"key %INSTALL_BACKUP_DIR", "\"CSIDL_COMMON_TEMPLATE\" is not the name of a special folder"}},
    {"DataFolderWithoutSeparator",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "%PROGRAM_DATA=Data\\", "%PROGRAM_DATA=Data");
     },
     {"key %PROGRAM_DATA", "must end in \"\\\""}},
    {"ManualFolderWithoutSeparator",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "%MANUAL_DIR=Manual\\", "%MANUAL_DIR=Manual");
     },
     {"key %MANUAL_DIR", "must end in \"\\\""}},
    {"UpdaterFolderClimbing",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "%UPDATER_DIR=Kestra Updater", "%UPDATER_DIR=..");
     },
     {"Setup.ini: key %UPDATER_DIR", "must not be \".\" or \"..\"", "MSG_101"}},
    {"ManualMissingForALanguage",
     [](const fs::path& p) { fs::remove(p / kProgram / "Manual" / "Japanese.pdf"); },
     {"program files\\Kestra Capture\\Manual\\Japanese.pdf: missing", "%MANULA_EXIST"}},
    {"NoWorkbook",
     [](const fs::path& p) { fs::remove(p / "Texts" / "InstallWizard_Texts.xls"); },
     {"no workbook whose name begins with \"InstallWizard\"", "XLS File Not Found"}},
    {"WorkbookWithAnotherPrefix",
     [](const fs::path& p) {
       fs::rename(p / "Texts" / "InstallWizard_Texts.xls", p / "Texts" / "installwizard_texts.xls");
     },
     {"no workbook whose name begins with \"InstallWizard\""}},
    {"UnreadableWorkbook",
     [](const fs::path& p) {
       WriteFile(p / "Texts" / "InstallWizard_Texts.xls", "not a workbook");
     },
     {"Texts\\InstallWizard_Texts.xls: unreadable", "not an Excel 97-2003 workbook"}},
    {"NoInstallSheet",
     [](const fs::path& p) { UseWorkbook(p, "other_sheet.xls"); },
     {"unreadable", "no sheet \"Install\""}},
    {"NoEnglishColumn",
     [](const fs::path& p) { UseWorkbook(p, "no_english.xls"); },
     {"sheet Install: no column \"English\""}},
    {"TooManyRows",
     [](const fs::path& p) { UseWorkbook(p, "too_many_rows.xls"); },
     {"row 1003", "reads only the first 1,001"}},
    {"IdentifierMissingEverywhere",
     [](const fs::path& p) { UseWorkbook(p, "no_create_links.xls"); },
     {"column English", "texts missing", "InstallWizard/CreateLinks"}},
    {"TextsMissingInOneLanguage",
     [](const fs::path& p) { UseWorkbook(p, "language_holes.xls"); },
     {"column French: texts missing", "InstallWizard/MSG_102",
      "InstallWizard/bt_Next->Caption (FWelcome)"}},
    {"TextEmptyInOneLanguage",
     [](const fs::path& p) { UseWorkbook(p, "language_holes.xls"); },
     {"column German: texts empty", "InstallWizard/ProductName"}},
    {"MappingLoop",
     [](const fs::path& p) { UseWorkbook(p, "mapping_loop.xls"); },
     {"\"%Mapping%\" rows form a loop", "Loop1 -> Loop2 -> Loop1"}},
    {"PictureMissing",
     [](const fs::path& p) { fs::remove(p / "German" / "Title.bmp"); },
     {"warning: German\\Title.bmp: missing", "English picture (English\\Title.bmp)"}},
    {"EnglishPicturesMissing",
     [](const fs::path& p) {
       fs::remove(p / "English" / "Left.bmp");
       fs::remove(p / "Russian" / "Left.bmp");
     },
     {"Russian\\Left.bmp: missing, and no English picture"}},
    {"LicenceMissing",
     [](const fs::path& p) { fs::remove(p / "EULA" / "fr" / "Service.rtf"); },
     {"warning: EULA\\fr\\Service.rtf: missing", "French users the English licence"}},
    {"LicenceMissingWithoutEnglish",
     [](const fs::path& p) {
       fs::remove(p / "EULA" / "fr" / "Service.rtf");
       fs::remove(p / "EULA" / "en" / "Service.rtf");
     },
     {"defect: EULA\\fr\\Service.rtf: missing", "French users no licence"}},
    // Typos that Setup.exe reads past without a word, each named with what was likely meant.
    {"KeyMisspeltManulaExist",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "%MANULA_EXIST=1", "%MANUAL_EXIST=1");
     },
     {"warning: Setup.ini: key %MANUAL_EXIST: unknown", "nearest key it knows is %MANULA_EXIST"}},
    {"KeyMisspeltOnBoot",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "%PROGRAM_ONBOOT=", "%PROGRAM_ONBOT=");
     },
     {"warning: Setup.ini: key %PROGRAM_ONBOT: unknown",
      "nearest key it knows is %PROGRAM_ONBOOT"}},
    {"KeyMisspeltFormCaption",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "%PROGRAM_FORMCAPTION=", "%PROGRAM_FORMCAPTON=");
     },
     {"warning: Setup.ini: key %PROGRAM_FORMCAPTON: unknown",
      "nearest key it knows is %PROGRAM_FORMCAPTION"}},
    {"LanguageColumnInItsOwnLanguage",
     [](const fs::path& p) { UseWorkbook(p, "column_deutsch.xls"); },
     {"warning: Texts\\InstallWizard_Texts.xls: column Deutsch: no language",
      "the nearest language is German"}},
    {"LanguageColumnAsCode",
     [](const fs::path& p) { UseWorkbook(p, "column_de.xls"); },
     {"warning: Texts\\InstallWizard_Texts.xls: column de: no language",
      "the nearest language is German"}},
    {"VersionNotDottedNumbers",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "%PROGRAM_VERSION=2.1.0", "%PROGRAM_VERSION=v1.0 beta");
     },
     {"warning: Setup.ini: key %PROGRAM_VERSION: \"v1.0 beta\" is not dotted numbers",
      "compares versions as text"}},
    {"VersionWhoseNextComparesLower",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "%PROGRAM_VERSION=2.1.0", "%PROGRAM_VERSION=1.9");
     },
     {"warning: Setup.ini: key %PROGRAM_VERSION: \"1.9\" -> \"1.10\"", "refused as a downgrade",
      "(\"1.09\")"}},
    {"PngDataInABmpFile",
     [](const fs::path& p) { WriteFile(p / "German" / "Title.bmp", PngStart(554, 65)); },
     {"warning: German\\Title.bmp: holds a PNG picture", "a .png twin"}},
    {"TitlePictureOfTheWrongSize",
     [](const fs::path& p) { WriteFile(p / "German" / "Title.bmp", BmpStart(100, 100)); },
     {"warning: German\\Title.bmp: is 100x100 pixels; the page has room for 554x65"}},
    {"SidePictureOfTheWrongSize",
     [](const fs::path& p) { WriteFile(p / "English" / "Left.bmp", BmpStart(185, 300)); },
     {"warning: English\\Left.bmp: is 185x300 pixels; the page has room for 185x318"}},
    {"PictureThatIsNoPicture",
     [](const fs::path& p) { WriteFile(p / "Russian" / "Left.bmp", "plain text"); },
     {"defect: Russian\\Left.bmp: neither a BMP nor a PNG picture"}},
    {"IconThatIsNoIcon",
     [](const fs::path& p) { WriteFile(p / "English" / "Application.ico", BmpStart(32, 32)); },
     {"defect: English\\Application.ico: not an icon (.ico)"}},
    {"ShortcutIconThatIsNoIcon",
     [](const fs::path& p) { WriteFile(p / kProgram / "Icons" / "Uninstall.ico", "text"); },
     {"defect: program files\\Kestra Capture\\Icons\\Uninstall.ico: not an icon", "%UNINST_ICO"}},
    {"UnknownCode",
     [](const fs::path& p) { UseWorkbook(p, "unknown_codes.xls"); },
     {"warning: Texts\\InstallWizard_Texts.xls: column German: row 6 "
      "(InstallWizard/lb_PrepareProc->Caption)",
      "\"%Q\" is no code Setup.exe knows"}},
    {"CodeInLowerCase",
     [](const fs::path& p) { UseWorkbook(p, "unknown_codes.xls"); },
     {"warning: Texts\\InstallWizard_Texts.xls: column French", "\"%b5\" is shown as written",
      "case-sensitive"}},
    {"CodeBeyondTheBlankRuns",
     [](const fs::path& p) { UseWorkbook(p, "unknown_codes.xls"); },
     {"column English", "\"%B36\" is no code: it is read as \"%B3\" followed by \"6\""}},
    {"LicenceNotRichText",
     [](const fs::path& p) { WriteFile(p / "EULA" / "ru" / "Service.rtf", "plain text"); },
     {"EULA\\ru\\Service.rtf: not rich text"}},
    {"ProgramFolderMissing",
     [](const fs::path& p) {
       ReplaceInFile(p / "Setup.ini", "%PROGRAM_FILES=Kestra Capture\r\n",
                     "%PROGRAM_FILES=Kestra Capturer\r\n");
     },
     {"program files\\Kestra Capturer\\: missing", "%PROGRAM_FILES"}},
    {"OldProgramFolderMissing",
     [](const fs::path& p) { fs::remove_all(p / "program files" / "Kestra Capture 1"); },
     {"program files\\Kestra Capture 1\\: missing", "%PROGRAM_FILES_OLD"}},
    {"ProgramMissing",
     [](const fs::path& p) { fs::remove(p / kProgram / "KestraCapture.exe"); },
     {"program files\\Kestra Capture\\KestraCapture.exe: missing", "%PROGRAM_EXEC"}},
    {"LauncherMissing",
     [](const fs::path& p) { fs::remove(p / kProgram / "DeskRelay.exe"); },
     {"program files\\Kestra Capture\\DeskRelay.exe: missing"}},
    {"UpdaterMissing",
     [](const fs::path& p) {
       fs::remove(p / "program files" / "Kestra Updater" / "KestraUpdater.exe");
     },
     {"Kestra Updater\\KestraUpdater.exe: missing", "UpdaterName"}},
    {"FileListMissing",
     [](const fs::path& p) { fs::remove(p / kProgram / "Application_FileList.txt"); },
     {"Kestra Capture\\Application_FileList.txt: missing"}},
    {"FileListStaleValue",
     [](const fs::path& p) { WriteFile(p / kProgram / "ReadMe.txt", "changed after the list"); },
     {"Application_FileList.txt: stale", "values that do not match the files: ReadMe.txt"}},
    {"FileListMissesAFile",
     [](const fs::path& p) { WriteFile(p / kProgram / "Plugins" / "Extra.kpl", "new"); },
     {"Application_FileList.txt: stale", "files not listed: Plugins\\Extra.kpl"}},
    {"FileListNamesAGoneFile",
     [](const fs::path& p) { fs::remove(p / kProgram / "ScriptsMacros" / "Crop margins.kmc"); },
     {"listed files that do not exist: ScriptsMacros\\Crop margins.kmc"}},
    {"FileListLeavesTheFolder",
     [](const fs::path& p) {
       std::ofstream(p / kProgram / "Application_FileList.txt", std::ios::binary | std::ios::app)
           << "..\\..\\Windows\\evil.dll=0\r\n";
     },
     {"names that leave the program folder: ..\\..\\Windows\\evil.dll"}},
};

class PackageCheck : public testing::Test {
 protected:
  void SetUp() override {
    copy_ = fs::temp_directory_path() /
            ("package_check_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + std::to_string(counter_++));
    fs::remove_all(copy_);
    fs::copy(kTestData / "sample-package", copy_, fs::copy_options::recursive);
  }
  void TearDown() override { fs::remove_all(copy_); }

  fs::path copy_;
  static inline int counter_ = 0;
};

TEST_F(PackageCheck, TheSamplePasses) {
  const auto findings = package_check::CheckPackage(kTestData / "sample-package");
  EXPECT_TRUE(FindingLines(findings).empty()) << testing::PrintToString(FindingLines(findings));
}

TEST_F(PackageCheck, FindsNothingInAnUntouchedCopy) {
  EXPECT_TRUE(FindingLines(package_check::CheckPackage(copy_)).empty());
}

// Setup.exe matches column headers without regard to letter case: "german" is German's column.
TEST_F(PackageCheck, ALanguageColumnInOtherLetterCaseIsRead) {
  UseWorkbook(copy_, "column_german_lower_case.xls");
  EXPECT_TRUE(FindingLines(package_check::CheckPackage(copy_)).empty())
      << testing::PrintToString(FindingLines(package_check::CheckPackage(copy_)));
}

TEST_F(PackageCheck, AWorkbookWithoutATextBuiltIntoSetupIsWarnedAboutNotRefused) {
  UseWorkbook(copy_, "no_built_in_texts.xls");
  const package_check::Findings findings = package_check::CheckPackage(copy_);
  EXPECT_FALSE(findings.HasDefects()) << testing::PrintToString(FindingLines(findings));
  ASSERT_FALSE(findings.Warnings().empty());
  const std::string warning = strings::WideToUtf8(FindingText(findings.Warnings().front()));
  EXPECT_NE(warning.find("column English: texts missing, shown in Setup.exe's built-in English: "
                         "InstallWizard/MSG_401"),
            std::string::npos)
      << warning;
}

class SeededDefect : public PackageCheck, public testing::WithParamInterface<Defect> {};

TEST_P(SeededDefect, IsNamed) {
  GetParam().seed(copy_);
  const std::vector<std::string> lines = FindingLines(package_check::CheckPackage(copy_));
  const bool named = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return std::all_of(
        GetParam().named.begin(), GetParam().named.end(),
        [&](const std::string& piece) { return line.find(piece) != std::string::npos; });
  });
  EXPECT_TRUE(named) << "expected " << testing::PrintToString(GetParam().named) << " in one of "
                     << testing::PrintToString(lines);
}

INSTANTIATE_TEST_SUITE_P(Package, SeededDefect, testing::ValuesIn(kDefects),
                         [](const testing::TestParamInfo<Defect>& info) {
                           return info.param.name;
                         });

}  // namespace
