#include "core/upgrade/file_list.h"

#include "core/strings/split_lines.h"
#include "core/strings/text_encoding.h"

namespace upgrade {
namespace {

FileListEntry ParseEntry(std::wstring_view line) {
  const std::size_t equals = line.find(L'=');
  if (equals == std::wstring_view::npos) return {};
  return {std::wstring(line.substr(0, equals)), std::wstring(line.substr(equals + 1))};
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

}  // namespace upgrade
