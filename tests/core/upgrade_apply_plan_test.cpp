#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/upgrade/apply_plan.h"
#include "core/upgrade/compared_result.h"
#include "core/upgrade/file_list.h"
#include "core/upgrade/list_comparison.h"

namespace upgrade {
namespace {

using Instructions = std::vector<Instruction>;
using Operations = std::vector<FileOperation>;

Instruction Copy(std::wstring name) {
  return {InstructionKind::kCopy, std::move(name)};
}

Instruction Delete(std::wstring name) {
  return {InstructionKind::kDelete, std::move(name)};
}

FileOperation CopyOperation(std::wstring source, std::wstring target) {
  return {InstructionKind::kCopy, std::move(source), std::move(target)};
}

FileOperation DeleteOperation(std::wstring target) {
  return {InstructionKind::kDelete, L"", std::move(target)};
}

struct PlanCase {
  const char* name;
  Instructions instructions;
  std::wstring packageFolder;
  std::wstring installedFolder;
  Operations operations;
  Instructions skipped;
};

TEST(UpgradeApplyPlanTest, JoinsSafeNamesToTheFoldersAndSkipsTheRest) {
  const PlanCase cases[] = {
      {"copy and delete", Instructions{Copy(L"b.dll"), Delete(L"c.dll")},
       L"D:\\Setup\\Program Files\\App", L"C:\\Program Files\\Pub\\App\\",
       Operations{CopyOperation(L"D:\\Setup\\Program Files\\App\\b.dll",
                                L"C:\\Program Files\\Pub\\App\\b.dll"),
                  DeleteOperation(L"C:\\Program Files\\Pub\\App\\c.dll")},
       Instructions{}},
      {"a separator only when missing", Instructions{Copy(L"sub\\x.dll")}, L"P\\", L"I",
       Operations{CopyOperation(L"P\\sub\\x.dll", L"I\\sub\\x.dll")}, Instructions{}},
      {"forward slashes kept", Instructions{Delete(L"sub/x.dll")}, L"P", L"I",
       Operations{DeleteOperation(L"I\\sub/x.dll")}, Instructions{}},
      {"names leaving the folder skipped in order",
       Instructions{Copy(L"..\\..\\x"), Copy(L"ok.dll"), Delete(L"C:\\x"), Delete(L"\\\\srv\\x"),
                    Copy(L"a.dll:s"), Delete(L"C:x"), Delete(L"")},
       L"P", L"I", Operations{CopyOperation(L"P\\ok.dll", L"I\\ok.dll")},
       Instructions{Copy(L"..\\..\\x"), Delete(L"C:\\x"), Delete(L"\\\\srv\\x"), Copy(L"a.dll:s"),
                    Delete(L"C:x"), Delete(L"")}},
      {"empty installed folder", Instructions{Copy(L"a"), Delete(L"b")}, L"P", L"", Operations{},
       Instructions{Copy(L"a"), Delete(L"b")}},
      {"empty package folder", Instructions{Copy(L"a"), Delete(L"b")}, L"", L"I",
       Operations{DeleteOperation(L"I\\b")}, Instructions{Copy(L"a")}},
      {"nothing to do", Instructions{}, L"P", L"I", Operations{}, Instructions{}},
  };
  for (const PlanCase& c : cases) {
    SCOPED_TRACE(c.name);
    const ApplyPlan plan = PlanComparedResult(c.instructions, c.packageFolder, c.installedFolder);
    EXPECT_EQ(plan.operations, c.operations);
    EXPECT_EQ(plan.skipped, c.skipped);
  }
}

TEST(UpgradeApplyPlanTest, ListsToOperationsThroughTheInstructionFile) {
  const FileList newList =
      ParseFileList(L"a.dll=1\r\nb.dll=2\r\nApplication_FileList.txt=9\r\n..\\evil.dll=1\n");
  const FileList oldList = ParseFileList(L"A.DLL=1\r\nc.dll=5\r\nC:\\Windows\\win.ini=1\r\n");
  const std::vector<std::uint8_t> file =
      WriteComparedResult(CompareFileLists(newList, oldList), strings::CodePage{});
  const ApplyPlan plan = PlanComparedResult(ReadComparedResult(file, strings::CodePage{}),
                                            L"S\\Program Files\\App", L"C:\\App\\");
  EXPECT_EQ(plan.operations,
            (Operations{CopyOperation(L"S\\Program Files\\App\\b.dll", L"C:\\App\\b.dll"),
                        DeleteOperation(L"C:\\App\\c.dll")}));
  EXPECT_EQ(plan.skipped, (Instructions{Copy(L"..\\evil.dll"), Delete(L"C:\\Windows\\win.ini")}));
}

}  // namespace
}  // namespace upgrade
