#include "core/text/text_store.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace localisation {
namespace {

TEST(TextStoreTest, EmptyStoreFindsNothing) {
  const TextStore store;
  EXPECT_EQ(store.Find(L"InstallWizard", L"MSG_001"), std::nullopt);
  EXPECT_EQ(store.Find(L"", L""), std::nullopt);
}

TEST(TextStoreTest, FindsWhatWasSet) {
  TextStore store;
  store.Set(L"InstallWizard", L"MSG_001", L"Administrator rights needed");
  EXPECT_EQ(store.Find(L"InstallWizard", L"MSG_001"), L"Administrator rights needed");
  EXPECT_EQ(store.Find(L"InstallWizard", L"MSG_002"), std::nullopt);
  EXPECT_EQ(store.Find(L"UNINSTALL", L"MSG_001"), std::nullopt);
}

TEST(TextStoreTest, AnEmptyTextIsFound) {
  TextStore store;
  store.Set(L"UNINSTALL", L"URL", L"");
  EXPECT_EQ(store.Find(L"UNINSTALL", L"URL"), std::wstring());
}

struct NamePair {
  const wchar_t* stored;
  const wchar_t* asked;
};

TEST(TextStoreTest, MatchesSectionAndIdentifierWithoutRegardToCase) {
  const NamePair cases[] = {
      {L"InstallWizard", L"INSTALLWIZARD"},
      {L"bt_Next->Caption", L"BT_NEXT->caption"},
      {L"\u00C4nderung", L"\u00E4NDERUNG"},
      {L"\u0141\u00F3d\u017A", L"\u0142\u00D3D\u0179"},
      {L"\u041C\u0435\u043D\u044E", L"\u043C\u0415\u041D\u042E"},
  };
  for (const NamePair& c : cases) {
    SCOPED_TRACE(testing::Message() << c.stored << " / " << c.asked);
    TextStore store;
    store.Set(c.stored, c.stored, L"text");
    EXPECT_EQ(store.Find(c.asked, c.asked), L"text");
    EXPECT_EQ(store.Find(c.asked, c.stored), L"text");
    EXPECT_EQ(store.Find(c.stored, c.asked), L"text");
  }
}

TEST(TextStoreTest, LaterSetReplacesEarlierWhateverTheCase) {
  TextStore store;
  store.Set(L"InstallWizard", L"ProductName", L"Old");
  store.Set(L"installwizard", L"PRODUCTNAME", L"New");
  EXPECT_EQ(store.Find(L"InstallWizard", L"ProductName"), L"New");
}

TEST(TextStoreTest, SectionsKeepTheirOwnTexts) {
  TextStore store;
  store.Set(L"InstallWizard", L"ProductName", L"Wizard");
  store.Set(L"UNINSTALL", L"ProductName", L"Uninstall");
  store.Set(L"", L"ProductName", L"Unnamed");
  EXPECT_EQ(store.Find(L"InstallWizard", L"ProductName"), L"Wizard");
  EXPECT_EQ(store.Find(L"UNINSTALL", L"ProductName"), L"Uninstall");
  EXPECT_EQ(store.Find(L"", L"ProductName"), L"Unnamed");
}

}  // namespace
}  // namespace localisation
