// The labels of the two confirmation dialogs centre their text horizontally and vertically, also
// when it wraps onto several lines. The text's ink is found in a picture of the label taken from
// the screen.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "main/create_forms.h"
#include "pages/cancel_confirm_dialog.h"
#include "pages/uninstall_confirm_dialog.h"
#include "tests/pages/built_pages.h"
#include "winfx/application.h"

namespace {

using namespace std::chrono_literals;

struct Ink {
  int left = -1, top = -1, right = -1, bottom = -1;  // inclusive; -1: none
  bool Found() const { return left >= 0; }
};

// The box around every pixel of the label that differs from its background (its corner pixel).
Ink InkOf(HWND label) {
  RECT client;
  ::GetClientRect(label, &client);
  POINT origin{0, 0};
  ::ClientToScreen(label, &origin);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HBITMAP picture = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = ::CreateCompatibleDC(screen);
  HGDIOBJ old = ::SelectObject(memory, picture);
  ::BitBlt(memory, 0, 0, client.right, client.bottom, screen, origin.x, origin.y, SRCCOPY);
  ::GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  const std::uint32_t background = pixels[0] & 0xFFFFFF;
  Ink ink;
  for (int y = 0; y < client.bottom; ++y) {
    for (int x = 0; x < client.right; ++x) {
      if ((pixels[y * client.right + x] & 0xFFFFFF) == background) continue;
      if (!ink.Found()) ink = {x, y, x, y};
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
  }
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::DeleteObject(picture);
  ::ReleaseDC(nullptr, screen);
  return ink;
}

struct LabelCase {
  const char* name;
  std::function<winfx::TForm*()> dialog;
  const wchar_t* label;
  RECT bounds;  // in the dialog's client area
  const wchar_t* caption;
  int lines;  // at least this many lines of text
};

class MiddleLabel : public testing::TestWithParam<LabelCase> {
 protected:
  void SetUp() override { testing_support::BuildPages(L"C:\\middle-label-test\\Setup.ini"); }
  void TearDown() override { winfx::Application.DestroyForms(); }
};

TEST_P(MiddleLabel, CentresItsTextBothWays) {
  const LabelCase& c = GetParam();
  winfx::TForm& dialog = *c.dialog();
  HWND label = dialog.Control(c.label).Handle;
  RECT bounds;
  ::GetWindowRect(label, &bounds);
  ::MapWindowPoints(HWND_DESKTOP, dialog.Handle(), reinterpret_cast<POINT*>(&bounds), 2);
  EXPECT_EQ(bounds.left, c.bounds.left);
  EXPECT_EQ(bounds.top, c.bounds.top);
  EXPECT_EQ(bounds.right, c.bounds.right);
  EXPECT_EQ(bounds.bottom, c.bounds.bottom);

  dialog.Control(c.label).SetCaption(c.caption);
  dialog.Show();
  const int width = c.bounds.right - c.bounds.left;
  const int height = c.bounds.bottom - c.bounds.top;
  // Bounded wait for the drawing to reach the screen, then the centre of the ink.
  Ink ink;
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  do {
    ::RedrawWindow(dialog.Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ink = InkOf(label);
    if (ink.Found()) break;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  } while (std::chrono::steady_clock::now() < deadline);
  ASSERT_TRUE(ink.Found()) << "no text drawn";
  const int lineHeight = 13;  // Tahoma -11
  EXPECT_GE(ink.bottom - ink.top + 1, (c.lines - 1) * lineHeight + 6) << "wrapped lines";
  EXPECT_NEAR((ink.top + ink.bottom) / 2.0, height / 2.0, 4.0)
      << "ink rows " << ink.top << " to " << ink.bottom << " of " << height;
  EXPECT_NEAR((ink.left + ink.right) / 2.0, width / 2.0, 4.0)
      << "ink columns " << ink.left << " to " << ink.right << " of " << width;
}

constexpr wchar_t kShort[] = L"Stop?";
constexpr wchar_t kLongCancel[] =
    L"Do you really want to stop the installation of Kestra Capture now? What has been copied "
    L"so far stays on the computer; nothing is taken back. Press OK to stop, or Cancel to go on "
    L"with the installation where it stopped.";
constexpr wchar_t kLongUninstall[] =
    L"Do you want to remove Kestra Capture and all of its parts from this computer?";

const LabelCase kLabelCases[] = {
    {"CancelConfirmOneLine",
     [] { return FCancelConfirm; },
     L"lb_CancelConfirm",
     {0, 0, 501, 109},
     kShort,
     1},
    {"CancelConfirmThreeLines",
     [] { return FCancelConfirm; },
     L"lb_CancelConfirm",
     {0, 0, 501, 109},
     kLongCancel,
     3},
    {"UninstallConfirmOneLine",
     [] { return FUninstallConfirm; },
     L"lb_UninstallConfirm",
     {20, 0, 261, 65},
     kShort,
     1},
    {"UninstallConfirmTwoLines",
     [] { return FUninstallConfirm; },
     L"lb_UninstallConfirm",
     {20, 0, 261, 65},
     kLongUninstall,
     2},
};

INSTANTIATE_TEST_SUITE_P(Dialogs, MiddleLabel, testing::ValuesIn(kLabelCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
