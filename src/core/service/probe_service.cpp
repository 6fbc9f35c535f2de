// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/probe_service.h"

#include "core/service/dot_number.h"
#include "core/service/service_text.h"

namespace qel {
namespace {

std::string ShownNumber(const std::string& reply, int decimals, double factor = 1.0) {
  return FormatDotFixed(ParseDotNumber(reply) * factor, decimals);
}

std::string WrittenAlfa(const std::string& field) {
  return FormatDotFixed(ParseDotNumber(field) * kProbeAlfaWriteFactor, kProbeAlfaWriteDecimals);
}

}  // namespace

bool Ref8TEnabledFor(int typeIndex) {
  return typeIndex == 3 || typeIndex == 4;
}

void ProbeService::SelectType(int index) {
  fields.ProbeTypeComboBox = index;
  fields.Ref8T_Enabled = Ref8TEnabledFor(index);
}

bool ProbeService::Read(ScpiSession& session, const RepaintHook& repaint) {
  status = {"", ServiceOutcome::Working};
  const bool ref8TEnabled = fields.Ref8T_Enabled;
  fields = ProbeFields{};
  fields.Ref8T_Enabled = ref8TEnabled;
  if (repaint) repaint();

  session.ScpiQuery(kProbeUnlockLine);
  if (session.ScpiQuery("PROB:READ?") != "1") {
    status = {"Lese Fehler", ServiceOutcome::Failure};
    return false;
  }
  const std::uint64_t unansweredBefore = session.UnansweredLines();

  ProbeFields& f = fields;
  f.Probe_Name_In = TrimTrailingBlanks(UnquoteReply(session.ScpiQuery("PROB:NAME?")));
  f.Probe_Cal_In = TrimTrailingBlanks(UnquoteReply(session.ScpiQuery("PROB:CAL?")));
  f.Probe_So_In[0] = ShownNumber(session.ScpiQuery("PROB:S01?"), kProbeValueDecimals);
  f.Probe_So_In[1] = ShownNumber(session.ScpiQuery("PROB:S02?"), kProbeValueDecimals);

  // Not an integer: "Fail"; an integer outside the list: nothing selected.
  const auto type = ParseDecimalInteger(session.ScpiQuery("PROB:Type?"));
  int index = kProbeTypeFail;
  if (type) index = *type >= 0 && *type < int(kProbeTypeItems.size()) ? *type : -1;
  SelectType(index);

  f.Probe_EPROM_SN_In = session.ScpiQuery("PROB:SNEP?");
  f.Probe_SN_In = UnquoteReply(session.ScpiQuery("PROB:SN?"));  // blanks kept
  f.Probe_alfa_In[0] =
      ShownNumber(session.ScpiQuery("PROB:alf1?"), kProbeValueDecimals, kProbeAlfaShownFactor);
  f.Probe_roffset_1ma_In[0] = ShownNumber(session.ScpiQuery("PROB:Ro11?"), kProbeValueDecimals);
  f.Probe_roffset_3ma_In[0] = ShownNumber(session.ScpiQuery("PROB:Ro31?"), kProbeValueDecimals);
  f.Probe_alfa_In[1] =
      ShownNumber(session.ScpiQuery("PROB:ALF2?"), kProbeValueDecimals, kProbeAlfaShownFactor);
  f.Probe_roffset_1ma_In[1] = ShownNumber(session.ScpiQuery("PROB:Ro12?"), kProbeValueDecimals);
  f.Probe_roffset_3ma_In[1] = ShownNumber(session.ScpiQuery("PROB:Ro32?"), kProbeValueDecimals);
  f.Ref8T_IN = ShownNumber(session.ScpiQuery("PROB:HFRF?"), kProbeRef8TDecimals);
  const bool allAnswered = session.UnansweredLines() == unansweredBefore;

  session.ScpiQuery(kProbeLockLine);
  status = allAnswered ? ServiceStatus{"Lesen IO", ServiceOutcome::Success}
                       : ServiceStatus{"Lese Fehler", ServiceOutcome::Failure};
  return allAnswered;
}

bool ProbeService::Write(ScpiSession& session, const RepaintHook& repaint) {
  status = {"Schreiben", ServiceOutcome::Working};
  if (repaint) repaint();

  const ProbeFields& f = fields;
  session.ScpiQuery(kProbeUnlockLine);
  session.ScpiQuery("PROB:NAME " + QuotedText(f.Probe_Name_In));
  session.ScpiQuery("PROB:CAL " + QuotedText(f.Probe_Cal_In));
  session.ScpiQuery("PROB:Type " + std::to_string(f.ProbeTypeComboBox));
  session.ScpiQuery("PROB:SN " + QuotedText(f.Probe_SN_In));
  session.ScpiQuery("PROB:S01 " + f.Probe_So_In[0]);
  session.ScpiQuery("PROB:alf1 " + WrittenAlfa(f.Probe_alfa_In[0]));
  session.ScpiQuery("PROB:Ro11 " + f.Probe_roffset_1ma_In[0]);
  session.ScpiQuery("PROB:Ro31 " + f.Probe_roffset_3ma_In[0]);
  session.ScpiQuery("PROB:S02 " + f.Probe_So_In[1]);
  session.ScpiQuery("PROB:ALF2 " + WrittenAlfa(f.Probe_alfa_In[1]));
  session.ScpiQuery("PROB:Ro12 " + f.Probe_roffset_1ma_In[1]);
  session.ScpiQuery("PROB:Ro32 " + f.Probe_roffset_3ma_In[1]);
  // Sent also while the field is disabled (no high-field probe).
  session.ScpiQuery("PROB:HFRF " + f.Ref8T_IN);

  if (session.ScpiQuery("PROB:WRIT?") != "1") {
    status = {"Schreiben Fehler", ServiceOutcome::Failure};
    return false;
  }
  status = {"Schreiben IO", ServiceOutcome::Success};
  session.ScpiQuery(kProbeLockLine);
  return true;
}

void ProbeService::FillTestData() {
  ProbeFields& f = fields;
  f.Probe_Name_In = "Name --";
  f.Probe_Cal_In = "Cal --";
  f.Probe_So_In = {"150", "150"};
  f.Probe_SN_In = "990112999";
  f.Probe_alfa_In = {"1.3", "1.3"};
  f.Probe_roffset_1ma_In = {"0", "0"};
  f.Probe_roffset_3ma_In = {"0", "0"};
  f.Ref8T_IN = "0";
  f.ProbeTypeComboBox = 2;  // "Calibrier Probe"
}

}  // namespace qel
