#include "core/upgrade/list_comparison.h"

#include <string_view>
#include <unordered_map>

#include "core/strings/case_folding.h"
#include "core/upgrade/compared_result.h"

namespace upgrade {
namespace {

// Folded name -> the first entry of that name. Keeps the comparison linear for long lists.
class FirstEntryByName {
 public:
  explicit FirstEntryByName(const FileList& list) {
    for (const FileListEntry& entry : list)
      entries_.try_emplace(strings::FoldCase(entry.name), &entry);
  }

  const FileListEntry* Find(std::wstring_view name) const {
    const auto found = entries_.find(strings::FoldCase(name));
    return found == entries_.end() ? nullptr : found->second;
  }

 private:
  std::unordered_map<std::wstring, const FileListEntry*> entries_;
};

}  // namespace

void ListCopies(const FileList& newList, const FileList& oldList,
                std::vector<std::wstring>& lines) {
  const FirstEntryByName oldEntries(oldList);
  for (const FileListEntry& entry : newList) {
    if (entry.name == kFileListName) continue;
    const FileListEntry* old = oldEntries.Find(entry.name);
    if (old == nullptr || old->value != entry.value) {
      lines.push_back(InstructionLine(InstructionKind::kCopy, entry.name));
    }
  }
}

void ListDeletions(const FileList& newList, const FileList& oldList,
                   std::vector<std::wstring>& lines) {
  const FirstEntryByName newEntries(newList);
  for (const FileListEntry& entry : oldList) {
    if (newEntries.Find(entry.name) == nullptr) {
      lines.push_back(InstructionLine(InstructionKind::kDelete, entry.name));
    }
  }
}

std::vector<std::wstring> CompareFileLists(const FileList& newList, const FileList& oldList) {
  std::vector<std::wstring> lines;
  ListCopies(newList, oldList, lines);
  ListDeletions(newList, oldList, lines);
  return lines;
}

}  // namespace upgrade
