// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-file reads and crash-safe whole-file writes. A write goes to a temporary file in
// the target's folder, is flushed to the disk and then renamed over the target, so the
// target always holds either its old or its new bytes — never a torn mix, also when the
// disk fills up or the power fails half-way.

#include <filesystem>
#include <string>
#include <string_view>

namespace qel {

enum class FileReadStatus {
  kRead,     // bytes hold the whole file
  kMissing,  // no such file (or a parent folder is missing)
  kFailed,   // something is there but could not be read (a folder, a pipe, no permission)
};

FileReadStatus ReadFileBytes(const std::filesystem::path& path, std::string& bytes);

// False when the file could not be replaced; the previous file is then untouched and no
// temporary file is left behind. The new file keeps the permission bits of the one it
// replaces. A symbolic link is followed and its target replaced, so the link survives. A
// file that exists but is not writable for us is refused, as Windows refuses to write a
// read-only file.
//
// The temporary file is named ".<name>.<process id>-<n>.qeltmp" beside the target. A
// process killed between creating and renaming it leaves it behind; every write of the
// same target first removes such leftovers — only ours (that exact pattern, a regular
// file owned by this user) and only those of a process that no longer runs.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// ".<name>.<pid>-<n>.qeltmp" for this target (a file name, no folder); exposed for tests.
std::filesystem::path TemporaryFileName(const std::filesystem::path& target, long processId,
                                        unsigned n);

}  // namespace qel
