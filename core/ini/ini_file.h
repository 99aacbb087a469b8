// An INI file held in memory: read by the rules of Windows' INI readers, changed in memory and
// written back whole. It takes the place of the form framework's TMemIniFile, and of TIniFile
// where keys are written straight into an existing file.
//
// Reading (line by line as ParseLine in ini_line.h reads them):
// - Section and key names match without regard to letter case (strings::EqualsIgnoreCase).
// - Entries before the first section belong to no section and are never found.
// - A key present with an empty value reads as "", a missing one as the caller's default.
// - Where a section name or a key within a section occurs more than once, the first occurrence
//   is the one read and written, as with GetPrivateProfileString. The others stay in the file.
//
// Writing keeps everything it does not change (comments, blank lines, other sections, unknown
// lines) in place. The file is written in the encoding it was read in, byte-order mark included;
// a new file in the system code page. Lines end in CR LF.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/strings/code_page.h"
#include "core/strings/text_encoding.h"

namespace ini {

struct IniEntry {
  std::wstring key;
  std::wstring value;
};

struct IniSection {
  std::wstring name;
  std::vector<IniEntry> entries;
};

class IniFile {
 public:
  // A new, empty file. `codePage` stands for the system code page; the Windows layer passes
  // CP_ACP, tests and tools rely on the Latin-1 default.
  explicit IniFile(strings::CodePage codePage = strings::Latin1CodePage());

  // The file whose whole content is `bytes`: UTF-16 (LE or BE) or UTF-8 when it starts with
  // their byte-order mark, otherwise text in the system code page (strings::DecodeText).
  static IniFile FromBytes(std::span<const std::uint8_t> bytes,
                           strings::CodePage codePage = strings::Latin1CodePage());

  std::wstring ReadString(std::wstring_view section, std::wstring_view key,
                          std::wstring_view defaultValue) const;

  // Names in file order, each name once (the first spelling) whatever its letter case.
  std::vector<std::wstring> SectionNames() const;
  std::vector<std::wstring> KeyNames(std::wstring_view section) const;

  // Replaces the line of an existing key in place; a new key goes after the last non-blank line
  // of its section, a new section at the end of the file, followed by an empty line. A line
  // break in a name or value becomes a blank, as the file has no way to hold it. What is written
  // reads back as ParseLine reads it: blanks around the value are not kept.
  void WriteString(std::wstring_view section, std::wstring_view key, std::wstring_view value);

  // Removes every section of that name with all its lines.
  void EraseSection(std::wstring_view section);

  // Replaces the whole content: each section line followed by its entries and one empty line.
  // The encoding stays that of the file.
  void ReplaceContent(std::span<const IniSection> sections);

  std::vector<std::uint8_t> Serialize() const;

  strings::TextEncoding encoding() const { return encoding_; }

 private:
  // Index of the first line opening `section`, or lines_.size().
  std::size_t FindSection(std::wstring_view section) const;
  // Index of the line after the last line of the section opened at `header`.
  std::size_t SectionEnd(std::size_t header) const;
  // Index of the first entry line of `key` in the section opened at `header`, or lines_.size().
  std::size_t FindKey(std::size_t header, std::wstring_view key) const;

  std::vector<std::wstring> lines_;
  strings::TextEncoding encoding_ = strings::TextEncoding::kCodePage;
  strings::CodePage codePage_;
};

}  // namespace ini
