// The command lines that open a folder to everybody: which ones each Windows version gets, and
// an account name that stays one argument whatever it holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "install/file_deployment.h"

namespace {

struct PermissionCase {
  const char* name;
  DWORD majorVersion;
  std::wstring everyone;
  std::vector<std::wstring> lines;
};

const std::wstring kFolder = L"C:\\Program Files\\Kestra";

class PermissionCommandLinesTest : public testing::TestWithParam<PermissionCase> {};

TEST_P(PermissionCommandLinesTest, AreTheVersionsCommandsWithTheNameQuoted) {
  const PermissionCase& c = GetParam();
  EXPECT_EQ(PermissionCommandLines(c.majorVersion, kFolder, c.everyone), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, PermissionCommandLinesTest,
    testing::Values(
        PermissionCase{
            "Vista_to_10",
            6,
            L"Everyone",
            {L"icacls.exe \"C:\\Program Files\\Kestra\" /reset /T /L",
             L"icacls.exe \"C:\\Program Files\\Kestra\" /inheritance:r /T /L",
             L"icacls.exe \"C:\\Program Files\\Kestra\" /grant \"Everyone\":(OI)(CI)F /T /L",
             L"icacls.exe \"C:\\Program Files\\Kestra\" /grant SYSTEM:(OI)(CI)F /T /L"}},
        PermissionCase{
            "NameWithBlanks",
            6,
            L"Tout le monde",
            {L"icacls.exe \"C:\\Program Files\\Kestra\" /reset /T /L",
             L"icacls.exe \"C:\\Program Files\\Kestra\" /inheritance:r /T /L",
             L"icacls.exe \"C:\\Program Files\\Kestra\" /grant \"Tout le monde\":(OI)(CI)F /T /L",
             L"icacls.exe \"C:\\Program Files\\Kestra\" /grant SYSTEM:(OI)(CI)F /T /L"}},
        PermissionCase{
            "SidForm",
            6,
            L"*S-1-1-0",
            {L"icacls.exe \"C:\\Program Files\\Kestra\" /reset /T /L",
             L"icacls.exe \"C:\\Program Files\\Kestra\" /inheritance:r /T /L",
             L"icacls.exe \"C:\\Program Files\\Kestra\" /grant \"*S-1-1-0\":(OI)(CI)F /T /L",
             L"icacls.exe \"C:\\Program Files\\Kestra\" /grant SYSTEM:(OI)(CI)F /T /L"}},
        PermissionCase{
            "Xp",
            5,
            L"Jeder",
            {L"cmd.exe /c echo y|cacls \"C:\\Program Files\\Kestra\" /G \"Jeder\":F /T"}},
        PermissionCase{"Unknown", 0, L"Everyone", {}},
        PermissionCase{"Windows98", 4, L"Everyone", {}},
        PermissionCase{"Later", 10, L"Everyone", {}}),
    [](const testing::TestParamInfo<PermissionCase>& info) { return info.param.name; });

// "C:\x\" quoted as it is would end in \" and escape its own closing quote.
TEST(PermissionCommandLines, DropTheTrailingBackslashesOfTheFolder) {
  EXPECT_EQ(PermissionCommandLines(6, L"C:\\Program Files\\Kestra\\\\", L"Everyone")[0],
            L"icacls.exe \"C:\\Program Files\\Kestra\" /reset /T /L");
}

TEST(EveryoneGroupName, IsANameOfItsOwn) {
  const std::wstring name = EveryoneGroupName();
  EXPECT_FALSE(name.empty());
  EXPECT_EQ(name.find(L'\\'), std::wstring::npos) << "the account name without its domain";
  EXPECT_EQ(name.find(L'\0'), std::wstring::npos);
}

}  // namespace
