#include "tools/file_list/program_folder_list.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "core/strings/case_folding.h"
#include "core/strings/utf_string_conversions.h"
#include "tools/file_list/sha256.h"

namespace file_list {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::wstring WindowsRelativeName(const fs::path& relative) {
  std::wstring name;
  for (const fs::path& part : relative) {
    if (!name.empty()) name += L'\\';
    name += strings::Utf8ToWide(part.string());
  }
  return name;
}

std::string EntryLines(const upgrade::FileList& list) {
  std::string lines;
  for (const upgrade::FileListEntry& entry : list) {
    lines += strings::WideToUtf8(entry.name + L"=" + entry.value) + "\r\n";
  }
  return lines;
}

bool SortsBefore(const upgrade::FileListEntry& a, const upgrade::FileListEntry& b) {
  const std::wstring foldedA = strings::FoldCase(a.name);
  const std::wstring foldedB = strings::FoldCase(b.name);
  return foldedA != foldedB ? foldedA < foldedB : a.name < b.name;
}

}  // namespace

upgrade::FileList ListProgramFolder(const fs::path& folder) {
  upgrade::FileList list;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    const std::wstring name = WindowsRelativeName(fs::relative(entry.path(), folder));
    if (name == upgrade::kFileListName) continue;
    const std::vector<std::uint8_t> bytes = FileBytes(entry.path());
    list.push_back({name, strings::Utf8ToWide(Sha256Hex(bytes))});
  }
  std::sort(list.begin(), list.end(), SortsBefore);

  const std::string others = EntryLines(list);
  const std::vector<std::uint8_t> otherBytes(others.begin(), others.end());
  upgrade::FileListEntry own{std::wstring(upgrade::kFileListName),
                             strings::Utf8ToWide(Sha256Hex(otherBytes))};
  list.insert(std::upper_bound(list.begin(), list.end(), own, SortsBefore), own);
  return list;
}

std::vector<std::uint8_t> SerializeFileList(const upgrade::FileList& list) {
  std::vector<std::uint8_t> bytes = {0xEF, 0xBB, 0xBF};
  const std::string lines = EntryLines(list);
  bytes.insert(bytes.end(), lines.begin(), lines.end());
  return bytes;
}

void WriteProgramFolderList(const fs::path& folder) {
  const std::vector<std::uint8_t> bytes = SerializeFileList(ListProgramFolder(folder));
  std::ofstream out(folder / fs::path(strings::WideToUtf8(upgrade::kFileListName)),
                    std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write the file list in " + folder.string());
}

}  // namespace file_list
