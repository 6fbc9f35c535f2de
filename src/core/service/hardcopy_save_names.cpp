// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/hardcopy_save_names.h"

namespace qel {

std::string FileNameWithoutFolder(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string HardcopySaveNames::ProposeFileName(const std::string& dialogFileName) {
  std::string fileName = dialogFileName;
  if (!remembered_.empty()) {
    ++counter_;
    // The remembered name itself is cut, so "a.b.jpg" proposes a_1.jpg, then a_2.jpg.
    const auto dot = remembered_.find('.');
    if (dot != std::string::npos) remembered_.erase(dot);
    fileName = remembered_ + "_" + std::to_string(counter_) + ".jpg";
  }
  noted_ = fileName;
  return fileName;
}

void HardcopySaveNames::SaveDone(const std::string& chosenPath) {
  const std::string chosen = FileNameWithoutFolder(chosenPath);
  if (chosen != noted_) {
    remembered_ = chosen;
    counter_ = 0;
  }
}

}  // namespace qel
