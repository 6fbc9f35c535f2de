// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The front display's small bitmap font: 5 x 7 pixels per character, one column of 7
// pixels per byte, bit 0 the top row (the same order as a display-memory byte).

#include <array>
#include <cstdint>

namespace qel::sim {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 7;

// Columns of the glyph for `c`, left to right. Lower-case letters without a glyph of
// their own use the upper-case one; characters the font lacks are blank.
std::array<std::uint8_t, kGlyphWidth> GlyphColumns(char c);

}  // namespace qel::sim
