// How one line of an INI file is read.
#pragma once

#include <string_view>

namespace ini {

enum class LineKind {
  kBlank,    // nothing but blanks
  kComment,  // first non-blank character ";"
  kSection,  // "[name]"
  kEntry,    // "name=value"
  kOther,    // anything else: ignored when reading, kept when writing
};

struct IniLine {
  LineKind kind = LineKind::kOther;
  std::wstring_view name;   // section or entry name, without surrounding blanks
  std::wstring_view value;  // entry value, without surrounding blanks
};

// Blanks are spaces and tabs.
// - A line whose first non-blank character is "[" opens a section when it holds another "]":
//   the name is the text between the "[" and the last "]". Anything after that "]" is ignored;
//   without a "]" the line is kOther.
// - Otherwise a line holding "=" is an entry: the name is the text before the first "=", the
//   value the text after it. An entry without a name is kOther.
// Both readers this replaces (GetPrivateProfileString, TMemIniFile) drop the blanks around names
// and values too. Quotes are part of the value.
IniLine ParseLine(std::wstring_view line);

}  // namespace ini
