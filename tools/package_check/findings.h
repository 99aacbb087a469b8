// What the package checker found wrong: each defect with the file it lies in, where in that file
// (a key, a row, a column; empty when the whole file is meant) and what is wrong.
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
    all_.push_back({std::move(file), std::move(where), std::move(problem)});
  }
  const std::vector<Finding>& All() const { return all_; }
  bool Empty() const { return all_.empty(); }
  // What works but is less than it could be (a text Setup.exe shows in its built-in English):
  // reported, but no defect.
  void Warn(std::wstring file, std::wstring where, std::wstring problem) {
    warnings_.push_back({std::move(file), std::move(where), std::move(problem)});
  }
  const std::vector<Finding>& Warnings() const { return warnings_; }

 private:
  std::vector<Finding> all_;
  std::vector<Finding> warnings_;
};

// "file: where: problem", or "file: problem" without a place.
std::wstring FindingText(const Finding& finding);

}  // namespace package_check
