// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Numbers and Booleans stored as text in profile files. A Boolean is an integer: any
// non-zero value is true, zero is false, and a value that is no number counts as missing.

#include <optional>
#include <string_view>

#include "core/platform/ini_file.h"

namespace qel {

// Decimal with an optional sign, or hexadecimal after "0x", "0X" or "$" (a sign may come
// before the prefix: "-$10" is -16). Blanks and tabs around the number are ignored (the
// INI reader has trimmed them already); anything else — empty text, a prefix without
// digits, blanks inside, trailing characters as in "1x" or "yes", a value beyond the
// range of long long — is no number.
std::optional<long long> ParseProfileInt(std::string_view text);

// nullopt when the key is missing or its value is no number.
std::optional<bool> ReadProfileBool(const IniDocument& doc, std::string_view section,
                                    std::string_view key);
std::optional<bool> ReadProfileBool(const IniFile& file, std::string_view section,
                                    std::string_view key);

}  // namespace qel
