// What the package checker found: each finding with the file it lies in, where in that file (a
// key, a row, a column; empty when the whole file is meant) and what is wrong. A defect is what
// the user would see broken (a failed run, "@@", a missing picture or licence); a warning is what
// Setup.exe copes with in a way the release engineer may not have meant (the English picture or
// licence instead of the language's own, a key it ignores, a version it will misorder).
#pragma once

#include <string>
#include <vector>

namespace package_check {

struct Finding {
  std::wstring file;  // relative to the package folder, with "\" separators
  std::wstring where;
  std::wstring problem;
};

class Findings {
 public:
  void Add(std::wstring file, std::wstring where, std::wstring problem) {
    defects_.push_back({std::move(file), std::move(where), std::move(problem)});
  }
  void Warn(std::wstring file, std::wstring where, std::wstring problem) {
    warnings_.push_back({std::move(file), std::move(where), std::move(problem)});
  }
  const std::vector<Finding>& Defects() const { return defects_; }
  const std::vector<Finding>& Warnings() const { return warnings_; }
  bool HasDefects() const { return !defects_.empty(); }

 private:
  std::vector<Finding> defects_;
  std::vector<Finding> warnings_;
};

// "file: where: problem", or "file: problem" without a place.
std::wstring FindingText(const Finding& finding);

// The same with "warning: " before it, as the checker prints a warning.
std::wstring WarningText(const Finding& finding);

// "1 defect", "2 defects", "1 warning", ...
std::wstring CountText(std::size_t count, std::wstring_view thing);

}  // namespace package_check
