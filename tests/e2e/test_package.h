// Packages assembled for one end-to-end test: Setup.exe and the files a test asks for, in a
// folder of their own on drive C: of the test's Wine prefix.
#pragma once

#include <string>
#include <vector>

namespace e2e {

// The English licence of the test packages, for EULA\en\Service.rtf: one line of RTF that reads
// "Kestra licence terms".
inline constexpr char kLicence[] =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0 Kestra licence terms\\par}";

// The folder of the test program, where the build puts Setup.exe and the test data.
std::wstring BuildFolder();

class TestPackage {
 public:
  // Creates C:\packages\<name>\ with Setup.exe in it.
  explicit TestPackage(const std::wstring& name);

  const std::wstring& Folder() const { return folder_; }
  std::wstring SetupPath() const { return folder_ + L"Setup.exe"; }
  // Copies a file of the build's test data to `relativePath` inside the package.
  void AddTestData(const std::wstring& dataName, const std::wstring& relativePath) const;
  void WriteText(const std::wstring& relativePath, const std::string& utf8) const;
  // Places the argument recorder at `relativePath` (an .exe name); each start of it appends its
  // command line to RecordedStarts(relativePath).
  void AddRecorder(const std::wstring& relativePath) const;
  std::vector<std::wstring> RecordedStarts(const std::wstring& relativePath) const;

 private:
  std::wstring folder_;
};

// The command lines the argument recorder at `recorderPath` was started with, in order.
std::vector<std::wstring> RecordedStartsOf(const std::wstring& recorderPath);
// The file names of the processes that started it, in the same order: "explorer.exe" for a start
// through the desktop shell, as the user.
std::vector<std::wstring> RecordedParentsOf(const std::wstring& recorderPath);
// The lines of a recorder's log file.
std::vector<std::wstring> RecordedLines(const std::wstring& logPath);

}  // namespace e2e
