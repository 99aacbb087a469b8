#include "tools/package_check/findings.h"

namespace package_check {

std::wstring FindingText(const Finding& finding) {
  std::wstring text = finding.file + L": ";
  if (!finding.where.empty()) text += finding.where + L": ";
  return text + finding.problem;
}

std::wstring WarningText(const Finding& finding) {
  return L"warning: " + FindingText(finding);
}

std::wstring CountText(std::size_t count, std::wstring_view thing) {
  return std::to_wstring(count) + L" " + std::wstring(thing) + (count == 1 ? L"" : L"s");
}

}  // namespace package_check
