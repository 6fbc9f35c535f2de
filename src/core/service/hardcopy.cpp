// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/hardcopy.h"

#include "core/platform/native_path.h"
#include "core/service/jpeg_writer.h"

namespace qel {

Hardcopy::Hardcopy() : picture_(DrawDisplayImage(buffer_)) {}

CaptureStatus Hardcopy::GetHardcopy(ScpiSession& session) {
  const CaptureStatus status = CaptureDisplayImage(session, buffer_);
  if (status == CaptureStatus::NoReply) return status;
  picture_ = DrawDisplayImage(buffer_);
  composed_ = ComposeHardcopy(picture_);
  return status;
}

void Hardcopy::SaveAs(const std::filesystem::path& path) {
  WriteJpegFile(path, composed_);
  names_.SaveDone(PathToUtf8(path.filename()));
}

}  // namespace qel
