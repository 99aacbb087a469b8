// Texts applied to a page's components: page-specific identifiers before shared ones, escapes
// expanded, exact class names, hints stored.
#include "pages/apply_texts.h"

#include <gtest/gtest.h>

#include "app/app.h"
#include "winfx/application.h"

namespace {

using namespace winfx;

constexpr FormLayout kForm{L"FAskInstall", L"TFAskInstallTest", 300, 200, BorderStyle::kDialog};
constexpr ControlLayout kLayout[] = {
    {L"lb_Title", L"TLabel", nullptr, 10, 10, 200, 40, kWordWrap},
    {L"lb_Keep", L"TLabel", nullptr, 10, 50, 200, 20},
    {L"lb_Empty", L"TLabel", nullptr, 10, 70, 200, 20},
    {L"bt_Cancel", L"TButton", nullptr, 200, 150, 75, 25},
    {L"bt_Next", L"TButton", nullptr, 120, 150, 75, 25},
    {L"ck_Start", L"TCheckBox", nullptr, 10, 100, 200, 20},
};

class ApplyTextsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { Application.Initialize(); }
  void SetUp() override {
    App.Language.Texts = std::make_unique<localisation::TextStore>();
    auto& texts = *App.Language.Texts;
    texts.Set(L"InstallWizard", L"FAskInstall->bt_Cancel->Caption", L"Page cancel");
    texts.Set(L"InstallWizard", L"bt_Cancel->Caption", L"Shared cancel");
    texts.Set(L"InstallWizard", L"FAskInstall->bt_Next->Caption", L"@@");
    texts.Set(L"InstallWizard", L"bt_Next->Caption", L"Shared next");
    texts.Set(L"InstallWizard", L"lb_Title->Caption", L"First\\\\\\\\Second%B5end");
    texts.Set(L"InstallWizard", L"lb_Title->Hint", L"A hint");
    texts.Set(L"InstallWizard", L"lb_Empty->Caption", L"");
    texts.Set(L"InstallWizard", L"ck_Start->Caption", L"Start");
  }
  void TearDown() override { App.Language.Texts.reset(); }
};

TEST_F(ApplyTextsTest, ButtonsTakeThePageTextFirstAndFallThroughTheMarker) {
  TForm page(kForm, kLayout);
  ApplyTexts(App.Texts(), page, L"InstallWizard", L"TButton");
  EXPECT_EQ(page.Control(L"bt_Cancel").Caption(), L"Page cancel");
  EXPECT_EQ(page.Control(L"bt_Next").Caption(), L"Shared next");
  EXPECT_EQ(page.Control(L"lb_Title").Caption(), L"lb_Title") << "labels are another pass";
  EXPECT_EQ(page.Control(L"ck_Start").Caption(), L"ck_Start");
}

TEST_F(ApplyTextsTest, LabelsGetEscapesExpandedHintsAndEmptyTexts) {
  TForm page(kForm, kLayout);
  ApplyTexts(App.Texts(), page, L"InstallWizard", L"TLabel");
  EXPECT_EQ(page.Control(L"lb_Title").Caption(), L"First\nSecond     end");
  EXPECT_EQ(page.Control(L"lb_Title").Hint, L"A hint");
  EXPECT_EQ(page.Control(L"lb_Keep").Caption(), L"lb_Keep") << "no text: the design caption";
  EXPECT_EQ(page.Control(L"lb_Empty").Caption(), L"") << "an empty text is a found text";
}

TEST_F(ApplyTextsTest, WithoutTextStoreEveryComponentKeepsItsCaption) {
  App.Language.Texts.reset();
  TForm page(kForm, kLayout);
  ApplyTexts(App.Texts(), page, L"InstallWizard", L"TButton");
  EXPECT_EQ(page.Control(L"bt_Cancel").Caption(), L"bt_Cancel");
}

}  // namespace
