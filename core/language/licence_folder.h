// The folder below "EULA\" that holds a language's licence text ("Service.rtf").
#pragma once

#include <string>
#include <string_view>

namespace localisation {

// The licence folder code of a language name ("ChineseT" gives "tw"), compared exactly and
// case-sensitively; every language without a licence of its own gives "en".
std::wstring EulaLanguageCode(std::wstring_view language);

}  // namespace localisation
