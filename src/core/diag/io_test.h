// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Module QEL11_Setup_HID_Unit (TestOut1Click, Button13Click, ReadEingaengeTimerTimer).
// The digital I/O test of the main window's " Signal IO Test " tab: switching the four
// outputs by hand, switching them all off again, and polling the three inputs.

#include <array>
#include <optional>
#include <string_view>

namespace qel {

class ScpiSession;

inline constexpr int kTestOutputCount = 4;

// The input check boxes, input 1 first.
using InputStates = std::array<bool, 3>;

// One click on the check box of `output` (1..4), on and off alike: "DGIO:OEN<n> 1",
// "DGIO:SET:OUT<n>:LOG 0", "DGIO:OUT<n> 1" (on) or "DGIO:OUT<n> 0" (off).
void OutputTest(ScpiSession& session, int output, bool on);

// "Test Aus": "DGIO:OEN1 0" to "DGIO:OEN4 0". The check boxes keep their marks.
void OutputTestOff(ScpiSession& session);

// A "DGIO:IN?" reply of exactly 5 characters, such as "1,0,1": input k is on exactly when
// character 2k-1 is "1"; the characters between are not looked at. Any other reply (none,
// or one with a line end) tells nothing, and the check boxes keep their state.
std::optional<InputStates> InputStatesFromReply(std::string_view reply);

// One tick of the input polling: "DGIO:IN?" and its reply as above.
std::optional<InputStates> PollInputs(ScpiSession& session);

}  // namespace qel
