// Reads two arbitrary byte strings as the package's and the installed file list, compares them,
// writes "ComparedResult.txt", reads it back and plans the file operations. Besides crashes and
// hangs it checks what must hold for any input: the comparison agrees with a plain quadratic one,
// the instruction file reads back as written, and every planned operation stays inside its folder.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/strings/code_page.h"
#include "core/strings/string_util.h"
#include "core/upgrade/apply_plan.h"
#include "core/upgrade/compared_result.h"
#include "core/upgrade/file_list.h"
#include "core/upgrade/list_comparison.h"
#include "core/upgrade/list_paths.h"

namespace upgrade {
namespace {

constexpr std::wstring_view kPackageFolder = L"D:\\Setup\\Program Files\\App";
constexpr std::wstring_view kInstalledFolder = L"C:\\Program Files\\App\\";

// The quadratic reference is only run on lists this short.
constexpr std::size_t kReferenceEntries = 64;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

FileList ListFrom(const std::string& bytes) {
  return ReadFileList({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()},
                      strings::CodePage{});
}

const FileListEntry* FirstNamed(const FileList& list, std::wstring_view name) {
  for (const FileListEntry& entry : list) {
    if (strings::EqualsIgnoreCase(entry.name, name)) return &entry;
  }
  return nullptr;
}

std::vector<std::wstring> ReferenceComparison(const FileList& newList, const FileList& oldList) {
  std::vector<std::wstring> lines;
  for (const FileListEntry& entry : newList) {
    if (entry.name == L"Application_FileList.txt") continue;
    const FileListEntry* old = FirstNamed(oldList, entry.name);
    if (old == nullptr || old->value != entry.value) lines.push_back(L"copy=" + entry.name);
  }
  for (const FileListEntry& entry : oldList) {
    if (FirstNamed(newList, entry.name) == nullptr) lines.push_back(L"delete=" + entry.name);
  }
  return lines;
}

// The name as it comes back from a file in the code page.
std::wstring ThroughCodePage(std::wstring_view name) {
  return strings::DecodeLatin1(strings::EncodeLatin1(name));
}

// Checked without IsNameInsideFolder: no drive, stream, root, empty, "." or ".." component.
void CheckStaysInside(std::wstring_view name) {
  Check(!name.empty());
  Check(name.find(L':') == std::wstring_view::npos);
  std::size_t start = 0;
  while (true) {
    const std::size_t end = name.find_first_of(L"\\/", start);
    const std::wstring_view component = name.substr(start, end - start);
    Check(!component.empty());
    Check(component != L"." && component != L"..");
    Check(component.find_first_not_of(L". ") != std::wstring_view::npos);
    if (end == std::wstring_view::npos) break;
    start = end + 1;
  }
}

void CheckJoined(std::wstring_view path, std::wstring_view folder, std::wstring_view name) {
  const std::wstring prefix = strings::WithTrailingSeparator(folder);
  Check(path.size() == prefix.size() + name.size());
  Check(path.substr(0, prefix.size()) == prefix);
  Check(path.substr(prefix.size()) == name);
}

void CheckPlan(const std::vector<Instruction>& instructions, const ApplyPlan& plan) {
  Check(plan.operations.size() + plan.skipped.size() == instructions.size());
  std::size_t operation = 0;
  std::size_t skipped = 0;
  for (const Instruction& instruction : instructions) {
    if (!IsNameInsideFolder(instruction.name)) {
      Check(skipped < plan.skipped.size() && plan.skipped[skipped++] == instruction);
      continue;
    }
    CheckStaysInside(instruction.name);
    Check(operation < plan.operations.size());
    const FileOperation& planned = plan.operations[operation++];
    Check(planned.kind == instruction.kind);
    CheckJoined(planned.target, kInstalledFolder, instruction.name);
    if (planned.kind == InstructionKind::kCopy) {
      CheckJoined(planned.source, kPackageFolder, instruction.name);
    } else {
      Check(planned.source.empty());
    }
  }
}

}  // namespace
}  // namespace upgrade

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace upgrade;
  FuzzedDataProvider input(data, size);
  const FileList newList = ListFrom(input.ConsumeRandomLengthString(size));
  const FileList oldList = ListFrom(input.ConsumeRemainingBytesAsString());

  const std::vector<std::wstring> lines = CompareFileLists(newList, oldList);
  if (newList.size() <= kReferenceEntries && oldList.size() <= kReferenceEntries) {
    Check(lines == ReferenceComparison(newList, oldList));
  }

  const std::vector<std::uint8_t> file = WriteComparedResult(lines, strings::CodePage{});
  Check(lines.empty() == file.empty());
  const std::vector<Instruction> instructions = ReadComparedResult(file, strings::CodePage{});
  Check(instructions.size() == lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    Check(InstructionLine(instructions[i].kind, instructions[i].name) == ThroughCodePage(lines[i]));
  }

  CheckPlan(instructions, PlanComparedResult(instructions, kPackageFolder, kInstalledFolder));
  for (const FileList* list : {&newList, &oldList}) {
    for (const FileListEntry& entry : *list) {
      if (IsNameInsideFolder(entry.name)) CheckStaysInside(entry.name);
    }
  }
  return 0;
}
