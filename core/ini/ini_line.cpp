#include "core/ini/ini_line.h"

#include "core/strings/string_util.h"

namespace ini {
namespace {

IniLine Line(LineKind kind, std::wstring_view name = {}, std::wstring_view value = {}) {
  return IniLine{kind, name, value};
}

}  // namespace

IniLine ParseLine(std::wstring_view line) {
  const std::wstring_view text = strings::TrimBlanks(line);
  if (text.empty()) return Line(LineKind::kBlank);
  if (text.front() == L';') return Line(LineKind::kComment);
  if (text.front() == L'[') {
    const std::size_t close = text.rfind(L']');
    if (close == std::wstring_view::npos) return Line(LineKind::kOther);
    return Line(LineKind::kSection, strings::TrimBlanks(text.substr(1, close - 1)));
  }
  const std::size_t equals = text.find(L'=');
  if (equals == std::wstring_view::npos) return Line(LineKind::kOther);
  const std::wstring_view name = strings::TrimBlanks(text.substr(0, equals));
  if (name.empty()) return Line(LineKind::kOther);
  return Line(LineKind::kEntry, name, strings::TrimBlanks(text.substr(equals + 1)));
}

}  // namespace ini
