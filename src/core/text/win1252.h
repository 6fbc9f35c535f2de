// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Windows-1252 <-> UTF-8. The core keeps every system text as Windows-1252 bytes; the
// command-line tool prints UTF-8 and reads UTF-8 arguments, so it converts at its edge.
//
// 0xA0..0xFF are Latin-1 (same code point); 0x80..0x9F come from one 32-entry table.
// The five codes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the
// C1 control of the same number, so every byte string survives a round trip unchanged.

#include <string>
#include <string_view>

namespace qel {

std::string Win1252ToUtf8(std::string_view text);

// The Windows-1252 byte of one Unicode code point; '?' when it has none.
char CodePointToWin1252(char32_t cp);

// Characters without a Windows-1252 code become '?'. Invalid UTF-8 becomes '?' too, one
// '?' per maximal invalid subsequence (as Unicode recommends), so a truncated multibyte
// character costs one '?', a stray continuation byte one '?' each.
std::string Utf8ToWin1252(std::string_view text);

}  // namespace qel
