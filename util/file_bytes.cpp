#include "util/file_bytes.h"

#include <windows.h>

#include "util/link_safe_files.h"
#include "util/scoped_handle.h"

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::wstring& path) {
  win::ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size) || size.QuadPart > kMaxReadFileBytes) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!::ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr) || read == 0) {
      return std::nullopt;
    }
    done += read;
  }
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, std::span<const std::uint8_t> bytes) {
  const win::ScopedHandle file = CreateFileAfresh(path, 0);
  if (!file) return false;
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!::WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return true;
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
