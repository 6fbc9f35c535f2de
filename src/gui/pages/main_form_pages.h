// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Module QEL11_Setup_HID_Unit (the pages on the main window).
// The main window's twelve parameter pages: the models (one ParameterPages, the same
// object qel11ctl runs), the frames bound to them with the captions and hidden controls of
// their places on the main window, and the whole-window actions, which copy the frames
// into the models, run the models in page order and copy the models back.

#include <QString>
#include <array>
#include <string>

#include "core/link/scpi_session.h"
#include "core/pages/parameter_file.h"
#include "core/pages/parameter_pages.h"
#include "gui/pages/bound_frame.h"

namespace qel::gui {

class TEinheitenFrame;
class TOutLineFrame;
class TInLineFrame;
class TTastenFrame;
class TLANFrame;
class TEIA232Frame;
class TQEL_Display_Frame;

// The page frames placed on the main window.
struct MainFormFrames {
  TEinheitenFrame* EinheitenFrame1;
  std::array<TOutLineFrame*, 4> OutLineFrames;
  std::array<TInLineFrame*, 3> InLineFrames;
  TTastenFrame* TastenFrame1;
  TTastenFrame* TastenFrame2;
  TLANFrame* LANFrame1;
  TEIA232Frame* EIA232Frame1;
  TQEL_Display_Frame* QEL_Display_Frame1;
};

class MainFormPages {
 public:
  // Binds the frames to the models and to `session`, and gives each its caption and the
  // controls it shows on the main window.
  MainFormPages(const MainFormFrames& frames, ScpiSession& session);
  // The frames go back to models of their own: the models go first, the main window's
  // widgets after them.
  ~MainFormPages();
  MainFormPages(const MainFormPages&) = delete;
  MainFormPages& operator=(const MainFormPages&) = delete;

  ParameterPages& Pages() { return pages_; }
  // The frames in page order.
  const std::array<ParameterFrame*, ParameterPages::kPageCount>& Frames() const { return frames_; }

  // "Werte aus Gerät lesen " (39 lines) and "Werte ins Gerät schreiben ".
  void ReadAll();
  void WriteAll();
  // The pages as they stand into a new file at `path` (an atomic replace); throws
  // IniWriteError when it cannot be written.
  void SaveParameterFile(const QString& path, const ParameterFileInfo& info);
  // Fills the pages from the file; sends nothing and runs no change handler.
  void LoadParameterFile(const QString& path);

 private:
  void CopyToModels();
  void CopyFromModels();

  ScpiSession& session_;
  ParameterPages pages_;
  std::array<ParameterFrame*, ParameterPages::kPageCount> frames_{};
};

}  // namespace qel::gui
