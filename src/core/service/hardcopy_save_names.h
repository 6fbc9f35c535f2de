// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file names "Save" proposes: after a save as shot.jpg the next saves propose
// shot_1.jpg, shot_2.jpg, ... as long as the user accepts the proposals; a different name
// starts a new series on that name. Kept for the program run only.

#include <string>

namespace qel {

class HardcopySaveNames {
 public:
  // Before the dialog opens. `dialogFileName` is the dialog's file name as it stands. With
  // a remembered name the counter advances (also when the dialog is then cancelled), the
  // remembered name is cut at its first "." and the proposal becomes
  // name + "_" + counter + ".jpg". Returns the file name to put into the dialog, which is
  // also noted for SaveDone.
  std::string ProposeFileName(const std::string& dialogFileName);

  // After the file was written: a chosen name (without folder) other than the noted one
  // is remembered and the counter starts again at 0. Not called after a failed save.
  void SaveDone(const std::string& chosenPath);

  const std::string& RememberedName() const { return remembered_; }
  int Counter() const { return counter_; }

 private:
  std::string remembered_;
  int counter_ = 0;
  std::string noted_;
};

// The file name without its folder ("/" and "\" both separate folders).
std::string FileNameWithoutFolder(const std::string& path);

}  // namespace qel
