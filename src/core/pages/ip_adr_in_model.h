// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Model of the dotted-address entry `TIp_Adr_In_`: four octet fields of at most three
// typed characters, "000" at start. A field's text is checked on every change (typed or
// set by the program) and padded to three digits when the field loses the focus.

#include <array>
#include <string>
#include <string_view>

namespace qel {

// Left-pads with "0" while the text has 2 characters or fewer, then keeps the first
// three characters: "" -> "000", "7" -> "007", "42" -> "042", "255" stays.
std::string PadOctet(std::string_view text);

// An octet text the change rule accepts: ASCII digits only (at least one) with a value of
// at most 255. Signs, blanks and hexadecimal forms are refused, so no negative or
// misread number reaches the instrument.
bool OctetTextValid(std::string_view text);

// The change rule (`Lan_Adr1_InChange`): a valid text stays as it is (7 or 42 stay
// unpadded while the field has the focus); anything else resets the field.
struct OctetChange {
  std::string text;
  // The field was reset: it shows "000" with the caret at 0 and all three characters
  // selected, so the next digit typed starts the octet afresh.
  bool reset = false;
};
OctetChange OctetAfterChange(std::string_view text);

class IpAdrInModel {
 public:
  static constexpr std::string_view kResetText = "000";

  // Octets are numbered 1 to 4, left to right (the fields' Tags); others throw
  // std::out_of_range.
  const std::string& Octet(int k) const { return octets_.at(Index(k)); }
  // The text of field k changed to `text`; applies the change rule and tells whether the
  // field was reset.
  bool SetOctet(int k, std::string_view text);
  // Field k lost the focus (`Lan_Adr1_InExit`): its text becomes PadOctet(text).
  void ExitOctet(int k);
  // Sets field k to PadOctet(ak), fields 1 to 4 in order (each through the change rule).
  void SetAddress(std::string_view a1, std::string_view a2, std::string_view a3,
                  std::string_view a4);

 private:
  static std::size_t Index(int k) { return static_cast<std::size_t>(k - 1); }
  std::array<std::string, 4> octets_{"000", "000", "000", "000"};
};

}  // namespace qel
