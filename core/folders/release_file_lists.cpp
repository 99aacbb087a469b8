#include "core/folders/release_file_lists.h"

#include "core/strings/string_util.h"

namespace folders {

bool IsReleaseFileList(std::wstring_view name) {
  static constexpr std::wstring_view kLists[] = {L"SHA256SUMS", L"SHA512SUMS", L"SHA1SUMS",
                                                 L"MD5SUMS",    L"B2SUMS",     L"CHECKSUMS"};
  for (std::wstring_view list : kLists) {
    if (name.size() < list.size() ||
        !strings::EqualsIgnoreCase(name.substr(0, list.size()), list)) {
      continue;
    }
    if (name.size() == list.size() || name[list.size()] == L'.') return true;
  }
  static constexpr std::wstring_view kSumExtensions[] = {L".sha256", L".sha512", L".md5"};
  for (std::wstring_view extension : kSumExtensions) {
    if (name.size() > extension.size() &&
        strings::EqualsIgnoreCase(name.substr(name.size() - extension.size()), extension)) {
      return true;
    }
  }
  return false;
}

}  // namespace folders
