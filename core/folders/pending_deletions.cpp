#include "core/folders/pending_deletions.h"

#include "core/strings/string_util.h"

namespace folders {
namespace {

constexpr std::wstring_view kNtPrefix = L"\\??\\";

bool InsideOrSame(std::wstring_view path, std::wstring_view folder) {
  if (path.substr(0, kNtPrefix.size()) == kNtPrefix) path.remove_prefix(kNtPrefix.size());
  if (folder.empty() || path.size() < folder.size() ||
      !strings::EqualsIgnoreCase(path.substr(0, folder.size()), folder)) {
    return false;
  }
  return path.size() == folder.size() || path[folder.size()] == L'\\';
}

}  // namespace

std::vector<std::wstring> SplitMultiString(std::wstring_view data) {
  std::vector<std::wstring> strings;
  while (!data.empty()) {
    const std::size_t end = data.find(L'\0');
    strings.emplace_back(data.substr(0, end));
    if (end == std::wstring_view::npos) break;
    data.remove_prefix(end + 1);
  }
  // The list's own end: one empty string after the last.
  while (strings.size() % 2 == 1 && strings.back().empty()) strings.pop_back();
  return strings;
}

std::wstring JoinMultiString(const std::vector<std::wstring>& strings) {
  std::wstring data;
  for (const std::wstring& text : strings) {
    data += text;
    data += L'\0';
  }
  data += L'\0';
  return data;
}

std::vector<std::wstring> WithoutDeletionsInside(const std::vector<std::wstring>& operations,
                                                 std::wstring_view folder) {
  std::vector<std::wstring> kept;
  std::size_t i = 0;
  for (; i + 1 < operations.size(); i += 2) {
    if (operations[i + 1].empty() && InsideOrSame(operations[i], folder)) continue;
    kept.push_back(operations[i]);
    kept.push_back(operations[i + 1]);
  }
  for (; i < operations.size(); ++i) kept.push_back(operations[i]);
  return kept;
}

}  // namespace folders
