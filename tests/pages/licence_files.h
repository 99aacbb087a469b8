// Licence files placed beside the test program, where the licence page looks for them
// (EULA\<code>\Service.rtf). Everything below "EULA\" is removed when the files are made (what
// an interrupted run left) and again at the end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

class LicenceFiles {
 public:
  LicenceFiles();
  LicenceFiles(const LicenceFiles&) = delete;
  LicenceFiles& operator=(const LicenceFiles&) = delete;
  ~LicenceFiles();

  // Writes EULA\<code>\Service.rtf with exactly these bytes.
  void Write(const std::wstring& code, const std::vector<std::uint8_t>& bytes);
  void Write(const std::wstring& code, const std::string& bytes);

 private:
  std::wstring root_;
};

// The folder of the running test program, with a trailing "\".
std::wstring TestProgramFolder();

}  // namespace testing_support
