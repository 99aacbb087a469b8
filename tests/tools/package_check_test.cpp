// The checker passes the sample package and names each defect seeded into a copy of it.
#include "tools/package_check/package_check.h"

#include <gtest/gtest.h>

#include <algorithm>
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

std::vector<std::string> FindingLines(const package_check::Findings& findings) {
  std::vector<std::string> lines;
  for (const auto& finding : findings.All()) {
    lines.push_back(strings::WideToUtf8(package_check::FindingText(finding)));
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
     {"German\\Title.bmp: missing", "English picture"}},
    {"EnglishPicturesMissing",
     [](const fs::path& p) {
       fs::remove(p / "English" / "Left.bmp");
       fs::remove(p / "Russian" / "Left.bmp");
     },
     {"Russian\\Left.bmp: missing, and no English picture"}},
    {"LicenceMissing",
     [](const fs::path& p) { fs::remove(p / "EULA" / "fr" / "Service.rtf"); },
     {"EULA\\fr\\Service.rtf: missing", "French"}},
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
  EXPECT_TRUE(findings.Empty()) << testing::PrintToString(FindingLines(findings));
}

TEST_F(PackageCheck, FindsNothingInAnUntouchedCopy) {
  EXPECT_TRUE(package_check::CheckPackage(copy_).Empty());
}

TEST_F(PackageCheck, AWorkbookWithoutATextBuiltIntoSetupIsWarnedAboutNotRefused) {
  UseWorkbook(copy_, "no_built_in_texts.xls");
  const package_check::Findings findings = package_check::CheckPackage(copy_);
  EXPECT_TRUE(findings.Empty()) << testing::PrintToString(FindingLines(findings));
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
