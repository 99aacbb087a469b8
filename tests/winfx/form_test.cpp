// The window layer: forms built from layout tables, their events and their keyboard handling.
#include "winfx/form.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>

#include "winfx/application.h"
#include "winfx/fonts.h"

namespace {

using namespace winfx;
using namespace std::chrono_literals;

constexpr FormLayout kForm{L"FTest", L"TFTest", 300, 200, BorderStyle::kDialog};
constexpr ControlLayout kLayout[] = {
    {L"p_Bottom", L"TPanel", nullptr, 0, 150, 300, 50, kBevelTop},
    {L"lb_Note", L"TLabel", nullptr, 10, 10, 200, 20, kWordWrap},
    {L"ck_Option", L"TCheckBox", nullptr, 10, 40, 200, 20, kChecked},
    {L"bt_Next", L"TButton", L"p_Bottom", 130, 12, 75, 25, kDefault},
    {L"bt_Cancel", L"TButton", L"p_Bottom", 215, 12, 75, 25},
    {L"pb_Work", L"TProgressBar", nullptr, 10, 70, 200, 20},
    {L"Timer1", L"TTimer", nullptr, 0, 0, 20, 0},
};

// Dispatches messages until `done` holds or `timeout` passes; returns whether it held.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      HWND root = ::GetAncestor(message.hwnd, GA_ROOT);
      if (root != nullptr && ::IsDialogMessageW(root, &message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return true;
}

class FormTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { Application.Initialize(); }
  TForm form{kForm, kLayout};
};

TEST_F(FormTest, BuildsComponentsInLayoutOrderWithTheirDesignCaptions) {
  ASSERT_EQ(form.Components().size(), std::size(kLayout));
  for (size_t i = 0; i < std::size(kLayout); ++i) {
    EXPECT_EQ(form.Components()[i]->Name, kLayout[i].name);
    EXPECT_EQ(form.Components()[i]->ClassName, kLayout[i].className);
  }
  EXPECT_EQ(form.Control(L"bt_Next").Caption(), L"bt_Next");
  EXPECT_TRUE(form.Control(L"ck_Option").Checked());
  EXPECT_EQ(::GetParent(form.Control(L"bt_Next").Handle), form.Control(L"p_Bottom").Handle);
  EXPECT_THROW(form.Control(L"bt_Missing"), std::out_of_range);

  wchar_t className[32] = {};
  ::GetClassNameW(form.Handle(), className, 32);
  EXPECT_STREQ(className, L"TFTest");
  RECT client;
  ::GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 300);
  EXPECT_EQ(client.bottom, 200);
}

// Moved to a monitor of twice the scale: the frame, every control and its font twice as large,
// and a control moved by the program keeps its place in the new scale.
TEST_F(FormTest, DpiChangeLaysTheFormOutAgain) {
  const UINT dpi = form.Dpi();
  form.Control(L"lb_Note").SetBounds(20, 10, 150, 20);
  const UINT doubled = dpi * 2;
  RECT suggested{10, 10, 700, 500};
  ::SendMessageW(form.Handle(), WM_DPICHANGED, MAKEWPARAM(doubled, doubled),
                 reinterpret_cast<LPARAM>(&suggested));
  EXPECT_EQ(form.Dpi(), doubled);
  RECT client;
  ::GetClientRect(form.Handle(), &client);
  // The frame is made for the new DPI, whose caption is taller than the one this screen still
  // draws: the client area comes out a little taller here than on a real monitor of that DPI.
  EXPECT_NEAR(client.right, Scaled(300, doubled), Scaled(300, doubled) * 0.07);
  EXPECT_NEAR(client.bottom, Scaled(200, doubled), Scaled(200, doubled) * 0.07);
  RECT next;
  ::GetWindowRect(form.Control(L"bt_Next").Handle, &next);
  EXPECT_EQ(next.right - next.left, Scaled(75, doubled));
  EXPECT_EQ(next.bottom - next.top, Scaled(25, doubled));
  RECT note;
  ::GetWindowRect(form.Control(L"lb_Note").Handle, &note);
  ::MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&note), 2);
  EXPECT_EQ(note.left, Scaled(20, doubled));
  EXPECT_EQ(note.right - note.left, Scaled(150, doubled));
  LOGFONTW before{};
  LOGFONTW after{};
  ::GetObjectW(FontFor(0, false, DEFAULT_CHARSET, dpi), sizeof(before), &before);
  ::GetObjectW(
      reinterpret_cast<HFONT>(::SendMessageW(form.Control(L"bt_Next").Handle, WM_GETFONT, 0, 0)),
      sizeof(after), &after);
  EXPECT_NEAR(after.lfHeight, before.lfHeight * 2, 1);
}

TEST_F(FormTest, ClickTimerAndRegisteredMessageReachTheirHandlers) {
  int clicks = 0;
  int ticks = 0;
  LPARAM received = 0;
  form.Control(L"bt_Cancel").OnClick = [&] { ++clicks; };
  form.Control(L"Timer1").OnTimer = [&] { ++ticks; };
  const UINT finished = ::RegisterWindowMessageW(L"TEST_THREAD_FINISHED");
  form.OnMessage(finished, [&](WPARAM, LPARAM lParam) { received = lParam; });
  form.Show();

  ::PostMessageW(form.Control(L"bt_Cancel").Handle, BM_CLICK, 0, 0);
  form.SetTimerEnabled(L"Timer1", true);
  ::PostMessageW(form.Handle(), finished, 0, 42);
  EXPECT_TRUE(PumpUntil([&] { return clicks == 1 && ticks >= 2 && received == 42; }, 5s));
  form.SetTimerEnabled(L"Timer1", false);
}

TEST_F(FormTest, CloseQueryCanRefuseAndAnAcceptedCloseHidesASecondaryForm) {
  bool allow = false;
  int asked = 0;
  form.OnCloseQuery = [&] {
    ++asked;
    return allow;
  };
  form.Show();
  form.Close();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(form.Visible()) << "a refused close leaves the form shown";
  allow = true;
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_TRUE(::IsWindow(form.Handle())) << "a form that is not the main form is only hidden";
}

TEST_F(FormTest, EnterPressesTheDefaultButtonAndEscapeActsAsTheCloseBox) {
  int next = 0;
  int closeQueries = 0;
  form.Control(L"bt_Next").OnClick = [&] { ++next; };
  form.OnCloseQuery = [&] {
    ++closeQueries;
    return false;
  };
  form.Show();
  ::SetFocus(form.Control(L"ck_Option").Handle);
  ::PostMessageW(form.Control(L"ck_Option").Handle, WM_KEYDOWN, VK_RETURN, 0);
  ::PostMessageW(form.Control(L"ck_Option").Handle, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(PumpUntil([&] { return next == 1 && closeQueries == 1; }, 5s));
}

TEST_F(FormTest, DisabledDefaultButtonIsNotPressedByEnter) {
  int next = 0;
  form.Control(L"bt_Next").OnClick = [&] { ++next; };
  form.Control(L"bt_Next").SetEnabled(false);
  form.Show();
  ::SendMessageW(form.Handle(), WM_COMMAND, IDOK, 0);
  EXPECT_EQ(next, 0);
}

TEST_F(FormTest, ProgressBarRunsFromZeroToAHundred) {
  TControl& bar = form.Control(L"pb_Work");
  bar.SetPosition(75);
  EXPECT_EQ(bar.Position(), 75);
  bar.SetPosition(150);
  EXPECT_EQ(bar.Position(), 100);
}

TEST_F(FormTest, OpacityZeroKeepsTheFormShown) {
  form.Show();
  form.SetOpacity(0);
  EXPECT_TRUE(form.Visible());
  EXPECT_TRUE(::GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

}  // namespace
