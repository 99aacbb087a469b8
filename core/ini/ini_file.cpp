#include "core/ini/ini_file.h"

#include <unordered_set>
#include <utility>

#include "core/ini/ini_line.h"
#include "core/strings/case_folding.h"
#include "core/strings/split_lines.h"
#include "core/strings/string_util.h"

namespace ini {
namespace {

bool IsSectionLine(const std::wstring& line) {
  return ParseLine(line).kind == LineKind::kSection;
}

bool IsBlankLine(const std::wstring& line) {
  return ParseLine(line).kind == LineKind::kBlank;
}

std::wstring WithoutLineBreaks(std::wstring_view text) {
  std::wstring result(text);
  for (wchar_t& c : result) {
    if (c == L'\r' || c == L'\n') c = L' ';
  }
  return result;
}

std::wstring SectionLine(std::wstring_view name) {
  return L"[" + WithoutLineBreaks(name) + L"]";
}

std::wstring EntryLine(std::wstring_view key, std::wstring_view value) {
  return WithoutLineBreaks(key) + L"=" + WithoutLineBreaks(value);
}

// Collects names once each, by their folded form, keeping the first spelling.
class UniqueNames {
 public:
  void Add(std::wstring_view name) {
    if (seen_.insert(strings::FoldCase(name)).second) names_.emplace_back(name);
  }
  std::vector<std::wstring> Take() { return std::move(names_); }

 private:
  std::unordered_set<std::wstring> seen_;
  std::vector<std::wstring> names_;
};

}  // namespace

IniFile::IniFile(strings::CodePage codePage) : codePage_(std::move(codePage)) {}

IniFile IniFile::FromBytes(std::span<const std::uint8_t> bytes, strings::CodePage codePage) {
  IniFile file(std::move(codePage));
  strings::DecodedText decoded = strings::DecodeText(bytes, file.codePage_);
  file.lines_ = strings::SplitLines(decoded.text);
  file.encoding_ = decoded.encoding;
  return file;
}

std::wstring IniFile::ReadString(std::wstring_view section, std::wstring_view key,
                                 std::wstring_view defaultValue) const {
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) return std::wstring(defaultValue);
  const std::size_t line = FindKey(header, key);
  if (line == lines_.size()) return std::wstring(defaultValue);
  return std::wstring(ParseLine(lines_[line]).value);
}

std::vector<std::wstring> IniFile::SectionNames() const {
  UniqueNames names;
  for (const std::wstring& line : lines_) {
    const IniLine parsed = ParseLine(line);
    if (parsed.kind == LineKind::kSection) names.Add(parsed.name);
  }
  return names.Take();
}

std::vector<std::wstring> IniFile::KeyNames(std::wstring_view section) const {
  UniqueNames names;
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) return {};
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const IniLine parsed = ParseLine(lines_[i]);
    if (parsed.kind == LineKind::kEntry) names.Add(parsed.name);
  }
  return names.Take();
}

void IniFile::WriteString(std::wstring_view section, std::wstring_view key,
                          std::wstring_view value) {
  const std::size_t header = FindSection(section);
  if (header == lines_.size()) {
    if (!lines_.empty() && !IsBlankLine(lines_.back())) lines_.emplace_back();
    lines_.push_back(SectionLine(section));
    lines_.push_back(EntryLine(key, value));
    lines_.emplace_back();
    return;
  }
  const std::size_t existing = FindKey(header, key);
  if (existing != lines_.size()) {
    lines_[existing] = EntryLine(key, value);
    return;
  }
  std::size_t insertAt = SectionEnd(header);
  while (insertAt > header + 1 && IsBlankLine(lines_[insertAt - 1])) --insertAt;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), EntryLine(key, value));
}

void IniFile::EraseSection(std::wstring_view section) {
  std::vector<std::wstring> kept;
  kept.reserve(lines_.size());
  bool erasing = false;
  for (std::wstring& line : lines_) {
    const IniLine parsed = ParseLine(line);
    if (parsed.kind == LineKind::kSection) {
      erasing = strings::EqualsIgnoreCase(parsed.name, section);
    }
    if (!erasing) kept.push_back(std::move(line));
  }
  lines_ = std::move(kept);
}

void IniFile::ReplaceContent(std::span<const IniSection> sections) {
  lines_.clear();
  for (const IniSection& section : sections) {
    lines_.push_back(SectionLine(section.name));
    for (const IniEntry& entry : section.entries) {
      lines_.push_back(EntryLine(entry.key, entry.value));
    }
    lines_.emplace_back();
  }
}

std::vector<std::uint8_t> IniFile::Serialize() const {
  std::wstring text;
  for (const std::wstring& line : lines_) {
    text += line;
    text += L"\r\n";
  }
  return strings::EncodeText(text, encoding_, codePage_);
}

std::size_t IniFile::FindSection(std::wstring_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const IniLine parsed = ParseLine(lines_[i]);
    if (parsed.kind == LineKind::kSection && strings::EqualsIgnoreCase(parsed.name, section)) {
      return i;
    }
  }
  return lines_.size();
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
  std::size_t end = header + 1;
  while (end < lines_.size() && !IsSectionLine(lines_[end])) ++end;
  return end;
}

std::size_t IniFile::FindKey(std::size_t header, std::wstring_view key) const {
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    const IniLine parsed = ParseLine(lines_[i]);
    if (parsed.kind == LineKind::kEntry && strings::EqualsIgnoreCase(parsed.name, key)) return i;
  }
  return lines_.size();
}

}  // namespace ini
