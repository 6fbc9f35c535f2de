// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// File names inside the tool are std::string. On Linux they are the bytes the system
// uses. On Windows they are UTF-8: qel11ctl takes its arguments as UTF-8, the data folder
// comes from the environment as UTF-8, and every file call converts to the system's
// UTF-16 here, so names with umlauts (or any other character) work whatever the ANSI
// code page is. std::filesystem::path built straight from a std::string would read it
// in the ANSI code page instead.

#include <filesystem>
#include <string>
#include <string_view>

namespace qel {

std::filesystem::path PathFromUtf8(std::string_view path);
std::string PathToUtf8(const std::filesystem::path& path);

#ifdef _WIN32
// UTF-8 and the system's UTF-16; invalid input becomes U+FFFD.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
#endif

}  // namespace qel
