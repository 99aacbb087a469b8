#include "tools/package_check/findings.h"

namespace package_check {

std::wstring FindingText(const Finding& finding) {
  std::wstring text = finding.file + L": ";
  if (!finding.where.empty()) text += finding.where + L": ";
  return text + finding.problem;
}

}  // namespace package_check
