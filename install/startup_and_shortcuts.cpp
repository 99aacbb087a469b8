#include "install/startup_and_shortcuts.h"

#include <windows.h>

#include "install/install_context.h"
#include "record/product_shortcuts.h"
#include "record/record_values.h"
#include "util/com_init.h"
#include "util/reg_key.h"
#include "util/setup_log.h"

void WriteRegOnBootName(InstallContext& context) {
  const RecordKey startup = StartupEntryKey(context.settings, context.paths);
  win::RegKey key;
  context.PassGate();
  if (!key.Create(HKEY_CURRENT_USER, startup.keyPath, KEY_WRITE)) {
    LogLine(L"no start-up value: the key cannot be created: " + startup.sectionName);
    return;
  }
  context.ShowStatus(context.Text(L"InstallWizard", L"WriteRegOnBootName"));
  if (startup.values.empty()) return;
  const ini::IniEntry& value = startup.values.front();
  // The registry starts the program minimised; the record lists its plain path.
  if (!WriteRecordValue(key, startup.sectionName, value.key,
                        StartupValueData(context.paths.ProgramExePath))) {
    return;
  }
  auto& record = context.recordList;
  record.push_back(L"[" + startup.sectionName + L"]");
  record.push_back(value.key + L"=" + value.value);
}

void CreateLinks(InstallContext& context) {
  context.ShowStatus(context.Text(L"InstallWizard", L"CreateLinks"));
  // One apartment for all the links; otherwise each link sets COM up and tears it down again.
  const win::ScopedComInitializer com;
  const ProductShortcuts shortcuts =
      BuildProductShortcuts(context.settings, context.paths, context.facts);
  CreateMenuFolder(shortcuts);
  for (const ProductShortcut& row : shortcuts.rows) {
    context.PassGate();
    LinkOf(context.paths, row.kind) = MakeShortcut(row) ? row.link : L"";
  }
}
