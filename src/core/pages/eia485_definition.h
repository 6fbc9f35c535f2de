// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The EIA-485 page `TEIA485Frame`: defined with its controls but placed on no window and
// without behaviour; it sends nothing and is not in the parameter file. Only the texts
// its controls need at run time live here (captions and labels are in its form).

#include <array>
#include <string_view>

#include "core/pages/choice_lists.h"

namespace qel {

// The baud-rate box has the EIA-232 page's seven items (kBaudItems).
inline constexpr std::array<std::string_view, 3> kEIA485ModeItems = {
    "BUS Kommunikation", "P2P Punkt zu Punkt Kommunikation", "OFF"};
// The bus-address field: two characters, initial text "01".
inline constexpr std::string_view kEIA485InitialAddress = "01";
inline constexpr int kEIA485AddressMaxLength = 2;

}  // namespace qel
