// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/hardcopy_image.h"

namespace qel {

bool DisplayPixelDark(const DisplayImageBuffer& buffer, int x, int y) {
  if (x < 0 || y < 0 || x >= kDisplayColumns || y >= kDisplayRows) return false;
  const int page = y / 8;
  const int bit = y % 8;
  const std::size_t index =
      static_cast<std::size_t>(page) * kDisplayColumns + static_cast<std::size_t>(x);
  return ((buffer[index] >> bit) & 1) != 0;
}

RgbImage DrawDisplayImage(const DisplayImageBuffer& buffer) {
  RgbImage picture(kPictureWidth, kPictureHeight, kHardcopyBackground);
  for (int y = 0; y < kDisplayRows; ++y) {
    for (int x = 0; x < kDisplayColumns; ++x) {
      if (!DisplayPixelDark(buffer, x, y)) continue;
      picture.Fill(kHardcopyScale * x, kHardcopyScale * y, kHardcopyScale * (x + 1),
                   kHardcopyScale * (y + 1), kBlack);
    }
  }
  return picture;
}

RgbImage ComposeHardcopy(const RgbImage& picture) {
  RgbImage composed(kComposedWidth, kComposedHeight, kWhite);
  // Rectangle (5, 5)-(279, 79), right and bottom edges excluded: outline on x = 5, 278 and
  // y = 5, 78, filled with the display colour.
  constexpr int kLeft = 5;
  constexpr int kTop = 5;
  constexpr int kRight = 279;
  constexpr int kBottom = 79;
  composed.Fill(kLeft, kTop, kRight, kBottom, kBlack);
  composed.Fill(kLeft + 1, kTop + 1, kRight - 1, kBottom - 1, kHardcopyBackground);
  // The area (0, 0)-(264, 64) of the picture at (10, 10).
  constexpr int kOffset = 10;
  for (int y = 0; y < kPictureHeight && y < picture.Height(); ++y) {
    for (int x = 0; x < kPictureWidth && x < picture.Width(); ++x) {
      composed.Set(kOffset + x, kOffset + y, picture.At(x, y));
    }
  }
  return composed;
}

}  // namespace qel
