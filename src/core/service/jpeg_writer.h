// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// JPEG encoding of the hardcopy with libjpeg: its default compression parameters, then
// the floating-point DCT, quality 90 with baseline-compatible tables, three-component
// RGB input, sequential (not progressive) encoding.

#include <filesystem>
#include <stdexcept>
#include <string>

#include "core/service/rgb_image.h"

namespace qel {

inline constexpr int kHardcopyJpegQuality = 90;

class JpegError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The JPEG file's bytes. Throws JpegError for an empty image or when libjpeg fails.
std::string EncodeJpeg(const RgbImage& image);

// A refused write: "In <path> kann nicht geschrieben werden" (the path's own bytes; a
// window builds the text from Path() in its own encoding).
class JpegWriteError : public JpegError {
 public:
  explicit JpegWriteError(const std::filesystem::path& path);
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Encodes and replaces the file at `path` atomically (a temporary file in the same folder,
// then a rename), so a failed save never leaves a torn file; an existing file is
// overwritten. Throws JpegError, JpegWriteError for a refused write.
void WriteJpegFile(const std::filesystem::path& path, const RgbImage& image);

}  // namespace qel
