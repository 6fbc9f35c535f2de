// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/lan_model.h"

#include <string>

#include "core/link/scpi_session.h"
#include "core/platform/ini_document.h"

namespace qel {
namespace {

// The instrument is asked for the octets in the order 3, 4, 2, 1.
void ReadAddress(PageReader& read, const std::string& header, IpAdrInModel& address) {
  const std::string a3 = read.Octet(header + "3?");
  const std::string a4 = read.Octet(header + "4?");
  const std::string a2 = read.Octet(header + "2?");
  const std::string a1 = read.Octet(header + "1?");
  address.SetAddress(a1, a2, a3, a4);
}

void WriteAddress(ScpiSession& session, const std::string& header, const IpAdrInModel& address) {
  for (int k = 1; k <= 4; ++k) {
    session.ScpiQuery(header + std::to_string(k) + " " + address.Octet(k));
  }
}

void SaveAddress(IniDocument& file, const std::string& header, const IpAdrInModel& address) {
  for (int k = 1; k <= 4; ++k) {
    file.WriteString(LANModel::kSection, header + std::to_string(k), address.Octet(k));
  }
}

void LoadAddress(const IniDocument& file, const std::string& header, IpAdrInModel& address) {
  for (int k = 1; k <= 4; ++k) {
    address.SetOctet(k, file.ReadString(LANModel::kSection, header + std::to_string(k), ""));
  }
}

}  // namespace

UnfitReplies LANModel::ReadFromDevice(ScpiSession& session) {
  PageReader read(session);
  ReadAddress(read, "IP:IP", Ip_Adr_In);
  ReadAddress(read, "IP:MAS", Sub_Adr_In);
  return read.Unfit();
}

void LANModel::WriteToDevice(ScpiSession& session) const {
  WriteAddress(session, "IP:IP", Ip_Adr_In);
  WriteAddress(session, "IP:MAS", Sub_Adr_In);
}

void LANModel::SaveToIni(IniDocument& file) const {
  SaveAddress(file, "IP:IP", Ip_Adr_In);
  SaveAddress(file, "IP:MAS", Sub_Adr_In);
}

void LANModel::LoadFromIni(const IniDocument& file) {
  LoadAddress(file, "IP:IP", Ip_Adr_In);
  LoadAddress(file, "IP:MAS", Sub_Adr_In);
}

}  // namespace qel
