// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Module QEL11_Setup_HID_Unit (the service tab).
// The main window's "Service" tab: the test range choice, the simulated presses of the
// instrument's two front keys, and the check box that sends "inte:tlok".

#include <array>
#include <string_view>

namespace qel {

class ScpiSession;

// The items of the test range box (shown in a fixed-pitch font); an item's position is
// its range number.
inline constexpr std::array<std::string_view, 8> kTestRangeItems = {
    "  10  T B0", "1000 mT B1", " 600 mT B2", " 300 mT B3",
    " 150 mT B4", "  75 mT B5", "  30 mT B6", "  15 mT B7"};

// The user chose the test range at `position`: "INTE:RANG " + position ("INTE:RANG 3"
// for " 300 mT B3").
void SelectTestRange(ScpiSession& session, int position);

// The buttons of the " Tasten " group, top to bottom.
enum class FrontKeyPress {
  UpperLong,   // "Lang" of the upper key: "inte:tol"
  UpperShort,  // "Kurz" of the upper key: "inte:tos"
  Both,        // "Beide": "inte:tol;tul"
  LowerShort,  // "Kurz" of the lower key: "inte:tus"
  LowerLong,   // "Lang" of the lower key: "inte:tul"
};
void PressFrontKey(ScpiSession& session, FrontKeyPress press);

// The check box beside the keys: "inte:tlok 1" when checked, "inte:tlok 0" when not.
void SendKeyLock(ScpiSession& session, bool checked);

}  // namespace qel
