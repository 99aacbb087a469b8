// RegKey against the registry of the Wine prefix: a key path or value name with a NUL inside is
// refused outright, so it never reaches the shorter name before the NUL (a parent of the key
// meant, or another value).
#include "util/reg_key.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

namespace {

using namespace std::string_literals;

const std::wstring kRoot = L"Software\\UtilTests\\RegKeyNul";
const std::wstring kProduct = kRoot + L"\\Product";
const std::wstring kSibling = kRoot + L"\\Sibling";

class RegKeyNulTest : public testing::Test {
 protected:
  void SetUp() override {
    (void)win::RegKey::DeleteTree(HKEY_CURRENT_USER, kRoot);  // left by an earlier run, if any
    for (const std::wstring& path : {kProduct, kSibling}) {
      win::RegKey key;
      ASSERT_TRUE(key.Create(HKEY_CURRENT_USER, path));
      ASSERT_TRUE(key.WriteString(L"Value", L"kept"));
      ASSERT_TRUE(key.WriteString(L"Other", L"other"));
    }
  }
  void TearDown() override { (void)win::RegKey::DeleteTree(HKEY_CURRENT_USER, kRoot); }

  static std::optional<std::wstring> Read(const std::wstring& path, const std::wstring& name) {
    win::RegKey key;
    if (!key.Open(HKEY_CURRENT_USER, path, KEY_READ)) return std::nullopt;
    return key.ReadString(name);
  }

  static void ExpectUntouched() {
    for (const std::wstring& path : {kProduct, kSibling}) {
      EXPECT_EQ(Read(path, L"Value"), L"kept") << testing::PrintToString(path);
      EXPECT_EQ(Read(path, L"Other"), L"other") << testing::PrintToString(path);
    }
  }
};

TEST_F(RegKeyNulTest, DoesNotOpenOrCreateAKeyWhosePathHoldsANul) {
  // Up to the NUL these paths name keys that exist, or one that could be created.
  win::RegKey key;
  EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, kRoot + L"\0\\Product"s, KEY_READ));
  EXPECT_FALSE(key.IsOpen());
  EXPECT_FALSE(key.Open(HKEY_CURRENT_USER, kProduct + L"\0tail"s, KEY_READ));
  EXPECT_FALSE(key.IsOpen());
  EXPECT_FALSE(win::RegKey::Exists(HKEY_CURRENT_USER, kProduct + L"\0tail"s));

  EXPECT_FALSE(key.Create(HKEY_CURRENT_USER, kRoot + L"\\Created\0\\Deeper"s));
  EXPECT_FALSE(key.IsOpen());
  EXPECT_FALSE(win::RegKey::Exists(HKEY_CURRENT_USER, kRoot + L"\\Created"));
  ExpectUntouched();
}

TEST_F(RegKeyNulTest, DoesNotDeleteTheKeyBeforeTheNul) {
  // Read up to the NUL, the path names the common parent: its deletion would take the sibling.
  EXPECT_FALSE(win::RegKey::DeleteTree(HKEY_CURRENT_USER, kRoot + L"\0\\Product"s));
  EXPECT_FALSE(win::RegKey::DeleteTree(HKEY_CURRENT_USER, kProduct + L"\0"s));

  win::RegKey parent;
  ASSERT_TRUE(parent.Open(HKEY_CURRENT_USER, kRoot, KEY_ALL_ACCESS));
  EXPECT_FALSE(parent.DeleteKeyTree(L"Product\0\\Deeper"s));
  EXPECT_FALSE(parent.DeleteKeyTree(L"\0Product"s));

  EXPECT_TRUE(win::RegKey::Exists(HKEY_CURRENT_USER, kProduct));
  EXPECT_TRUE(win::RegKey::Exists(HKEY_CURRENT_USER, kSibling));
  ExpectUntouched();
}

TEST_F(RegKeyNulTest, DoesNotReadWriteOrDeleteAValueWhoseNameHoldsANul) {
  win::RegKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kProduct, KEY_ALL_ACCESS));
  EXPECT_FALSE(key.DeleteValue(L"Value\0tail"s));
  EXPECT_FALSE(key.DeleteValue(L"\0Value"s));
  EXPECT_FALSE(key.WriteString(L"Other\0tail"s, L"changed"));
  EXPECT_FALSE(key.WriteString(L"\0Other"s, L"changed"));
  EXPECT_FALSE(key.ReadString(L"Value\0tail"s).has_value());
  EXPECT_FALSE(key.HasValue(L"Value\0tail"s));

  EXPECT_FALSE(key.HasValue(L"")) << "no default value was written in place of a refused name";
  ExpectUntouched();
}

TEST_F(RegKeyNulTest, StillServesTheSameNamesWithoutTheNul) {
  // The refusals above must come from the NUL, not from names these keys cannot take.
  win::RegKey key;
  ASSERT_TRUE(key.Open(HKEY_CURRENT_USER, kProduct, KEY_ALL_ACCESS));
  EXPECT_TRUE(key.HasValue(L"Value"));
  EXPECT_TRUE(key.WriteString(L"Other", L"changed"));
  EXPECT_EQ(key.ReadString(L"Other"), L"changed");
  EXPECT_TRUE(key.DeleteValue(L"Value"));
  EXPECT_FALSE(key.HasValue(L"Value"));
  key.Close();
  EXPECT_TRUE(win::RegKey::DeleteTree(HKEY_CURRENT_USER, kProduct));
  EXPECT_FALSE(win::RegKey::Exists(HKEY_CURRENT_USER, kProduct));
  EXPECT_TRUE(win::RegKey::Exists(HKEY_CURRENT_USER, kSibling));
}

}  // namespace
