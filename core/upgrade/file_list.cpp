#include "core/upgrade/file_list.h"

#include <algorithm>

#include "core/strings/split_lines.h"
#include "core/strings/string_util.h"
#include "core/strings/text_encoding.h"
#include "core/strings/utf_string_conversions.h"

namespace upgrade {
namespace {

FileListEntry ParseEntry(std::wstring_view line) {
  const std::size_t equals = line.find(L'=');
  if (equals == std::wstring_view::npos) return {};
  return {std::wstring(line.substr(0, equals)), std::wstring(line.substr(equals + 1))};
}

const FileListEntry* FindEntry(const FileList& list, std::wstring_view name) {
  const auto found = std::find_if(list.begin(), list.end(), [&](const FileListEntry& entry) {
    return strings::EqualsIgnoreCase(entry.name, name);
  });
  return found == list.end() ? nullptr : &*found;
}

bool Contains(std::span<const std::wstring> names, std::wstring_view name) {
  return std::any_of(names.begin(), names.end(), [&](const std::wstring& candidate) {
    return strings::EqualsIgnoreCase(candidate, name);
  });
}

}  // namespace

FileList ParseFileList(std::wstring_view text) {
  FileList list;
  for (const std::wstring& line : strings::SplitLines(text)) list.push_back(ParseEntry(line));
  return list;
}

FileList ReadFileList(std::span<const std::uint8_t> bytes, const strings::CodePage& codePage) {
  return ParseFileList(strings::DecodeText(bytes, codePage).text);
}

std::vector<std::uint8_t> WriteFileList(const FileList& list) {
  std::string text = "\xEF\xBB\xBF";
  for (const FileListEntry& entry : list) {
    if (!entry.name.empty() || !entry.value.empty()) {
      text += strings::WideToUtf8(entry.name) + "=" + strings::WideToUtf8(entry.value);
    }
    text += "\r\n";
  }
  return {text.begin(), text.end()};
}

FileList ListAfterUpgrade(const FileList& newList, const FileList& oldList,
                          std::span<const std::wstring> notDone) {
  FileList after;
  for (const FileListEntry& entry : newList) {
    if (!Contains(notDone, entry.name)) {
      after.push_back(entry);
    } else if (const FileListEntry* installed = FindEntry(oldList, entry.name)) {
      after.push_back(*installed);
    }
  }
  // A deletion that failed: the file is still there, and so stays its line.
  for (const std::wstring& name : notDone) {
    if (FindEntry(newList, name) != nullptr) continue;
    if (const FileListEntry* installed = FindEntry(oldList, name)) after.push_back(*installed);
  }
  return after;
}

}  // namespace upgrade
