// Printing the licence from the licence page: the print dialog, then the whole text as one
// document "EULA Of Kestra" on the chosen printer; cancelling, having no printer, or a control
// that cannot format the text prints nothing. The printer is Wine's PostScript driver writing
// into a file that the test reads; the dialog is answered as a user would.
#include <windows.h>
// windows.h first: dlgs.h and winspool.h need its types.
#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>
#include <richedit.h>
#include <winspool.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include "main/create_forms.h"
#include "pages/ask_install_page.h"
#include "pages/eula_page.h"
#include "tests/pages/built_pages.h"
#include "tests/pages/dialog_answerer.h"
#include "tests/pages/licence_files.h"
#include "tests/pages/test_printer.h"
#include "winfx/application.h"

namespace {

using namespace std::chrono_literals;
using testing_support::DialogAnswerer;

constexpr wchar_t kPrinterName[] = L"Setup Test Printer";
constexpr wchar_t kPrintOutput[] = L"C:\\licence-print.ps";
constexpr char kRed[] = "1.00 0.00 0.00 setrgbcolor";
constexpr UINT_PTR kStandInId = 1;

// Many clauses: several pages of text.
std::string LongLicence() {
  std::string rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs20 ";
  for (int clause = 1; clause <= 240; ++clause) {
    rtf += "Clause " + std::to_string(clause) +
           ": the licensee keeps this copy of Kestra Capture on one computer.\\par ";
  }
  return rtf + "End of the licence.\\par}";
}

// The colours the printout sets, for failure messages.
std::string ColoursIn(const std::string& output) {
  std::string colours;
  for (size_t at = output.find("setrgbcolor"); at != std::string::npos && colours.size() < 300;
       at = output.find("setrgbcolor", at + 1)) {
    const size_t start = output.rfind('\n', at);
    colours += output.substr(start + 1, at - start - 1) + "; ";
  }
  return colours;
}

// Wine's rich-edit control answers EM_FORMATRANGE with a stub that formats nothing. The tests
// give the licence control a stand-in for that one message: it takes kPageCharacters characters
// per page, writes a line on the page (in red once the page reaches the end of the text) and
// records what it was asked; every other message goes to the real control.
constexpr LONG kPageCharacters = 5000;

struct FormatCall {
  LONG cpMin = 0;
  LONG cpMax = 0;
  RECT rc{};
  RECT rcPage{};
  bool display = false;
  bool toPrinter = false;
};

struct FormatStandIn {
  LONG end = 0;
  bool formatsNothing = false;  // as Wine's own control
  HDC printer = nullptr;        // the DC of the first call
  std::vector<FormatCall> calls;
  int cleanups = 0;  // EM_FORMATRANGE with no range: the control frees its cached information
};

LRESULT CALLBACK FormatRangeStandIn(HWND editor, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR /*id*/, DWORD_PTR data) {
  if (message != EM_FORMATRANGE) return ::DefSubclassProc(editor, message, wParam, lParam);
  auto* standIn = reinterpret_cast<FormatStandIn*>(data);
  auto* range = reinterpret_cast<FORMATRANGE*>(lParam);
  if (range == nullptr) {
    ++standIn->cleanups;
    return 0;
  }
  if (standIn->printer == nullptr) standIn->printer = range->hdc;
  standIn->calls.push_back({range->chrg.cpMin, range->chrg.cpMax, range->rc, range->rcPage,
                            wParam != 0, range->hdc == range->hdcTarget});
  if (standIn->formatsNothing) return range->chrg.cpMin;
  const LONG next = std::min(standIn->end, range->chrg.cpMin + kPageCharacters);
  if (wParam != 0) {
    ::SetTextColor(range->hdc, next == standIn->end ? RGB(255, 0, 0) : RGB(0, 0, 255));
    const std::wstring line =
        L"characters " + std::to_wstring(range->chrg.cpMin) + L" to " + std::to_wstring(next);
    ::TextOutW(range->hdc, 300, 300, line.c_str(), static_cast<int>(line.size()));
  }
  return next;
}

LONG TextEnd(HWND editor) {
  GETTEXTLENGTHEX count{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<LONG>(
      ::SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&count), 0));
}

DWORD PrinterCount() {
  DWORD needed = 0;
  DWORD count = 0;
  ::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
  if (needed == 0) return 0;
  std::string buffer(needed, '\0');
  ::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, reinterpret_cast<BYTE*>(buffer.data()), needed,
                  &needed, &count);
  return count;
}

size_t CountOf(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

void Press(winfx::TForm& page, const wchar_t* button) {
  ::SendMessageW(page.Control(button).Handle, BM_CLICK, 0, 0);
}

class LicencePrint : public testing::Test {
 protected:
  void SetUp() override {
    licences_.Write(L"en", LongLicence());
    // No settings file: the licence is shown.
    testing_support::BuildPages(L"C:\\licence-print-test\\Setup.ini");
    FEULA->Show();
    editor_ = FEULA->Control(L"re_EULA").Handle;
    standIn_.end = TextEnd(editor_);
    ::SetWindowSubclass(editor_, FormatRangeStandIn, kStandInId,
                        reinterpret_cast<DWORD_PTR>(&standIn_));
  }
  void TearDown() override {
    ::RemoveWindowSubclass(editor_, FormatRangeStandIn, kStandInId);
    winfx::Application.DestroyForms();
  }

  // The page still answers the user as before: the choice, Next, the move to the next page.
  static void ExpectPageGoesOn() {
    EXPECT_TRUE(FEULA->Visible());
    EXPECT_FALSE(FEULA->Control(L"bt_Next").Enabled());
    Press(*FEULA, L"rb_AgreeEULA");
    EXPECT_TRUE(FEULA->Control(L"bt_Next").Enabled());
    Press(*FEULA, L"bt_Next");
    EXPECT_TRUE(FAskInstall->Visible());
    EXPECT_FALSE(FEULA->Visible());
  }

  testing_support::LicenceFiles licences_;
  HWND editor_ = nullptr;
  FormatStandIn standIn_;
};

TEST_F(LicencePrint, ConfirmedDialogPrintsTheWholeTextAsOneDocument) {
  testing_support::TestPrinter printer(kPrinterName, kPrintOutput);
  ASSERT_TRUE(printer.Ready()) << "no test printer could be installed";
  bool allPages = false;
  bool pageNumbersOffered = true;
  bool selectionOffered = true;
  {
    DialogAnswerer answer(FEULA->Handle(), IDOK, 30s, [&](HWND dialog) {
      allPages = ::IsDlgButtonChecked(dialog, rad1) == BST_CHECKED;
      pageNumbersOffered = ::IsWindowEnabled(::GetDlgItem(dialog, rad3)) != FALSE;
      selectionOffered = ::IsWindowEnabled(::GetDlgItem(dialog, rad2)) != FALSE;
    });
    Press(*FEULA, L"bt_PrintEULA");
    ASSERT_TRUE(answer.Answered()) << "no print dialog owned by the licence page";
  }
  EXPECT_TRUE(allPages) << "print range: all pages";
  EXPECT_FALSE(pageNumbersOffered);
  EXPECT_FALSE(selectionOffered);

  // The job is in the file once the document has ended; wait for its trailer, bounded.
  std::string output;
  const auto deadline = std::chrono::steady_clock::now() + 30s;
  while ((output = printer.Output()).find("%%EOF") == std::string::npos &&
         std::chrono::steady_clock::now() < deadline) {
    ::Sleep(50);
  }
  ASSERT_NE(output.find("%%EOF"), std::string::npos) << "nothing printed";
  EXPECT_NE(output.find("%%Title: EULA Of Kestra\n"), std::string::npos);
  // Page by page from the first character to the last, each page from where the last ended.
  ASSERT_GT(standIn_.end, 3 * kPageCharacters) << "the licence fills four pages";
  const size_t expectedPages = (standIn_.end + kPageCharacters - 1) / kPageCharacters;
  ASSERT_EQ(standIn_.calls.size(), expectedPages);
  for (size_t page = 0; page < standIn_.calls.size(); ++page) {
    const FormatCall& call = standIn_.calls[page];
    EXPECT_EQ(call.cpMin, static_cast<LONG>(page) * kPageCharacters) << "page " << page;
    EXPECT_TRUE(call.display) << "page " << page;
    EXPECT_TRUE(call.toPrinter) << "page " << page;
    EXPECT_TRUE(call.cpMax == -1 || call.cpMax >= standIn_.end) << "page " << page;
    // The same page and margins on every page, in twips, inside the page.
    EXPECT_EQ(call.rc.left, standIn_.calls[0].rc.left);
    EXPECT_EQ(call.rc.bottom, standIn_.calls[0].rc.bottom);
    EXPECT_LT(call.rc.right, call.rcPage.right);
    EXPECT_GT(call.rcPage.bottom, 10000) << "a printed page is more than 7 inches high";
  }
  EXPECT_GE(standIn_.cleanups, 1);
  // The printer wrote as many pages as were formatted; the last one reached the end (red).
  const size_t pages = CountOf(output, "\n%%Page: ");
  EXPECT_EQ(pages, expectedPages);
  EXPECT_NE(output.find("%%Pages: " + std::to_string(pages) + "\n"), std::string::npos);
  const size_t lastPage = output.rfind("\n%%Page: ");
  ASSERT_NE(lastPage, std::string::npos);
  EXPECT_NE(output.find(kRed, lastPage), std::string::npos)
      << "the end of the text not printed; colours: " << ColoursIn(output);
  EXPECT_EQ(output.find(kRed), output.find(kRed, lastPage)) << "red text before the last page";
  ExpectPageGoesOn();
}

TEST_F(LicencePrint, CancelledDialogPrintsNothing) {
  testing_support::TestPrinter printer(kPrinterName, kPrintOutput);
  ASSERT_TRUE(printer.Ready()) << "no test printer could be installed";
  {
    DialogAnswerer answer(FEULA->Handle(), IDCANCEL, 30s);
    Press(*FEULA, L"bt_PrintEULA");
    ASSERT_TRUE(answer.Answered()) << "no print dialog owned by the licence page";
  }
  EXPECT_EQ(printer.Output(), "");
  EXPECT_TRUE(standIn_.calls.empty());
  ExpectPageGoesOn();
}

TEST_F(LicencePrint, AControlThatFormatsNothingPrintsNothing) {
  testing_support::TestPrinter printer(kPrinterName, kPrintOutput);
  ASSERT_TRUE(printer.Ready()) << "no test printer could be installed";
  standIn_.formatsNothing = true;
  {
    DialogAnswerer answer(FEULA->Handle(), IDOK, 30s);
    Press(*FEULA, L"bt_PrintEULA");
    ASSERT_TRUE(answer.Answered()) << "no print dialog owned by the licence page";
  }
  EXPECT_EQ(standIn_.calls.size(), 1u) << "one try, no endless loop";
  EXPECT_EQ(printer.Output(), "") << "the job is abandoned: no blank pages";
  ExpectPageGoesOn();
}

TEST_F(LicencePrint, NoPrinterPrintsNothingAndThePageGoesOn) {
  if (PrinterCount() != 0) GTEST_SKIP() << "this machine has a printer";
  std::wstring shown;
  {
    // Whatever the system shows instead of a printer choice is closed as the user would.
    DialogAnswerer answer(FEULA->Handle(), IDCANCEL, 10s);
    Press(*FEULA, L"bt_PrintEULA");
    shown = answer.Answered() ? answer.Title() : L"(nothing)";
  }
  std::wcout << L"without a printer the print button showed: " << shown << L"\n";
  EXPECT_EQ(::GetFileAttributesW(kPrintOutput), INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(standIn_.calls.empty());
  ExpectPageGoesOn();
}

}  // namespace
