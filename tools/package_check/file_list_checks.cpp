#include "tools/package_check/file_list_checks.h"

#include <map>
#include <vector>

#include "core/strings/case_folding.h"
#include "core/strings/code_page.h"
#include "core/upgrade/file_list.h"
#include "tools/file_list/program_folder_list.h"

namespace package_check {
namespace {

// A name that reaches outside the program folder: a drive, a root, or a ".." step.
bool LeavesFolder(const std::wstring& name) {
  if (name.starts_with(L'\\') || name.starts_with(L'/') || name.find(L':') != std::wstring::npos) {
    return true;
  }
  std::wstring part;
  for (wchar_t c : name + L'\\') {
    if (c == L'\\' || c == L'/') {
      if (part == L"..") return true;
      part.clear();
    } else {
      part += c;
    }
  }
  return false;
}

void AddNames(Findings& findings, const std::wstring& file, const std::wstring& problem,
              const std::vector<std::wstring>& names) {
  if (names.empty()) return;
  std::wstring list;
  for (const std::wstring& name : names) list += (list.empty() ? L"" : L", ") + name;
  findings.Add(file, L"", problem + list);
}

}  // namespace

void CheckFileList(const PackageFolder& package, const PackageSettings& settings,
                   Findings& findings) {
  const std::wstring folder = L"program files\\" + settings.Value(L"%PROGRAM_FILES");
  const auto programFolder = package.Find(folder);
  if (settings.Value(L"%PROGRAM_FILES").empty() || !package.HasFolder(folder)) return;
  const std::wstring file = folder + L"\\" + std::wstring(upgrade::kFileListName);
  const auto bytes = package.ReadFile(file);
  if (!bytes) {
    findings.Add(file, L"", L"missing: an upgrade cannot tell which files changed");
    return;
  }
  const upgrade::FileList written = upgrade::ReadFileList(*bytes, strings::Latin1CodePage());

  std::map<std::wstring, const upgrade::FileListEntry*> listed;
  std::vector<std::wstring> leaving, duplicated, malformed;
  for (std::size_t i = 0; i < written.size(); ++i) {
    const upgrade::FileListEntry& entry = written[i];
    if (entry.name.empty()) {
      malformed.push_back(L"line " + std::to_wstring(i + 1));
    } else if (LeavesFolder(entry.name)) {
      leaving.push_back(entry.name);
    } else if (!listed.emplace(strings::FoldCase(entry.name), &entry).second) {
      duplicated.push_back(entry.name);
    }
  }
  AddNames(findings, file, L"names that leave the program folder: ", leaving);
  AddNames(findings, file, L"lines without \"name=value\": ", malformed);
  AddNames(findings, file, L"names listed twice (the first one counts): ", duplicated);

  std::vector<std::wstring> unlisted, changed;
  for (const upgrade::FileListEntry& actual : file_list::ListProgramFolder(*programFolder)) {
    const auto found = listed.find(strings::FoldCase(actual.name));
    if (found == listed.end()) {
      unlisted.push_back(actual.name);
    } else {
      if (found->second->value != actual.value) changed.push_back(actual.name);
      listed.erase(found);
    }
  }
  std::vector<std::wstring> vanished;
  for (const auto& [folded, entry] : listed) vanished.push_back(entry->name);
  // The list's own value follows from the other entries: worth naming only when they agree.
  if (!unlisted.empty() || !vanished.empty() || changed.size() > 1) {
    std::erase(changed, std::wstring(upgrade::kFileListName));
  }
  const std::wstring stale = L"stale (run make_file_list on the program folder): ";
  AddNames(findings, file, stale + L"files not listed: ", unlisted);
  AddNames(findings, file, stale + L"listed files that do not exist: ", vanished);
  AddNames(findings, file, stale + L"values that do not match the files: ", changed);
}

}  // namespace package_check
