// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/pages/page_comparison.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/pages/parameter_pages.h"

namespace qel {
namespace {

using Change = std::function<void(ParameterPages&)>;

TEST(PageComparison, ComparesWhatThePageModelsHold) {
  struct Row {
    const char* what;
    Change file;
    Change instrument;
    std::vector<SettingDifference> expected;
  };
  const Change none = [](ParameterPages&) {};
  const std::vector<Row> rows = {
      {"same pages", none, none, {}},
      {"limits as numbers: 1.5 is the read 1.5000, -0 is 0.0000",
       [](ParameterPages& p) {
         p.OutLineFrame2.OG.SetText("1.5");
         p.OutLineFrame2.UG.SetText("-0");
       },
       [](ParameterPages& p) { p.OutLineFrame2.OG.SetText("1.5000"); },
       {}},
      {"limits at the field's four decimals: 1.23456 is the read 1.2346",
       [](ParameterPages& p) { p.OutLineFrame1.OG.SetText("1.23456"); },
       [](ParameterPages& p) { p.OutLineFrame1.OG.SetText("1.2346"); },
       {}},
      {"octets as numbers: 7 is 007",
       [](ParameterPages& p) { p.LANFrame1.Ip_Adr_In.SetOctet(4, "7"); },
       [](ParameterPages& p) { p.LANFrame1.Ip_Adr_In.SetAddress("000", "000", "000", "007"); },
       {}},
      {"a position, a limit, an octet and a box without selection differ",
       [](ParameterPages& p) {
         p.EinheitenFrame1.Mess_Modus.SetIndex(1);
         p.OutLineFrame3.UG.SetText("2.5");
         p.LANFrame1.Sub_Adr_In.SetOctet(1, "255");
       },
       [](ParameterPages& p) {
         p.OutLineFrame3.UG.SetText("2.5001");
         p.TastenFrame2.Funk.SetIndex(-1);
       },
       {{"Mode", "MODE", "1", "0"},
        {"Output3", "DGIO:SET:OUT:LIMI:LOW", "2.5", "2.5001"},
        {"KEYSBOT", "FUNC", "0", "-1"},
        {"LAN", "IP:MAS1", "255", "000"}}},
      {"a limit text that is no number equals only itself",
       [](ParameterPages& p) {
         p.OutLineFrame4.OG.SetText("");
         p.OutLineFrame4.UG.SetText("+");
       },
       [](ParameterPages& p) { p.OutLineFrame4.UG.SetText("+"); },
       {{"Output4", "DGIO:SET:OUT:LIMI:HIGH", "", "0.0000"}}},
  };
  for (const Row& row : rows) {
    ParameterPages file;
    ParameterPages instrument;
    row.file(file);
    row.instrument(instrument);
    EXPECT_EQ(ComparePages(file, instrument), row.expected) << row.what;
  }
}

}  // namespace
}  // namespace qel
