// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/ip_adr_in_model.h"

namespace qel {

std::string PadOctet(std::string_view text) {
  std::string padded(text);
  while (padded.size() <= 2) padded.insert(padded.begin(), '0');
  return padded.substr(0, 3);
}

bool OctetTextValid(std::string_view text) {
  if (text.empty()) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
    if (value > 255) return false;
  }
  return true;
}

OctetChange OctetAfterChange(std::string_view text) {
  if (OctetTextValid(text)) return {std::string(text), false};
  return {std::string(IpAdrInModel::kResetText), true};
}

bool IpAdrInModel::SetOctet(int k, std::string_view text) {
  OctetChange change = OctetAfterChange(text);
  octets_.at(Index(k)) = std::move(change.text);
  return change.reset;
}

void IpAdrInModel::ExitOctet(int k) {
  SetOctet(k, PadOctet(Octet(k)));
}

void IpAdrInModel::SetAddress(std::string_view a1, std::string_view a2, std::string_view a3,
                              std::string_view a4) {
  SetOctet(1, PadOctet(a1));
  SetOctet(2, PadOctet(a2));
  SetOctet(3, PadOctet(a3));
  SetOctet(4, PadOctet(a4));
}

}  // namespace qel
