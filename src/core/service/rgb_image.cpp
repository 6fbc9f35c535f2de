// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/rgb_image.h"

#include <algorithm>

namespace qel {

RgbImage::RgbImage(int width, int height, Rgb fill)
    : width_(std::max(0, width)), height_(std::max(0, height)) {
  bytes_.resize(static_cast<std::size_t>(width_) * height_ * 3);
  Fill(0, 0, width_, height_, fill);
}

Rgb RgbImage::At(int x, int y) const {
  if (!Inside(x, y)) return kBlack;
  const std::size_t i = (static_cast<std::size_t>(y) * width_ + x) * 3;
  return {bytes_[i], bytes_[i + 1], bytes_[i + 2]};
}

void RgbImage::Set(int x, int y, Rgb colour) {
  if (!Inside(x, y)) return;
  const std::size_t i = (static_cast<std::size_t>(y) * width_ + x) * 3;
  bytes_[i] = colour.r;
  bytes_[i + 1] = colour.g;
  bytes_[i + 2] = colour.b;
}

void RgbImage::Fill(int x0, int y0, int x1, int y1, Rgb colour) {
  x0 = std::clamp(x0, 0, width_);
  x1 = std::clamp(x1, 0, width_);
  y0 = std::clamp(y0, 0, height_);
  y1 = std::clamp(y1, 0, height_);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) Set(x, y, colour);
  }
}

}  // namespace qel
