// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The decimal separator numbers are shown and typed with: the user's locale's, when it is
// a single character, else '.'. The window program passes its own locale's decimal point;
// qel11ctl takes the C library's.

#include <string_view>

namespace qel {

// From a locale's decimal-point text (Windows-1252): that character when it is one byte,
// '.' when it is empty or longer.
char SystemDecimalSeparator(std::string_view localeDecimalPoint);

// From the C library's user locale (LC_NUMERIC as the environment sets it); the program's
// own LC_NUMERIC is left as it was. Not safe while other threads run: qel11ctl asks once,
// before any instrument does.
char SystemDecimalSeparator();

}  // namespace qel
