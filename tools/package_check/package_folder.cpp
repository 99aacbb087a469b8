#include "tools/package_check/package_folder.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "core/strings/case_folding.h"
#include "core/strings/utf_string_conversions.h"

namespace package_check {
namespace {

namespace fs = std::filesystem;

std::vector<std::wstring> SplitPath(std::wstring_view path) {
  std::vector<std::wstring> parts;
  std::wstring part;
  for (wchar_t c : path) {
    if (c == L'\\' || c == L'/') {
      if (!part.empty()) parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (!part.empty()) parts.push_back(part);
  return parts;
}

std::wstring NameOf(const fs::path& path) {
  return strings::Utf8ToWide(path.filename().string());
}

std::optional<fs::path> FindChild(const fs::path& folder, const std::wstring& name) {
  std::error_code error;
  const fs::path exact = folder / strings::WideToUtf8(name);
  if (fs::exists(exact, error)) return exact;
  const std::wstring folded = strings::FoldCase(name);
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (strings::FoldCase(NameOf(it->path())) == folded) return it->path();
  }
  return std::nullopt;
}

}  // namespace

std::optional<fs::path> PackageFolder::Find(std::wstring_view relative) const {
  fs::path current = root_;
  for (const std::wstring& part : SplitPath(relative)) {
    std::error_code error;
    if (!fs::is_directory(current, error)) return std::nullopt;
    const auto child = FindChild(current, part);
    if (!child) return std::nullopt;
    current = *child;
  }
  return current;
}

bool PackageFolder::HasFile(std::wstring_view relative) const {
  const auto path = Find(relative);
  std::error_code error;
  return path && fs::is_regular_file(*path, error);
}

bool PackageFolder::HasFolder(std::wstring_view relative) const {
  const auto path = Find(relative);
  std::error_code error;
  return path && fs::is_directory(*path, error);
}

std::optional<std::vector<std::uint8_t>> PackageFolder::ReadFile(std::wstring_view relative) const {
  if (!HasFile(relative)) return std::nullopt;
  return ReadWholeFile(*Find(relative));
}

std::vector<std::wstring> PackageFolder::EntryNames(std::wstring_view relativeFolder) const {
  std::vector<std::wstring> names;
  const auto folder = Find(relativeFolder);
  std::error_code error;
  if (!folder || !fs::is_directory(*folder, error)) return names;
  for (fs::directory_iterator it(*folder, error), end; !error && it != end; it.increment(error)) {
    names.push_back(NameOf(it->path()));
  }
  return names;
}

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>());
}

}  // namespace package_check
