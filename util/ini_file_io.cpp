#include "util/ini_file_io.h"

#include <windows.h>

#include "util/file_bytes.h"

strings::CodePage SystemCodePage() {
  strings::CodePage codePage;
  codePage.decode = [](std::string_view bytes) {
    std::wstring text;
    if (bytes.empty()) return text;
    const int length =
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    text.resize(static_cast<size_t>(length));
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                          length);
    return text;
  };
  codePage.encode = [](std::wstring_view text) {
    std::string bytes;
    if (text.empty()) return bytes;
    // No best fit: a character the code page lacks becomes "?", never a look-alike that names
    // another file.
    const int length =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                              static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    bytes.resize(static_cast<size_t>(length));
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                          bytes.data(), length, nullptr, nullptr);
    return bytes;
  };
  return codePage;
}

std::unique_ptr<ini::IniFile> ReadIniFile(const std::wstring& path) {
  const auto bytes = ReadFileBytes(path);
  if (!bytes) return nullptr;
  return std::make_unique<ini::IniFile>(ini::IniFile::FromBytes(*bytes, SystemCodePage()));
}

bool WriteIniFile(const std::wstring& path, const ini::IniFile& ini) {
  return WriteFileBytes(path, ini.Serialize());
}
