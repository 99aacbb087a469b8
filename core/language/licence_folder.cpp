#include "core/language/licence_folder.h"

#include <array>
#include <utility>

namespace localisation {
namespace {

constexpr std::array<std::pair<std::wstring_view, std::wstring_view>, 14> kEulaCodes = {{
    {L"ChineseT", L"tw"},
    {L"ChineseS", L"cn"},
    {L"English", L"en"},
    {L"Dutch", L"nl"},
    {L"German", L"de"},
    {L"Spanish", L"es"},
    {L"French", L"fr"},
    {L"Italian", L"it"},
    {L"Japanese", L"jp"},
    {L"Korean", L"kr"},
    {L"Polish", L"pl"},
    {L"Portuguese", L"pt"},
    {L"Turkish", L"tr"},
    {L"Russian", L"ru"},
}};

}  // namespace

std::wstring EulaLanguageCode(std::wstring_view language) {
  for (const auto& [name, code] : kEulaCodes) {
    if (language == name) return std::wstring(code);
  }
  return L"en";
}

}  // namespace localisation
