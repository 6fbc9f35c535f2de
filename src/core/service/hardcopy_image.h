// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pictures of the display hardcopy: the display memory drawn at twice its size, and
// the framed image that goes to the clipboard and into JPEG files.
//
// Display memory layout (132 x 32 pixels in 4 pages of 8 rows):
//   byte index = page * 132 + column      page 0..3, column 0..131 -> bytes 0..527
//   bit 0 = row page * 8 (top) ... bit 7 = row page * 8 + 7
//   bytes 528..1023 are read from the instrument but not shown
// A set bit is a dark pixel (black), a clear bit the lit display colour.

#include "core/service/display_capture.h"
#include "core/service/rgb_image.h"

namespace qel {

inline constexpr int kDisplayColumns = 132;
inline constexpr int kDisplayPages = 4;
inline constexpr int kDisplayRows = kDisplayPages * 8;
inline constexpr int kHardcopyScale = 2;
inline constexpr int kPictureWidth = kDisplayColumns * kHardcopyScale;  // 264
inline constexpr int kPictureHeight = kDisplayRows * kHardcopyScale;    // 64
inline constexpr int kComposedWidth = 284;
inline constexpr int kComposedHeight = 84;

// The display colour, Windows colour value 0x0042A0FF (4366591).
inline constexpr Rgb kHardcopyBackground{255, 160, 66};
inline constexpr unsigned kHardcopyBackgroundColorRef = 0x0042A0FF;

// Whether display pixel (x, y) is dark; false outside the shown part.
bool DisplayPixelDark(const DisplayImageBuffer& buffer, int x, int y);

// The on-screen picture: 264 x 64, each display pixel a 2 x 2 block.
RgbImage DrawDisplayImage(const DisplayImageBuffer& buffer);

// The framed image, 284 x 84:
//   x/y 0..4      white border
//   x = 5, 278 and y = 5, 78   black 1-pixel frame
//   6..9 inside the frame      display colour (4-pixel band)
//   (10, 10)..(273, 73)        the picture, unscaled
RgbImage ComposeHardcopy(const RgbImage& picture);

}  // namespace qel
