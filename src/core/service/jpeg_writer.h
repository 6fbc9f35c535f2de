#pragma once
// JPEG encoding of the hardcopy with libjpeg: its default compression parameters, then
// the floating-point DCT, quality 90 with baseline-compatible tables, three-component
// RGB input, sequential (not progressive) encoding.

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

// Encodes and replaces the file at `path` atomically (a temporary file in the same folder,
// then a rename), so a failed save never leaves a torn file; an existing file is
// overwritten. Throws JpegError, whose text for a refused write is
// "In <path> kann nicht geschrieben werden".
void WriteJpegFile(const std::string& path, const RgbImage& image);

}  // namespace qel
