// The two frames that the wizard pages share, and what every page does when it is built.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <vector>

#include "winfx/form.h"

namespace pages {

// Title band on top (p_Top with im_Title), the page's controls in p_Client, buttons in p_Bottom.
std::span<const winfx::ControlSpec> TitleBandFrame();
// Picture on the left (p_Left with im_Left), white p_Client, buttons in p_Bottom.
std::span<const winfx::ControlSpec> SideImageFrame();

// The frame's components followed by the page's own, in that order.
std::vector<winfx::ControlSpec> JoinLayout(std::span<const winfx::ControlSpec> frame,
                                           std::span<const winfx::ControlSpec> own);

// Texts of the given classes, the window title (the product name), and "%P" in the named
// labels. Called by each page's constructor once its controls exist.
void ApplyPageTexts(winfx::TForm& page, std::initializer_list<const wchar_t*> classNames,
                    std::initializer_list<const wchar_t*> productNameLabels);

}  // namespace pages
