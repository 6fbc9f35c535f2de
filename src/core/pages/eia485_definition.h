#pragma once
// The EIA-485 page `TEIA485Frame`: defined with its controls but placed on no window and
// without behaviour; it sends nothing and is not in the parameter file. Only the texts
// of its controls live here, for a GUI that wants to show the definition.

#include <array>
#include <string_view>

#include "core/pages/choice_lists.h"

namespace qel {

inline constexpr std::string_view kEIA485Caption = " EIA 485 Schnittstelle";
inline constexpr std::string_view kEIA485BaudLabel = "Baudrate";
inline constexpr std::string_view kEIA485ModeLabel = "Mode";
inline constexpr std::string_view kEIA485AddressLabel = "Bus Adresse";
// The baud-rate box has the EIA-232 page's seven items (kBaudItems).
inline constexpr std::array<std::string_view, 3> kEIA485ModeItems = {
    "BUS Kommunikation", "P2P Punkt zu Punkt Kommunikation", "OFF"};
// The bus-address field: two characters, initial text "01".
inline constexpr std::string_view kEIA485InitialAddress = "01";
inline constexpr int kEIA485AddressMaxLength = 2;

}  // namespace qel
