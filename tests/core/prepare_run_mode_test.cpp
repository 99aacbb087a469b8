#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/prepare/legacy_products.h"
#include "core/prepare/run_mode.h"
#include "core/prepare/run_options.h"
#include "core/prepare/run_state.h"
#include "core/prepare/uninstall_command.h"

namespace {

using prepare::RunMode;

struct KeywordCase {
  const wchar_t* argument;
  RunMode mode;
};

class RunModeTest : public testing::TestWithParam<KeywordCase> {};

TEST_P(RunModeTest, FirstArgumentSelectsTheMode) {
  EXPECT_EQ(prepare::RunModeFromArgument(GetParam().argument), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(
    Keywords, RunModeTest,
    testing::Values(KeywordCase{L"", RunMode::kInstall}, KeywordCase{L"install", RunMode::kInstall},
                    KeywordCase{L"uninstall", RunMode::kUninstall},
                    KeywordCase{L"UNINSTALL", RunMode::kUninstall},
                    KeywordCase{L"UnInstall", RunMode::kUninstall},
                    KeywordCase{L"/uninstall", RunMode::kInstall},
                    KeywordCase{L"-Uninstall", RunMode::kInstall},
                    KeywordCase{L"uninstall ", RunMode::kInstall},
                    KeywordCase{L"UninstallAnyway", RunMode::kUninstallAnyway},
                    KeywordCase{L"uninstallanywa", RunMode::kInstall},
                    KeywordCase{L"Upgrade", RunMode::kUpgrade},
                    KeywordCase{L"updater", RunMode::kUpdater},
                    KeywordCase{L"REGISTRY", RunMode::kRegistry},
                    // Only A to Z are lower-cased: a dotted capital I stays what it is.
                    KeywordCase{L"un\u0130nstall", RunMode::kInstall}));

TEST(RunModeText, NamesTheModesThePagesRead) {
  EXPECT_EQ(prepare::ModeText(RunMode::kInstall), L"Install");
  EXPECT_EQ(prepare::ModeText(RunMode::kUninstallAnyway), L"UninstallAnyway");
  EXPECT_EQ(prepare::ModeText(RunMode::kUpdater), L"");
  EXPECT_EQ(prepare::ModeText(RunMode::kRegistry), L"");
}

struct OptionsCase {
  std::vector<std::wstring> arguments;
  bool quiet;
  const wchar_t* logPath;  // nullptr: no log asked for
};

class RunOptionsTest : public testing::TestWithParam<OptionsCase> {};

TEST_P(RunOptionsTest, QuietAndLogAnywhereInAnyLetterCase) {
  const auto options = prepare::ParseRunOptions(GetParam().arguments);
  EXPECT_EQ(options.quiet, GetParam().quiet);
  EXPECT_EQ(options.logPath, GetParam().logPath == nullptr
                                 ? std::nullopt
                                 : std::optional<std::wstring>(GetParam().logPath));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, RunOptionsTest,
    testing::Values(OptionsCase{{}, false, nullptr}, OptionsCase{{L"uninstall"}, false, nullptr},
                    OptionsCase{{L"/quiet"}, true, nullptr},
                    OptionsCase{{L"uninstall", L"/QUIET"}, true, nullptr},
                    OptionsCase{
                        {L"/Log=C:\\a b\\s.log", L"upgrade", L"/Quiet"}, true, L"C:\\a b\\s.log"},
                    OptionsCase{{L"install", L"/log="}, false, nullptr},
                    OptionsCase{{L"install", L"/quiet2", L"quiet", L"-quiet"}, false, nullptr}));

struct JudgementCase {
  bool versionFound;
  bool privateFound;
  const wchar_t* installed;
  const wchar_t* package;
  prepare::RunState state;
};

class JudgementTest : public testing::TestWithParam<JudgementCase> {};

TEST_P(JudgementTest, VersionsCompareAsText) {
  const auto& c = GetParam();
  EXPECT_EQ(prepare::JudgeRunState(c.versionFound, c.privateFound, c.installed, c.package), c.state)
      << "installed " << testing::PrintToString(std::wstring(c.installed)) << ", package "
      << testing::PrintToString(std::wstring(c.package));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JudgementTest,
    testing::Values(JudgementCase{true, true, L"1.0.5", L"1.0.5", prepare::kRunStateReplace},
                    JudgementCase{true, true, L"1.0.4", L"1.0.5", prepare::kRunStateReplace},
                    JudgementCase{true, true, L"1.0.6", L"1.0.5", prepare::kRunStateNewerInstalled},
                    JudgementCase{true, true, L"1.9", L"1.10", prepare::kRunStateNewerInstalled},
                    JudgementCase{true, true, L"2.0", L"2.0.1", prepare::kRunStateReplace},
                    JudgementCase{true, true, L"2.0.1", L"2.0", prepare::kRunStateNewerInstalled},
                    JudgementCase{true, false, L"1.0", L"2.0", prepare::kRunStateInstall},
                    JudgementCase{false, true, L"", L"2.0", prepare::kRunStateInstall},
                    JudgementCase{true, true, L"1.0", L"", prepare::kRunStateUndecided}));

TEST(LegacyProducts, NamesOfAKnownCodeInColumnOrderAndNothingForOthers) {
  std::vector<std::wstring> names;
  prepare::GetLegacyDisplayNames(L"KestraScan", names);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(names[2], L"Kestra Scan");
  EXPECT_NE(names[0].find(L"[Kestra Scan]"), std::wstring::npos);
  std::vector<std::wstring> none;
  prepare::GetLegacyDisplayNames(L"kestrascan", none);
  prepare::GetLegacyDisplayNames(L"", none);
  EXPECT_TRUE(none.empty());
}

struct UninstallCommandCase {
  const wchar_t* recorded;
  bool quiet;
  const wchar_t* program;
  const wchar_t* command;
};

class UninstallCommandTest : public testing::TestWithParam<UninstallCommandCase> {};

TEST_P(UninstallCommandTest, StartsTheRecordedProgramByItsPathOnly) {
  const UninstallCommandCase& c = GetParam();
  const prepare::CommandParts parts = prepare::SplitCommand(c.recorded);
  EXPECT_EQ(parts.program, c.program);
  if (!parts.program.empty()) {
    EXPECT_EQ(prepare::ReplacementUninstallCommand(parts, c.quiet), c.command);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Recorded, UninstallCommandTest,
    testing::Values(UninstallCommandCase{L"\"C:\\T\\Kestra\\Setup.exe\" uninstall", false,
                                         L"C:\\T\\Kestra\\Setup.exe",
                                         L"\"C:\\T\\Kestra\\Setup.exe\" uninstallanyway"},
                    UninstallCommandCase{L"\"C:\\T\\Kestra\\Setup.exe\" uninstall", true,
                                         L"C:\\T\\Kestra\\Setup.exe",
                                         L"\"C:\\T\\Kestra\\Setup.exe\" uninstallanyway /quiet"},
                    // A folder named like the argument keeps its name.
                    UninstallCommandCase{L"\"C:\\uninstall\\Setup.exe\" uninstall", false,
                                         L"C:\\uninstall\\Setup.exe",
                                         L"\"C:\\uninstall\\Setup.exe\" uninstallanyway"},
                    UninstallCommandCase{L"C:\\T\\Setup.exe uninstall", false, L"C:\\T\\Setup.exe",
                                         L"\"C:\\T\\Setup.exe\" uninstallanyway"},
                    UninstallCommandCase{L"\"C:\\T\\Setup.exe uninstall", false, L"", L""},
                    UninstallCommandCase{L"", false, L"", L""}));

}  // namespace
