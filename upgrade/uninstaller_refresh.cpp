#include "upgrade/uninstaller_refresh.h"

#include "core/strings/string_util.h"
#include "util/removal_guards.h"
#include "util/folder_operations.h"

namespace {

// Whether one of the two folders (without trailing "\") is the other or lies inside it.
bool Overlap(const std::wstring& a, const std::wstring& b) {
  const std::wstring& shorter = a.size() <= b.size() ? a : b;
  const std::wstring& longer = a.size() <= b.size() ? b : a;
  if (!strings::EqualsIgnoreCase(shorter, std::wstring_view(longer).substr(0, shorter.size()))) {
    return false;
  }
  return shorter.size() == longer.size() || longer[shorter.size()] == L'\\';
}

}  // namespace

void RefreshUninstallerCopy(const std::wstring& uninstallerPath, const std::wstring& setupFolder) {
  const size_t separator = uninstallerPath.rfind(L'\\');
  if (separator == std::wstring::npos) return;
  const std::wstring target = NormalisedAbsolutePath(uninstallerPath.substr(0, separator));
  const std::wstring source = NormalisedAbsolutePath(setupFolder);
  if (target.empty() || source.empty() || !IsRemovableInstallDir(target) ||
      Overlap(target, source)) {
    return;
  }
  ClearFolderTree(target + L"\\", nullptr, nullptr);
  // The payload stays out of the copy, however the package spells its folder.
  CopyFolderTree(source + L"\\", target + L"\\", nullptr, false,
                 SubfolderSpelling(source + L"\\", L"Program Files"), nullptr);
}
