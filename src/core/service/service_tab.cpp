// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/service_tab.h"

#include <string>

#include "core/link/scpi_session.h"

namespace qel {

void SelectTestRange(ScpiSession& session, int position) {
  session.ScpiQuery("INTE:RANG " + std::to_string(position));
}

void PressFrontKey(ScpiSession& session, FrontKeyPress press) {
  switch (press) {
    case FrontKeyPress::UpperLong:
      session.ScpiQuery("inte:tol");
      break;
    case FrontKeyPress::UpperShort:
      session.ScpiQuery("inte:tos");
      break;
    case FrontKeyPress::Both:
      session.ScpiQuery("inte:tol;tul");
      break;
    case FrontKeyPress::LowerShort:
      session.ScpiQuery("inte:tus");
      break;
    case FrontKeyPress::LowerLong:
      session.ScpiQuery("inte:tul");
      break;
  }
}

void SendKeyLock(ScpiSession& session, bool checked) {
  session.ScpiQuery(checked ? "inte:tlok 1" : "inte:tlok 0");
}

}  // namespace qel
