// A package folder read as Setup.exe sees it on Windows: names inside it are looked up without
// regard to letter case, and paths are written with "\" separators.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace package_check {

class PackageFolder {
 public:
  explicit PackageFolder(std::filesystem::path root) : root_(std::move(root)) {}

  const std::filesystem::path& Root() const { return root_; }

  // The real path of the entry named by `relative` ("program files\Kestra\a.exe"), each name
  // matched without regard to letter case (an exact match first); nothing when it is absent.
  std::optional<std::filesystem::path> Find(std::wstring_view relative) const;
  bool HasFile(std::wstring_view relative) const;
  bool HasFolder(std::wstring_view relative) const;
  std::optional<std::vector<std::uint8_t>> ReadFile(std::wstring_view relative) const;
  // Names of the entries directly inside a folder, in the order the file system lists them.
  std::vector<std::wstring> EntryNames(std::wstring_view relativeFolder) const;

 private:
  std::filesystem::path root_;
};

// Reads a whole file; nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path);

}  // namespace package_check
