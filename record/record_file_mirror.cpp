#include "record/record_file_mirror.h"

#include "util/file_bytes.h"
#include "util/ini_file_io.h"
#include "util/link_safe_files.h"
#include "util/setup_log.h"

void MirrorIntoRecordFile(const std::wstring& updaterFolder, const std::wstring& section,
                          const std::vector<ini::IniEntry>& values) {
  if (updaterFolder.empty()) return;
  const std::wstring path = updaterFolder + L"Regedit_FileList.ini";
  if (!FileExists(path)) return;
  // The updater folder lies in the product folder, open to everybody: when it is a link, the
  // file is elsewhere.
  const std::wstring folder = updaterFolder.substr(0, updaterFolder.size() - 1);
  if (PassesThroughLink(path, folder.substr(0, folder.find_last_of(L'\\')))) {
    LogLine(L"guard: the record file is not written through a link: " + path);
    return;
  }
  auto file = ReadIniFile(path);
  if (!file) return;
  for (const auto& value : values) file->WriteString(section, value.key, value.value);
  WriteIniFile(path, *file);
}
