#include "record/record_file_mirror.h"

#include "util/file_bytes.h"
#include "util/ini_file_io.h"

void MirrorIntoRecordFile(const std::wstring& updaterFolder, const std::wstring& section,
                          const std::vector<ini::IniEntry>& values) {
  if (updaterFolder.empty()) return;
  const std::wstring path = updaterFolder + L"Regedit_FileList.ini";
  if (!FileExists(path)) return;
  auto file = ReadIniFile(path);
  if (!file) return;
  for (const auto& value : values) file->WriteString(section, value.key, value.value);
  WriteIniFile(path, *file);
}
