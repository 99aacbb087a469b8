#include "tests/pages/test_printer.h"

#include <winspool.h>

#include <vector>

#include "util/file_bytes.h"

namespace testing_support {
namespace {

constexpr wchar_t kDriverName[] = L"Setup Tests PostScript";
constexpr wchar_t kDescriptionFile[] = L"setup-tests.ppd";

// Wine's PostScript driver needs a printer description (PPD); Wine's spooler carries a generic
// one as a resource, which it otherwise only installs for the printers it finds on the host.
bool WriteGenericDescription(const std::wstring& path) {
  HMODULE spooler = ::LoadLibraryExW(L"winspool.drv", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (spooler == nullptr) return false;
  bool written = false;
  if (HRSRC resource = ::FindResourceW(spooler, MAKEINTRESOURCEW(1), L"PPDFILE")) {
    const auto* data =
        static_cast<const std::uint8_t*>(::LockResource(::LoadResource(spooler, resource)));
    const DWORD size = ::SizeofResource(spooler, resource);
    if (data != nullptr && size > 0) written = WriteFileBytes(path, {data, size});
  }
  ::FreeLibrary(spooler);
  return written;
}

std::wstring DriverFolder() {
  wchar_t folder[MAX_PATH] = {};
  DWORD needed = 0;
  if (!::GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder),
                                    sizeof(folder), &needed)) {
    return {};
  }
  // Version-3 drivers live in the "3" folder below the driver directory.
  return std::wstring(folder) + L"\\3\\";
}

bool InstallDriver() {
  const std::wstring folder = DriverFolder();
  if (folder.empty()) return false;
  ::CreateDirectoryW(folder.c_str(), nullptr);
  if (!WriteGenericDescription(folder + kDescriptionFile)) return false;
  DRIVER_INFO_3W driver{};
  driver.cVersion = 3;
  driver.pName = const_cast<wchar_t*>(kDriverName);
  driver.pDriverPath = const_cast<wchar_t*>(L"wineps.drv");
  driver.pDataFile = const_cast<wchar_t*>(kDescriptionFile);
  driver.pConfigFile = const_cast<wchar_t*>(L"wineps.drv");
  return ::AddPrinterDriverExW(nullptr, 3, reinterpret_cast<BYTE*>(&driver), APD_COPY_NEW_FILES) !=
         FALSE;
}

}  // namespace

TestPrinter::TestPrinter(const std::wstring& name, const std::wstring& outputPath)
    : name_(name), outputPath_(outputPath) {
  ::DeleteFileW(outputPath_.c_str());
  if (!InstallDriver()) return;
  PRINTER_INFO_2W printer{};
  printer.pPrinterName = name_.data();
  printer.pPortName = outputPath_.data();  // a file path as port: the job is written there
  printer.pDriverName = const_cast<wchar_t*>(kDriverName);
  printer.pPrintProcessor = const_cast<wchar_t*>(L"WinPrint");
  printer.pDatatype = const_cast<wchar_t*>(L"RAW");
  printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
  HANDLE added = ::AddPrinterW(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
  if (added == nullptr) return;
  ::ClosePrinter(added);
  ready_ = ::SetDefaultPrinterW(name_.c_str()) != FALSE;
}

TestPrinter::~TestPrinter() {
  HANDLE printer = nullptr;
  PRINTER_DEFAULTSW access{nullptr, nullptr, PRINTER_ALL_ACCESS};
  if (::OpenPrinterW(name_.data(), &printer, &access)) {
    ::DeletePrinter(printer);
    ::ClosePrinter(printer);
  }
  ::DeleteFileW(outputPath_.c_str());
}

std::string TestPrinter::Output() const {
  const auto bytes = ReadFileBytes(outputPath_);
  return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

}  // namespace testing_support
