// The two frames that the wizard pages share, and what every page does when it is built.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "winfx/form.h"

namespace pages {

enum class Frame {
  kTitleBand,  // p_Top (65 high, im_Title at the right), p_Client, p_Bottom (50 high, bevel)
  kSideImage,  // p_Left (185 wide, im_Left), white p_Client, p_Bottom (50 high)
  kNone,       // small dialogs
};

// The frame's components for a page of that client size, followed by the page's own.
std::vector<winfx::ControlLayout> PageLayout(Frame frame, int clientWidth, int clientHeight,
                                             std::span<const winfx::ControlLayout> own);

// Texts of the given classes, the window title (the product name), "%P" in the named labels,
// and the frame picture ("Title.bmp" or "Left.bmp" in the language's folder).
void BuildPage(winfx::TForm& page, Frame frame, std::initializer_list<const wchar_t*> classNames,
               std::initializer_list<const wchar_t*> productNameLabels);

}  // namespace pages
