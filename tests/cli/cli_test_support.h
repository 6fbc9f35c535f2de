// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared by the qel11ctl tests: running the tool, a scratch folder, file contents.

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "process_runner.h"

namespace qel::testing {

inline ProcessResult Ctl(const std::vector<std::string>& args) {
  return RunProcess(Qel11ctlPath(), args);
}

inline const std::string kSimPath = Qel11SimPath();

inline std::string ReadFileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string TestData(const std::string& name) {
  return std::string(QEL_TEST_DATA_DIR) + "/" + name;
}

// A folder of its own, removed at the end.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qel-cli-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace qel::testing
