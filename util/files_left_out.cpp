#include "util/files_left_out.h"

#include <algorithm>
#include <mutex>

#include "core/strings/string_util.h"

namespace {

std::mutex guard;
std::vector<std::wstring> noted;

}  // namespace

void NoteFileLeftOut(const std::wstring& path) {
  const std::lock_guard lock(guard);
  noted.push_back(path);
}

std::vector<std::wstring> FirstFilesLeftOut(std::size_t count) {
  const std::lock_guard lock(guard);
  return {noted.begin(),
          noted.begin() + static_cast<std::ptrdiff_t>(std::min(count, noted.size()))};
}

std::size_t FilesLeftOutCount() {
  const std::lock_guard lock(guard);
  return noted.size();
}

bool WasLeftOut(const std::wstring& path) {
  const std::lock_guard lock(guard);
  return std::any_of(noted.begin(), noted.end(), [&](const std::wstring& left) {
    return strings::EqualsIgnoreCase(left, path);
  });
}
