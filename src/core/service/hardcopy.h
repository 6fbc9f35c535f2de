// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The display hardcopy as the window and `qel11ctl hardcopy` use it: capture the display
// memory, draw it at scale 2, compose the framed image, and save that as JPEG files with
// proposed names. The window copies Picture() into its on-screen image and Composed()
// onto the clipboard after each capture that did not end NoReply.

#include <filesystem>
#include <string>

#include "core/link/scpi_session.h"
#include "core/service/display_capture.h"
#include "core/service/hardcopy_image.h"
#include "core/service/hardcopy_save_names.h"
#include "core/service/rgb_image.h"

namespace qel {

class Hardcopy {
 public:
  Hardcopy();

  // "Get > Clipart" (and each tick of "Dauer"): one capture; then, unless it ended
  // NoReply, the picture is drawn and the framed image composed. After NoReply buffer,
  // picture and composed image are exactly as before, and the window leaves its picture
  // and the clipboard alone.
  CaptureStatus GetHardcopy(ScpiSession& session);

  const DisplayImageBuffer& Buffer() const { return buffer_; }
  // 264 x 64; all display colour until the first capture.
  const RgbImage& Picture() const { return picture_; }
  // 284 x 84; empty until the first capture that got a reply.
  const RgbImage& Composed() const { return composed_; }

  // "Save", after the dialog was accepted: encodes Composed() into `path` (atomically,
  // overwriting) and updates the name proposals. Throws JpegError before the first
  // capture ("Kein Bild zum Speichern vorhanden") and when the file cannot be written;
  // nothing is remembered then.
  void SaveAs(const std::filesystem::path& path);

  HardcopySaveNames& SaveNames() { return names_; }
  const HardcopySaveNames& SaveNames() const { return names_; }

 private:
  DisplayImageBuffer buffer_{};
  RgbImage picture_;
  RgbImage composed_;
  HardcopySaveNames names_;
};

}  // namespace qel
