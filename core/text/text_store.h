// The in-memory texts of the chosen language: one text per (section, identifier).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace localisation {

// Section and identifier names are matched without regard to letter case (strings::FoldCase).
// Setting a name pair again replaces its text, whatever the case it is written in.
class TextStore {
 public:
  void Set(std::wstring_view section, std::wstring_view identifier, std::wstring text);

  // The stored text, which may be empty; nothing when the pair was never set.
  std::optional<std::wstring> Find(std::wstring_view section, std::wstring_view identifier) const;

 private:
  // Both key levels hold folded names.
  std::map<std::wstring, std::map<std::wstring, std::wstring>> sections_;
};

}  // namespace localisation
