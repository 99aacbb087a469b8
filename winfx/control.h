// One component of a form: a child window (or a timer) declared by name, class name, position
// and size, as the form layouts list them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace winfx {

// Layout options of a control; combine with |.
enum ControlOption : unsigned {
  kNoOptions = 0,
  kWordWrap = 1u << 0,     // labels: wrap at the control's width
  kBold = 1u << 1,         // font weight bold
  kHidden = 1u << 2,       // created invisible
  kDisabled = 1u << 3,     // created disabled
  kChecked = 1u << 4,      // check boxes and radio buttons: created checked
  kDefault = 1u << 5,      // buttons: pressed by Enter
  kWhite = 1u << 6,        // panels: white background
  kBevelTop = 1u << 7,     // panels: an etched line along the top edge
  kCentered = 1u << 8,     // images: picture centred; labels: text centred
  kAlignRight = 1u << 9,   // images: picture aligned to the right edge
  kAutoSize = 1u << 10,    // images: control takes the picture's size
  kReadOnly = 1u << 11,    // rich edits
  kScrollBars = 1u << 12,  // rich edits: vertical scroll bar
  kMiddle = 1u << 13,      // labels: text (word-wrapped) centred vertically as one block
  kCancel = 1u << 14       // buttons: pressed by Esc
};

struct ControlLayout {
  const wchar_t* name;
  const wchar_t* className;      // "TLabel", "TButton", "TCheckBox", "TRadioButton", "TRichEdit",
                                 // "TImage", "TPanel", "TProgressBar", "TTimer"
  const wchar_t* parent;         // name of the panel it sits on, or nullptr for the form itself
  int left, top, width, height;  // pixels at 96 DPI; timers: width is the interval in ms
  unsigned options = kNoOptions;
  int fontHeight = 0;  // 0: the form's font (Tahoma, -11)
  COLORREF textColor = CLR_INVALID;
  const wchar_t* caption = nullptr;  // nullptr: the component's name, as designed
  BYTE charSet = DEFAULT_CHARSET;    // the font's character set
};

class TControl {
 public:
  explicit TControl(const ControlLayout& row)
      : Layout(row),
        Name(row.name),
        ClassName(row.className),
        Interval(row.width),
        Bounds{row.left, row.top, row.left + row.width, row.top + row.height} {}

  const ControlLayout Layout;
  const std::wstring Name;
  const std::wstring ClassName;
  HWND Handle = nullptr;  // nullptr for timers
  std::wstring Hint;      // kept, never shown
  UINT Interval;          // timers: milliseconds
  RECT Bounds;            // in its parent, at 96 DPI: the layout's, or what SetBounds gave
  UINT Dpi = 96;          // the DPI its window is laid out for
  std::function<void()> OnClick;
  std::function<void()> OnTimer;

  std::wstring Caption() const;
  void SetCaption(const std::wstring& text);
  bool Visible() const;
  void SetVisible(bool visible);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Checked() const;
  void SetChecked(bool checked);
  // Position and size at 96 DPI, scaled to the control's DPI.
  void SetBounds(int left, int top, int width, int height);
  // Puts the window where Bounds says, scaled to `dpi`.
  void LayOut(UINT dpi);

  // Progress bars.
  void SetPosition(int position);
  int Position() const;
};

}  // namespace winfx
