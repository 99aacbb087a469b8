#include "util/find_entries.h"

#include "core/strings/string_util.h"
#include "util/folder_walk.h"

namespace {

std::wstring ExtensionOf(const std::wstring& name) {
  const size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

}  // namespace

int FindEntries(const std::wstring& folder, const std::wstring& extension,
                std::vector<std::wstring>& list) {
  const std::wstring wanted = strings::ToLowerAscii(extension);
  FolderEnumerator enumerator(folder);
  FolderEntry entry;
  int count = 0;
  while (enumerator.Next(entry)) {
    if (strings::ToLowerAscii(ExtensionOf(entry.name)) != wanted) continue;
    list.push_back(entry.name);
    ++count;
  }
  return count;
}
