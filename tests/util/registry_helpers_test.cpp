// Registry helpers against the registry of the Wine prefix, as a 32-bit program sees it.
#include "util/registry_helpers.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "core/ini/ini_file.h"
#include "tools/driver/driver.h"
#include "util/reg_key.h"

namespace {

const std::wstring kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::wstring kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const std::wstring kTestKey = L"Software\\UtilTests";

ini::IniFile SettingsWith(std::string_view text) {
  return ini::IniFile::FromBytes({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// Writes a string value the way the installation does: no view flag.
void Write(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& value,
           REGSAM view = 0) {
  win::RegKey opened;
  ASSERT_TRUE(opened.Create(root, key, KEY_WRITE | view)) << testing::PrintToString(key);
  ASSERT_TRUE(opened.WriteString(name, value));
}

bool KeyExists(HKEY root, const std::wstring& key, REGSAM view = 0) {
  win::RegKey opened;
  return opened.Open(root, key, KEY_READ | view);
}

std::vector<std::wstring> SubKeyNames(const std::wstring& machineKey) {
  win::RegKey opened;
  if (!opened.Open(HKEY_LOCAL_MACHINE, machineKey, KEY_READ)) return {};
  return opened.SubKeyNames();
}

std::optional<std::wstring> ReadUserString(const std::wstring& key, const std::wstring& name) {
  win::RegKey opened;
  if (!opened.Open(HKEY_CURRENT_USER, key, KEY_READ)) return std::nullopt;
  return opened.ReadString(name);
}

TEST(ExpandKeyTemplate, ReplacesBothTokensOrGivesEmptyText) {
  const std::wstring kTemplate = L"Software\\%PUBLISHER\\%REG_FODLER_PROGNAME\\";
  const struct {
    const char* settings;
    std::wstring keyTemplate;
    std::wstring publisher;
    std::wstring programName;
    std::wstring expected;
  } cases[] = {
      {"[Setup]\n%PUBLISHER=P\n%REG_FODLER_PROGNAME=N\n", kTemplate, L"", L"", L"Software\\P\\N\\"},
      // Keys are looked up without regard to case, as every settings read is.
      {"[setup]\n%publisher=P\n%reg_fodler_progname=N\n", kTemplate, L"", L"", L"Software\\P\\N\\"},
      {"[Setup]\n%REG_FODLER_PROGNAME=N\n", kTemplate, L"", L"", L""},
      {"[Setup]\n%PUBLISHER=\n%REG_FODLER_PROGNAME=N\n", kTemplate, L"", L"", L""},
      {"[Setup]\n%PUBLISHER=P\n", kTemplate, L"", L"", L""},
      {"[Other]\n%PUBLISHER=P\n%REG_FODLER_PROGNAME=N\n", kTemplate, L"", L"", L""},
      // Values given by the caller are used as they are.
      {"[Setup]\n%PUBLISHER=P\n%REG_FODLER_PROGNAME=N\n", kTemplate, L"Q", L"M",
       L"Software\\Q\\M\\"},
      {"", kTemplate, L"Q", L"", L""},
      // Tokens are replaced exactly, and everywhere.
      {"[Setup]\n%PUBLISHER=P\n%REG_FODLER_PROGNAME=N\n",
       L"Software\\%publisher\\%REG_FODLER_PROGNAME\\", L"", L"", L"Software\\%publisher\\N\\"},
      {"[Setup]\n%PUBLISHER=P\n%REG_FODLER_PROGNAME=N\n", L"%PUBLISHER-%PUBLISHER", L"", L"",
       L"P-P"},
      // The publisher goes in first: a program-name token in its value is replaced as well.
      {"[Setup]\n%PUBLISHER=A%REG_FODLER_PROGNAME\n%REG_FODLER_PROGNAME=N\n", kTemplate, L"", L"",
       L"Software\\AN\\N\\"},
  };
  for (const auto& c : cases) {
    const ini::IniFile settings = SettingsWith(c.settings);
    EXPECT_EQ(ExpandKeyTemplate(&settings, L"Setup", c.keyTemplate, c.publisher, c.programName,
                                L"%REG_FODLER_PROGNAME", L"%PUBLISHER"),
              c.expected)
        << c.settings << " template " << testing::PrintToString(c.keyTemplate);
  }
  EXPECT_EQ(ExpandKeyTemplate(nullptr, L"Setup", kTemplate, L"", L"", L"%REG_FODLER_PROGNAME",
                              L"%PUBLISHER"),
            L"")
      << "no settings file";
}

TEST(ReadMachineString, ReadsTheThirtyTwoBitView) {
  const std::wstring key = kTestKey + L"\\Read";
  Write(HKEY_LOCAL_MACHINE, key, L"Text", L"32-bit \u00e4\u4e2d", KEY_WOW64_32KEY);
  Write(HKEY_LOCAL_MACHINE, key, L"Text", L"64-bit", KEY_WOW64_64KEY);
  Write(HKEY_LOCAL_MACHINE, key, L"", L"default");
  Write(HKEY_LOCAL_MACHINE, key + L"\\Sub", L"Deep", L"deep");
  const DWORD number = 7;
  ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"Number", REG_DWORD, &number,
                              sizeof(number)),
            ERROR_SUCCESS);
  const wchar_t expandable[] = L"%SystemRoot%\\x";
  ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"Expandable", REG_EXPAND_SZ,
                              expandable, sizeof(expandable)),
            ERROR_SUCCESS);
  const struct {
    std::wstring name;
    std::wstring key;
    std::wstring expected;
  } cases[] = {
      {L"Text", key, L"32-bit \u00e4\u4e2d"},
      {L"Text", key + L"\\", L"32-bit \u00e4\u4e2d"},
      {L"", key, L"default"},
      {L"Expandable", key, L"%SystemRoot%\\x"},
      {L"Number", key, L""},
      {L"Absent", key, L""},
      {L"Deep", key + L"\\Sub", L"deep"},
      {L"Text", kTestKey + L"\\Missing", L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadMachineString(c.name, false, c.key), c.expected)
        << testing::PrintToString(c.key) << " " << testing::PrintToString(c.name);
  }
  EXPECT_EQ(driver::ReadRegistryString(HKEY_LOCAL_MACHINE, key, L"Text"), L"32-bit \u00e4\u4e2d")
      << "the helpers' view is the 32-bit view";
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kTestKey + L"\\Missing")) << "reading creates nothing";
  EXPECT_EQ(ReadMachineString(L"Text", true, kTestKey + L"\\Created"), L"");
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kTestKey + L"\\Created"))
      << "with can-create the key is made";
}

TEST(DeleteMachineKey, DeletesTheKeyWithItsSubkeysInTheThirtyTwoBitView) {
  const std::wstring entry = kUninstallKey + L"UtilTestEntry";
  Write(HKEY_LOCAL_MACHINE, entry, L"DisplayName", L"Entry");
  Write(HKEY_LOCAL_MACHINE, entry + L"\\Sub\\Deeper", L"Value", L"x");
  Write(HKEY_LOCAL_MACHINE, kUninstallKey + L"UtilTestOther", L"DisplayName", L"Other");
  Write(HKEY_LOCAL_MACHINE, entry, L"DisplayName", L"64-bit twin", KEY_WOW64_64KEY);

  DeleteMachineKey(L"", false, entry);

  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, entry, KEY_WOW64_32KEY));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, entry, KEY_WOW64_64KEY))
      << "the 64-bit view is not touched";
  EXPECT_EQ(driver::ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey + L"UtilTestOther",
                                       L"DisplayName"),
            L"Other");
}

TEST(DeleteMachineKey, DeletesBelowAParentOnlyWhenItOpens) {
  const std::wstring parent = kTestKey + L"\\Parent";
  Write(HKEY_LOCAL_MACHINE, parent + L"\\Child\\Grandchild", L"Value", L"x");
  Write(HKEY_LOCAL_MACHINE, parent + L"\\Sibling", L"Value", L"y");
  // The private key as ExpandKeyTemplate gives it, with its trailing separator.
  Write(HKEY_LOCAL_MACHINE, kTestKey + L"\\Publisher\\Program", L"Product", L"p");

  DeleteMachineKey(parent, false, L"Child");
  DeleteMachineKey(kTestKey + L"\\MissingParent", false, L"Sibling");
  DeleteMachineKey(L"", false, kTestKey + L"\\Publisher\\Program\\");

  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, parent + L"\\Child"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, parent + L"\\Sibling"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kTestKey + L"\\MissingParent"))
      << "a parent is not created without can-create";
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kTestKey + L"\\Publisher\\Program"));
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kTestKey + L"\\Publisher"));
}

TEST(DeleteMachineKey, RefusesAnEmptyKeyPath) {
  const std::wstring entry = kUninstallKey + L"UtilTestKept";
  Write(HKEY_LOCAL_MACHINE, entry, L"DisplayName", L"Kept");
  Write(HKEY_LOCAL_MACHINE, kTestKey + L"\\Guard", L"Value", L"v");
  const struct {
    std::wstring parent;
    std::wstring key;
  } cases[] = {
      {L"", L""},
      {L"", L"\\"},
      {L"Software", L""},
      {kUninstallKey, L""},
      {kUninstallKey, L"\\\\"},
      {kTestKey, L""},
  };
  const std::wstring watched[] = {L"", L"Software", kUninstallKey, kTestKey};
  std::vector<std::vector<std::wstring>> before;
  for (const std::wstring& key : watched) before.push_back(SubKeyNames(key));

  for (const auto& c : cases) {
    for (const bool canCreate : {false, true}) DeleteMachineKey(c.parent, canCreate, c.key);
  }

  for (size_t i = 0; i < std::size(watched); ++i) {
    EXPECT_EQ(SubKeyNames(watched[i]), before[i]) << testing::PrintToString(watched[i]);
  }
  EXPECT_EQ(driver::ReadRegistryString(HKEY_LOCAL_MACHINE, entry, L"DisplayName"), L"Kept");
  EXPECT_EQ(driver::ReadRegistryString(HKEY_LOCAL_MACHINE, kTestKey + L"\\Guard", L"Value"), L"v");
}

TEST(DeleteUserValue, DeletesOnlyTheNamedValue) {
  Write(HKEY_CURRENT_USER, kRunKey, L"", L"run default");
  Write(HKEY_CURRENT_USER, kRunKey, L"UtilTestOther", L"C:\\other.exe Minimum");
  Write(HKEY_CURRENT_USER, kRunKey, L"UtilTestMine", L"C:\\mine.exe Minimum");

  DeleteUserValue(kRunKey, false, L"UtilTestMine");
  DeleteUserValue(kRunKey, false, L"UtilTestAbsent");
  DeleteUserValue(kRunKey, false, L"");
  DeleteUserValue(kRunKey, true, L"");

  EXPECT_FALSE(ReadUserString(kRunKey, L"UtilTestMine").has_value());
  EXPECT_EQ(ReadUserString(kRunKey, L"UtilTestOther"), L"C:\\other.exe Minimum");
  EXPECT_EQ(ReadUserString(kRunKey, L""), L"run default")
      << "an empty value name does not reach the key's default value";
}

TEST(DeleteUserValue, CreatesAMissingKeyOnlyWithCanCreate) {
  DeleteUserValue(kTestKey + L"\\NotCreated", false, L"Value");
  DeleteUserValue(kTestKey + L"\\Created", true, L"Value");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTestKey + L"\\NotCreated"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTestKey + L"\\Created"));
}

}  // namespace
