#include "core/prepare/legacy_products.h"

namespace prepare {
namespace {

// Kestra Software's products before this setup program; their packages registered them under
// "InstallShield_{...}" uninstall entries with these display names.
constexpr LegacyProduct kLegacyProducts[] = {
    {L"KestraCapture", L"\u7D05\u96BC\u64F7\u53D6 [Kestra Capture]",
     L"\u7EA2\u96BC\u64F7\u53D6 [Kestra Capture]", L"Kestra Capture"},
    {L"KestraScan", L"\u7D05\u96BC\u6383\u63CF [Kestra Scan]",
     L"\u7EA2\u96BC\u626B\u63CF [Kestra Scan]", L"Kestra Scan"},
    {L"KestraNotes", L"\u7D05\u96BC\u7B46\u8A18 [Kestra Notes]",
     L"\u7EA2\u96BC\u7B14\u8BB0 [Kestra Notes]", L"Kestra Notes"},
    {L"KestraCards", L"\u7D05\u96BC\u540D\u7247 [Kestra Cards]",
     L"\u7EA2\u96BC\u540D\u7247 [Kestra Cards]", L"Kestra Cards"},
    {L"KestraPhoto", L"\u7D05\u96BC\u76F8\u7247 [Kestra Photo]",
     L"\u7EA2\u96BC\u76F8\u7247 [Kestra Photo]", L"Kestra Photo"},
    {L"KestraPen", L"\u7D05\u96BC\u624B\u5BEB [Kestra Pen]",
     L"\u7EA2\u96BC\u624B\u5199 [Kestra Pen]", L"Kestra Pen"},
    {L"KestraOCR", L"\u7D05\u96BC\u6587\u5B57\u8FA8\u8B58 [Kestra OCR]",
     L"\u7EA2\u96BC\u6587\u5B57\u8BC6\u522B [Kestra OCR]", L"Kestra OCR"},
};

}  // namespace

void GetLegacyDisplayNames(std::wstring_view code, std::vector<std::wstring>& names) {
  for (const LegacyProduct& product : kLegacyProducts) {
    if (code == product.code) {
      names.emplace_back(product.traditionalChineseName);
      names.emplace_back(product.simplifiedChineseName);
      names.emplace_back(product.englishName);
      return;
    }
  }
}

}  // namespace prepare
