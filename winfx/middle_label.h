// Labels whose text, word-wrapped, is centred vertically as one block inside the label, which a
// plain static control does only for a single line.
#pragma once

#include <windows.h>

namespace winfx {

// From now on the label draws its text centred horizontally and vertically.
void CentreTextVertically(HWND label);

}  // namespace winfx
