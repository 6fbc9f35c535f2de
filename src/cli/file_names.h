// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Files of a run on several instruments: each instrument writes its own file, named with
// its serial number before the suffix, and no two instruments of one run get the same
// name (two meters with one serial number would otherwise overwrite each other's file).

#include <mutex>
#include <set>
#include <string>
#include <string_view>

namespace qel::cli {

// `given` with "_" + tag before the suffix of its file name: "x.QEL" -> "x_TAG.QEL",
// "dir/x" -> "dir/x_TAG"; the folder part is kept as it is.
std::string NameWithTag(const std::string& given, std::string_view tag);

// A serial number (Windows-1252, as the instrument answers it) as a part of a file name,
// UTF-8: blanks around it dropped, control and path characters (/ \ : * ? " < > |) as
// "_". Empty when nothing is left.
std::string SerialFileTag(std::string_view serial);

class FileNames {
 public:
  // `path`, or when an instrument of this run took it already, the first free one of
  // NameWithTag(path, "2"), "3", ...
  std::string Claim(const std::string& path);

 private:
  std::mutex mutex_;
  std::set<std::string> taken_;
};

}  // namespace qel::cli
