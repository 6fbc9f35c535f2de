// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include "core/platform/atomic_file.h"
#include "core/platform/ini_file.h"

namespace qel {
namespace {

// libjpeg's default error handler ends the process; this one jumps back out instead.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

extern "C" void OnJpegError(j_common_ptr cinfo) {
  auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, manager->message);
  std::longjmp(manager->jump, 1);
}

// Kept free of objects with destructors between setjmp and longjmp. Returns false with
// `manager.message` set when libjpeg failed.
bool Compress(const RgbImage& image, ErrorManager& manager, unsigned char** out,
              unsigned long* outSize) {
  jpeg_compress_struct cinfo{};
  cinfo.err = jpeg_std_error(&manager.base);
  manager.base.error_exit = OnJpegError;
  if (setjmp(manager.jump) != 0) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, out, outSize);

  cinfo.image_width = static_cast<JDIMENSION>(image.Width());
  cinfo.image_height = static_cast<JDIMENSION>(image.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  cinfo.dct_method = JDCT_FLOAT;
  jpeg_set_quality(&cinfo, kHardcopyJpegQuality, TRUE);
  // jpeg_set_defaults already leaves the output sequential (no progressive script).

  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    auto* row = const_cast<JSAMPROW>(image.Row(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

std::string EncodeJpeg(const RgbImage& image) {
  if (image.Empty()) throw JpegError("Kein Bild zum Speichern vorhanden");
  ErrorManager manager{};
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  const bool ok = Compress(image, manager, &out, &outSize);
  std::string bytes;
  if (ok && out != nullptr) bytes.assign(reinterpret_cast<const char*>(out), outSize);
  std::free(out);  // jpeg_mem_dest allocates with malloc and leaves freeing to us
  if (!ok) throw JpegError(std::string("JPEG: ") + manager.message);
  return bytes;
}

JpegWriteError::JpegWriteError(const std::filesystem::path& path)
    : JpegError(WriteErrorText(path)), path_(path) {}

void WriteJpegFile(const std::filesystem::path& path, const RgbImage& image) {
  const std::string bytes = EncodeJpeg(image);
  if (!WriteFileAtomically(path, bytes)) throw JpegWriteError(path);
}

}  // namespace qel
