#include <gtest/gtest.h>

#include <string>

#include "core/text/component_text.h"

namespace localisation {
namespace {

class ComponentTextTest : public testing::Test {
 protected:
  std::wstring Caption(const wchar_t* page, const wchar_t* control) {
    return ComponentText(&store_, L"InstallWizard", page, control, L"Caption");
  }
  std::wstring Hint(const wchar_t* page, const wchar_t* control) {
    return ComponentText(&store_, L"InstallWizard", page, control, L"Hint");
  }
  void Set(const wchar_t* identifier, const wchar_t* text) {
    store_.Set(L"InstallWizard", identifier, text);
  }
  TextStore store_;
};

TEST_F(ComponentTextTest, TextOfThePageComesBeforeTheSharedOne) {
  Set(L"FAskInstall->bt_Cancel->Caption", L"Abort");
  Set(L"bt_Cancel->Caption", L"Cancel");
  EXPECT_EQ(Caption(L"FAskInstall", L"bt_Cancel"), L"Abort");
  EXPECT_EQ(Caption(L"FWelcome", L"bt_Cancel"), L"Cancel");
}

TEST_F(ComponentTextTest, TextOfThePageReadingTwoAtSignsFallsThrough) {
  Set(L"FWelcome->bt_Next->Caption", L"@@");
  Set(L"bt_Next->Caption", L"Next >");
  EXPECT_EQ(Caption(L"FWelcome", L"bt_Next"), L"Next >");
}

TEST_F(ComponentTextTest, CaptionAndHintAreIndependent) {
  Set(L"bt_Next->Hint", L"Go on");
  EXPECT_EQ(Caption(L"FWelcome", L"bt_Next"), L"@@");
  EXPECT_EQ(Hint(L"FWelcome", L"bt_Next"), L"Go on");
}

TEST_F(ComponentTextTest, ExpandsEscapeCodes) {
  Set(L"lb_Title->Caption", L"Line\\\\\\\\%B5x");
  EXPECT_EQ(Caption(L"FWelcome", L"lb_Title"), L"Line\n     x");
}

TEST_F(ComponentTextTest, AnEmptyTextIsFound) {
  Set(L"lb_Note->Caption", L"");
  EXPECT_EQ(Caption(L"FWelcome", L"lb_Note"), L"");
}

TEST_F(ComponentTextTest, WithoutStoreNothingIsFound) {
  EXPECT_EQ(ComponentText(nullptr, L"InstallWizard", L"FWelcome", L"bt_Next", L"Caption"), L"@@");
}

}  // namespace
}  // namespace localisation
