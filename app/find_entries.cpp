#include "app/find_entries.h"

#include <windows.h>

#include "core/strings/string_util.h"
#include "util/scoped_handle.h"

namespace {

std::wstring ExtensionOf(const std::wstring& name) {
  const size_t dot = name.find_last_of(L'.');
  return dot == std::wstring::npos ? std::wstring() : name.substr(dot);
}

}  // namespace

int FindEntries(const std::wstring& folder, const std::wstring& extension,
                std::vector<std::wstring>& list) {
  const std::wstring pattern = strings::WithTrailingSeparator(folder) + L"*.*";
  WIN32_FIND_DATAW entry;
  win::ScopedFindHandle find(::FindFirstFileW(pattern.c_str(), &entry));
  if (!find) return 0;
  const std::wstring wanted = strings::ToLowerAscii(extension);
  int count = 0;
  do {
    const std::wstring name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    if (strings::ToLowerAscii(ExtensionOf(name)) != wanted) continue;
    list.push_back(name);
    ++count;
  } while (::FindNextFileW(find.Get(), &entry));
  return count;
}
