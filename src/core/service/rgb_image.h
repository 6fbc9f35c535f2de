// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plain 24-bit RGB picture: what the hardcopy draws, composes and encodes, and what
// the window copies into its own image and onto the clipboard.

#include <cstdint>
#include <vector>

namespace qel {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// Rows from the top, pixels from the left, 3 bytes (R, G, B) each, no row padding.
class RgbImage {
 public:
  RgbImage() = default;
  RgbImage(int width, int height, Rgb fill = kWhite);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // Pixels outside the picture: At gives black, Set does nothing.
  Rgb At(int x, int y) const;
  void Set(int x, int y, Rgb colour);
  // Fills the rectangle [x0, x1) x [y0, y1), clipped to the picture.
  void Fill(int x0, int y0, int x1, int y1, Rgb colour);

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  const std::uint8_t* Row(int y) const {
    return bytes_.data() +
           std::size_t{3} * static_cast<std::size_t>(width_) * static_cast<std::size_t>(y);
  }

  bool operator==(const RgbImage&) const = default;

 private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint8_t> bytes_;
};

}  // namespace qel
