// A printer for the tests: Wine's PostScript driver with its generic printer description, whose
// port is a file, so that what a program prints can be read back. Removed again at the end.
#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

class TestPrinter {
 public:
  // Installs the printer `name` printing into `outputPath` and makes it the default printer.
  // Ready() tells whether that worked.
  TestPrinter(const std::wstring& name, const std::wstring& outputPath);
  TestPrinter(const TestPrinter&) = delete;
  TestPrinter& operator=(const TestPrinter&) = delete;
  ~TestPrinter();

  bool Ready() const { return ready_; }
  // What the printer wrote (empty when nothing was printed).
  std::string Output() const;

 private:
  std::wstring name_;
  std::wstring outputPath_;
  bool ready_ = false;
};

}  // namespace testing_support
