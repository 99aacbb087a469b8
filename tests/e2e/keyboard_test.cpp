// The keyboard on the wizard's pages: keys go to the control that has the focus and through
// Setup.exe's own message loop, as a user's keystrokes do. One row per page and key.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/machine_state.h"
#include "tests/e2e/test_package.h"
#include "tests/e2e/wizard_walk.h"
#include "tools/driver/driver.h"

namespace {

using namespace std::chrono_literals;
using driver::Process;
using e2e::Click;
using e2e::ShownPage;

constexpr wchar_t kLicenceText[] = L"(licence text)";

enum class KeyKind { kTab, kEnter, kEscape, kMnemonic, kTabToLicenceText };
struct Key {
  KeyKind kind;
  wchar_t letter = 0;  // kMnemonic: Alt and this letter
};
constexpr Key kTab{KeyKind::kTab};
constexpr Key kEnter{KeyKind::kEnter};
constexpr Key kEscape{KeyKind::kEscape};
constexpr Key kTabToLicenceText{KeyKind::kTabToLicenceText};
constexpr Key Alt(wchar_t letter) {
  return {KeyKind::kMnemonic, letter};
}

struct Step {
  const wchar_t* page;
  const wchar_t* button;
};

struct KeyboardCase {
  const char* name;
  std::vector<Step> path;  // clicks from the welcome page to the page under test
  const wchar_t* page;
  // The controls that Tab visits, from the one that has the focus when the page opens, round
  // to it again; empty: not checked.
  std::vector<std::wstring> tabOrder;
  std::vector<Key> keys;
  const wchar_t* nextPage;  // shown after the keys; nullptr: the run ends with exit code 0
};

HWND FocusOf(HWND page) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(page, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

std::wstring Describe(HWND control) {
  if (control == nullptr) return L"(nothing)";
  wchar_t className[64] = {};
  ::GetClassNameW(control, className, 64);
  if (_wcsnicmp(className, L"RichEdit", 8) == 0) return kLicenceText;
  return driver::WindowText(control);
}

// Posts the keystroke to the focused control (the page itself when nothing has the focus).
void Post(HWND page, UINT message, WPARAM code) {
  HWND target = FocusOf(page);
  if (target == nullptr) target = page;
  LPARAM lParam = 1 | (static_cast<LPARAM>(::MapVirtualKeyW(static_cast<UINT>(code), 0)) << 16);
  if (message == WM_SYSCHAR) lParam |= 1 << 29;  // Alt held
  ::PostMessageW(target, message, code, lParam);
  if (message == WM_KEYDOWN) ::PostMessageW(target, WM_KEYUP, code, lParam | 0xC0000000);
}

// Tab, and waits until the focus has moved on to another control of the page.
bool TabOnce(HWND page) {
  HWND before = FocusOf(page);
  Post(page, WM_KEYDOWN, VK_TAB);
  return e2e::WaitUntil(
      [&] {
        HWND now = FocusOf(page);
        return now != before && ::IsChild(page, now) != FALSE;
      },
      10s);
}

void Press(HWND page, const Key& key) {
  switch (key.kind) {
    case KeyKind::kTab:
      EXPECT_TRUE(TabOnce(page)) << "Tab moves the focus";
      return;
    case KeyKind::kEnter:
      Post(page, WM_KEYDOWN, VK_RETURN);
      return;
    case KeyKind::kEscape:
      Post(page, WM_KEYDOWN, VK_ESCAPE);
      return;
    case KeyKind::kMnemonic:
      Post(page, WM_SYSCHAR, key.letter);
      return;
    case KeyKind::kTabToLicenceText:
      for (int presses = 0; presses < 12 && Describe(FocusOf(page)) != kLicenceText; ++presses) {
        if (!TabOnce(page)) break;
      }
      ASSERT_EQ(Describe(FocusOf(page)), kLicenceText) << "Tab reaches the licence text";
      return;
  }
}

class KeyboardTest : public testing::TestWithParam<KeyboardCase> {};

TEST_P(KeyboardTest, KeysActOnThePageAndLeaveItWhole) {
  const KeyboardCase& row = GetParam();
  e2e::TestPackage package(L"keys-" + std::wstring(row.name, row.name + strlen(row.name)));
  package.AddTestData(L"InstallWizard_Texts.xls", L"Texts\\InstallWizard_Texts.xls");
  package.WriteText(L"Setup.ini",
                    "[Setup]\r\n%PROGRAM_FILES=Kestra\r\n%PROGRAM_VERSION=2.0\r\n"
                    "%PUBLISHER=Kestra Software\r\n%REG_FODLER_PROGNAME=KestraCapture\r\n");
  package.WriteText(L"EULA\\en\\Service.rtf", e2e::kLicence);
  Process setup(L"\"" + package.SetupPath() + L"\"", package.Folder());
  for (const Step& step : row.path) {
    HWND page = ShownPage(setup, step.page);
    ASSERT_NE(page, nullptr);
    HWND button = driver::FindChildByText(page, step.button);
    ASSERT_TRUE(e2e::WaitUntil([&] { return ::IsWindowEnabled(button) != FALSE; }, 10s));
    Click(page, step.button);
  }
  HWND page = ShownPage(setup, row.page);
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(e2e::WaitUntil([&] { return ::IsChild(page, FocusOf(page)) != FALSE; }, 10s))
      << "a control of the page has the focus when it opens";
  const size_t controls = driver::ChildWindows(page).size();

  if (!row.tabOrder.empty()) {
    std::vector<std::wstring> visited{Describe(FocusOf(page))};
    for (size_t presses = 0; presses < row.tabOrder.size(); ++presses) {
      ASSERT_TRUE(TabOnce(page)) << "Tab moves on from " << e2e::Narrow(visited.back());
      visited.push_back(Describe(FocusOf(page)));
    }
    std::vector<std::wstring> expected = row.tabOrder;
    expected.push_back(row.tabOrder.front());
    EXPECT_EQ(visited, expected);
  }
  for (const Key& key : row.keys) {
    ASSERT_NO_FATAL_FAILURE(Press(page, key));
  }

  if (row.nextPage == nullptr) {
    EXPECT_EQ(setup.WaitForExit(e2e::kPageTimeout), std::optional<DWORD>(0));
    return;
  }
  ASSERT_NE(ShownPage(setup, row.nextPage), nullptr);
  EXPECT_EQ(driver::ChildWindows(page).size(), controls) << "every control of the page is left";
}

const KeyboardCase kCases[] = {
    {"welcome_enter", {}, L"TFWelcome", {L"&Next >", L"Cancel"}, {kEnter}, L"TFEULA"},
    {"welcome_mnemonic", {}, L"TFWelcome", {}, {Alt(L'n')}, L"TFEULA"},
    {"welcome_escape", {}, L"TFWelcome", {}, {kEscape}, L"TFCancel"},
    {"licence_text_escape",
     {{L"TFWelcome", L"&Next >"}},
     L"TFEULA",
     // The two choices are one stop, at the checked one, as a group of radio buttons is.
     {kLicenceText, L"I &do not accept the terms of the licence agreement", L"&Print", L"< &Back",
      L"Cancel"},
     {kTabToLicenceText, kEscape},
     L"TFCancel"},
    {"licence_mnemonic_then_enter",
     {{L"TFWelcome", L"&Next >"}},
     L"TFEULA",
     {},
     {Alt(L'a'), kEnter},
     L"TFAskInstall"},
    {"ready_mnemonic",
     {{L"TFWelcome", L"&Next >"},
      {L"TFEULA", L"I &accept the terms of the licence agreement"},
      {L"TFEULA", L"&Next >"}},
     L"TFAskInstall",
     {L"&Install", L"Cancel", L"< &Back"},
     {Alt(L'b')},
     L"TFEULA"},
    {"ready_escape",
     {{L"TFWelcome", L"&Next >"},
      {L"TFEULA", L"I &accept the terms of the licence agreement"},
      {L"TFEULA", L"&Next >"}},
     L"TFAskInstall",
     {},
     {kTab, kEscape},
     L"TFCancel"},
    {"cancelled_enter", {{L"TFWelcome", L"Cancel"}}, L"TFCancel", {}, {kEnter}, nullptr},
};

INSTANTIATE_TEST_SUITE_P(Pages, KeyboardTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
