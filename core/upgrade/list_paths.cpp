#include "core/upgrade/list_paths.h"

#include <algorithm>

#include "core/folders/name_rules.h"

namespace upgrade {
namespace {

constexpr std::wstring_view kSeparators = L"\\/";

bool IsPlainComponent(std::wstring_view component) {
  return !component.empty() && !folders::IsOnlyDotsAndBlanks(component) &&
         !folders::IsDeviceName(component);
}

}  // namespace

bool IsNameInsideFolder(std::wstring_view name) {
  if (name.empty() || std::any_of(name.begin(), name.end(), folders::IsForbiddenNameCharacter))
    return false;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = name.find_first_of(kSeparators, start);
    if (!IsPlainComponent(name.substr(start, end - start))) return false;
    if (end == std::wstring_view::npos) return true;
    start = end + 1;
  }
}

}  // namespace upgrade
