// SPDX-License-Identifier: GPL-3.0-or-later
// The service tab's lines: test ranges, simulated front keys, "inte:tlok".

#include "core/service/service_tab.h"

#include <gtest/gtest.h>

#include "../diag/scripted_instrument.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;
using Lines = std::vector<std::string>;

TEST(ServiceTab, LinesOfEveryControl) {
  ScriptedInstrument qel;
  SelectTestRange(qel.session, 0);
  SelectTestRange(qel.session, 7);
  for (const FrontKeyPress press :
       {FrontKeyPress::UpperLong, FrontKeyPress::UpperShort, FrontKeyPress::Both,
        FrontKeyPress::LowerShort, FrontKeyPress::LowerLong}) {
    PressFrontKey(qel.session, press);
  }
  SendKeyLock(qel.session, true);
  SendKeyLock(qel.session, false);
  EXPECT_EQ(qel.sent, (Lines{"INTE:RANG 0", "INTE:RANG 7", "inte:tol", "inte:tos", "inte:tol;tul",
                             "inte:tus", "inte:tul", "inte:tlok 1", "inte:tlok 0"}));
  EXPECT_EQ(kTestRangeItems[3], " 300 mT B3");
}

}  // namespace
}  // namespace qel
