#include "pages/rich_text.h"

#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace pages {
namespace {

struct StreamSource {
  std::span<const std::uint8_t> bytes;
  size_t offset = 0;
};

DWORD CALLBACK ReadChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto* source = reinterpret_cast<StreamSource*>(cookie);
  const size_t count =
      std::min<size_t>(static_cast<size_t>(wanted), source->bytes.size() - source->offset);
  std::memcpy(buffer, source->bytes.data() + source->offset, count);
  source->offset += count;
  *given = static_cast<LONG>(count);
  return 0;
}

bool IsRichText(std::span<const std::uint8_t> bytes) {
  static constexpr char kSignature[] = "{\\rtf";
  return bytes.size() >= 5 && std::memcmp(bytes.data(), kSignature, 5) == 0;
}

}  // namespace

void LoadRichText(HWND editor, std::span<const std::uint8_t> bytes) {
  StreamSource source{bytes};
  // Plain text is taken as UTF-16 LE; a byte-order mark at its start is not text.
  if (!IsRichText(bytes) && bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    source.offset = 2;
  }
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadChunk};
  const WPARAM format = IsRichText(bytes) ? SF_RTF : (SF_TEXT | SF_UNICODE);
  ::SendMessageW(editor, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
}

void SetReadingDirection(HWND editor, bool rightToLeft) {
  if (!rightToLeft) {
    // A mirrored wizard makes its controls mirrored and reading right to left: a left-to-right
    // text is shown as in any other wizard instead.
    const LONG_PTR style = ::GetWindowLongPtrW(editor, GWL_EXSTYLE);
    ::SetWindowLongPtrW(editor, GWL_EXSTYLE,
                        style & ~static_cast<LONG_PTR>(WS_EX_LAYOUTRTL | WS_EX_RTLREADING |
                                                       WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR));
    ::SetWindowPos(editor, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  CHARRANGE selection{};
  ::SendMessageW(editor, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  CHARRANGE everything{0, -1};
  ::SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&everything));
  PARAFORMAT2 format{};
  format.cbSize = sizeof(format);
  format.dwMask = PFM_RTLPARA | PFM_ALIGNMENT;
  format.wEffects = rightToLeft ? PFE_RTLPARA : 0;
  format.wAlignment = rightToLeft ? PFA_RIGHT : PFA_LEFT;
  ::SendMessageW(editor, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
  ::SendMessageW(editor, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
  ::InvalidateRect(editor, nullptr, TRUE);
}

bool PrintRichText(HWND editor, HDC printer, const std::wstring& documentTitle) {
  DOCINFOW document{};
  document.cbSize = sizeof(document);
  document.lpszDocName = documentTitle.c_str();
  if (::StartDocW(printer, &document) <= 0) return false;

  // Rich-edit page geometry is in twips (1/1440 inch).
  const int width =
      ::GetDeviceCaps(printer, PHYSICALWIDTH) * 1440 / ::GetDeviceCaps(printer, LOGPIXELSX);
  const int height =
      ::GetDeviceCaps(printer, PHYSICALHEIGHT) * 1440 / ::GetDeviceCaps(printer, LOGPIXELSY);
  const RECT page{0, 0, width, height};
  const RECT area{720, 720, width - 720, height - 720};  // half-inch margins
  // The end in the control's own character positions (a paragraph ends in one character), which
  // are what EM_FORMATRANGE returns; the window-text length counts CR LF and runs past the end.
  GETTEXTLENGTHEX count{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const LONG end = static_cast<LONG>(
      ::SendMessageW(editor, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&count), 0));
  FORMATRANGE range{};
  range.hdc = printer;
  range.hdcTarget = printer;
  range.chrg = {0, -1};
  bool ok = true;
  // At least one page, so that an empty licence still prints as an (empty) document.
  do {
    if (::StartPage(printer) <= 0) {
      ok = false;
      break;
    }
    range.rcPage = page;
    range.rc = area;  // the control narrows rc to what it filled
    const LRESULT next =
        ::SendMessageW(editor, EM_FORMATRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
    if (::EndPage(printer) <= 0) {
      ok = false;
      break;
    }
    if (next <= range.chrg.cpMin) {
      // Nothing of the rest fitted, or the control cannot format at all: abandon the job rather
      // than hand out blank pages as the licence.
      ok = range.chrg.cpMin >= end;
      break;
    }
    range.chrg.cpMin = static_cast<LONG>(next);
  } while (range.chrg.cpMin < end);
  ::SendMessageW(editor, EM_FORMATRANGE, FALSE, 0);
  if (ok) {
    ::EndDoc(printer);
  } else {
    ::AbortDoc(printer);
  }
  return ok;
}

}  // namespace pages
