#include "core/prepare/name_settings.h"

#include <span>

namespace prepare {
namespace {

using folders::NameProblem;

enum class Rule {
  kName,          // a plain name, never empty
  kOptionalName,  // "" keeps its meaning (no folder level, the product folder itself)
  kRelativePath,  // a prefix or a path below the program folder; "" allowed
  // A registry key's name, "" allowed. The part before a NUL must be a plain name; a name that
  // holds a NUL names no key at all (the registry wrapper refuses it), so nothing is found by it.
  kKeyName,
};

enum ModeSet : unsigned {
  kInstalling = 1u << 0,  // install and upgrade
  kRegistry = 1u << 1,
  kRemoving = 1u << 2,  // uninstall, uninstall anyway
  kUpdater = 1u << 3,
  kEveryMode = kInstalling | kRegistry | kRemoving | kUpdater,
};

enum class Source { kSetting, kText };

struct NameValue {
  std::wstring_view key;
  Source source;
  Rule rule;
  unsigned modes;
};

constexpr NameValue kNameValues[] = {
    {L"%PROGRAM_FILES", Source::kSetting, Rule::kName, kInstalling | kRegistry},
    {L"%PROGRAM_FILES_OLD", Source::kSetting, Rule::kOptionalName, kInstalling},
    {L"%UPDATER_DIR", Source::kSetting, Rule::kOptionalName, kInstalling | kRegistry},
    {L"%PROGRAM_EXEC", Source::kSetting, Rule::kOptionalName, kInstalling | kRegistry},
    // An empty name is refused where the registry key is formed, as before. Both name one key
    // below the one above them: the removal deletes the product's key by them.
    {L"%PUBLISHER", Source::kSetting, Rule::kKeyName, kEveryMode},
    {L"%REG_FODLER_PROGNAME", Source::kSetting, Rule::kOptionalName, kEveryMode},
    {L"%UNINST_ICO", Source::kSetting, Rule::kRelativePath, kInstalling | kRegistry},
    {L"%MANUAL_ICO", Source::kSetting, Rule::kRelativePath, kInstalling | kRegistry},
    {L"%PROGRAM_DATA", Source::kSetting, Rule::kRelativePath, kInstalling},
    {L"%MANUAL_DIR", Source::kSetting, Rule::kRelativePath, kInstalling | kRegistry},
    {L"LINK_PROGRAMS_FOLDER", Source::kText, Rule::kOptionalName, kInstalling | kRegistry},
    {L"LINK_PROGRAMS_EXEC", Source::kText, Rule::kName, kInstalling | kRegistry},
    {L"LINK_PROGRAMS_UNIST", Source::kText, Rule::kName, kInstalling | kRegistry},
    {L"LINK_DESKTOP", Source::kText, Rule::kName, kInstalling | kRegistry},
};

// Only packages with a publisher folder and a manual use these texts.
constexpr NameValue kPublisherFolder = {L"LINK_PROGRAMS_PUBLISHER", Source::kText,
                                        Rule::kOptionalName, kInstalling | kRegistry};
constexpr NameValue kManualLink = {L"LINK_PROGRAMS_MANUAL", Source::kText, Rule::kName,
                                   kInstalling | kRegistry};

// The registry mode rewrites keys named by these: without them it would delete and write nothing.
constexpr std::wstring_view kRegistryNeeds[] = {L"%PUBLISHER", L"%REG_FODLER_PROGNAME"};

unsigned ModesOf(RunMode mode) {
  switch (mode) {
    case RunMode::kInstall:
    case RunMode::kUpgrade:
      return kInstalling;
    case RunMode::kRegistry:
      return kRegistry;
    case RunMode::kUninstall:
    case RunMode::kUninstallAnyway:
      return kRemoving;
    case RunMode::kUpdater:
      return kUpdater;
  }
  return 0;
}

NameProblem Check(Rule rule, std::wstring_view value) {
  switch (rule) {
    case Rule::kName:
      return folders::CheckPlainName(value);
    case Rule::kOptionalName:
      return value.empty() ? NameProblem::kNone : folders::CheckPlainName(value);
    case Rule::kRelativePath:
      return folders::CheckRelativePath(value);
    case Rule::kKeyName: {
      const std::wstring_view key = value.substr(0, value.find(L'\0'));
      return key.empty() ? NameProblem::kNone : folders::CheckPlainName(key);
    }
  }
  return NameProblem::kNone;
}

void CollectBreaches(unsigned modes, const ValueReader& setting, const ValueReader& text,
                     bool stopAtFirst, std::vector<NameBreach>& breaches) {
  std::vector<NameValue> checked(std::begin(kNameValues), std::end(kNameValues));
  if (setting(L"%PUBLISHER") != L"OEM") checked.push_back(kPublisherFolder);
  if (setting(L"%MANULA_EXIST") == L"1") checked.push_back(kManualLink);
  if (modes & kRegistry) {
    for (std::wstring_view key : kRegistryNeeds) {
      if (setting(key).empty()) {
        breaches.push_back({std::wstring(key), L"", NameProblem::kEmpty});
        if (stopAtFirst) return;
      }
    }
  }
  for (const NameValue& name : checked) {
    if ((name.modes & modes) == 0) continue;
    const std::wstring value = name.source == Source::kSetting ? setting(name.key) : text(name.key);
    const NameProblem problem = Check(name.rule, value);
    if (problem == NameProblem::kNone) continue;
    breaches.push_back({std::wstring(name.key), value, problem});
    if (stopAtFirst) return;
  }
}

}  // namespace

std::optional<NameBreach> FindNameBreach(RunMode mode, const ValueReader& setting,
                                         const ValueReader& text) {
  std::vector<NameBreach> breaches;
  CollectBreaches(ModesOf(mode), setting, text, true, breaches);
  if (breaches.empty()) return std::nullopt;
  return breaches.front();
}

std::vector<NameBreach> AllNameBreaches(const ValueReader& setting, const ValueReader& text) {
  std::vector<NameBreach> breaches;
  CollectBreaches(kInstalling | kRemoving | kUpdater, setting, text, false, breaches);
  return breaches;
}

std::wstring NameBreachText(const NameBreach& breach) {
  return breach.key + L" \"" + breach.value + L"\" " +
         std::wstring(folders::NameProblemText(breach.problem));
}

}  // namespace prepare
