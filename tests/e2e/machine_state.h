// What the end-to-end tests read from, and seed into, the files and registry of their Wine prefix.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/util/test_files.h"
#include "util/file_bytes.h"

namespace e2e {

using namespace std::chrono_literals;

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

using test_files::SpecialFolder;

std::optional<std::string> FileBytes(const std::wstring& path);
using ::FileExists;
using ::FolderExists;
// The names inside a folder, sorted; empty when it cannot be listed.
std::vector<std::wstring> FolderNames(const std::wstring& folder);
// The last write time of a file, or nothing when it does not exist.
std::optional<ULONGLONG> LastWriteTime(const std::wstring& path);
// Replaces the file's content, creating its folders; fails the test when it cannot be written.
void WriteFileText(const std::wstring& path, const std::string& bytes);

// A string value of HKEY_LOCAL_MACHINE, through the 32-bit view.
std::optional<std::wstring> MachineValue(const std::wstring& key, const std::wstring& name);
// The start-up value of the current user's Run key.
std::optional<std::wstring> RunValue(const std::wstring& name);
bool MachineKeyExists(const std::wstring& key);
void WriteStringValue(HKEY root, const std::wstring& key, const std::wstring& name,
                      const std::wstring& data);

// Polls `done` every 50 ms until it holds or `timeout` passes; whether it held.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout = 20s);

// Byte-wise conversions for the ASCII texts of the tests.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);

}  // namespace e2e
