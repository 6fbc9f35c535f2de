// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The built-in dictionary text "DEUTSCH_ENGLISCH_DOC", compiled into the program from
// resources/dictionary.txt: Windows-1252 bytes, CRLF line ends, exactly as in the file.

#include <string_view>

namespace qel {

inline constexpr std::string_view kDictionaryResourceName = "DEUTSCH_ENGLISCH_DOC";

std::string_view DictionaryResourceText();

}  // namespace qel
