// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/probe_service.h"

#include <gtest/gtest.h>

#include "../diag/scripted_instrument.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;

const std::vector<std::string> kReadLines = {"PROB:LOCK 6083; *opc?",
                                             "PROB:READ?",
                                             "PROB:NAME?",
                                             "PROB:CAL?",
                                             "PROB:S01?",
                                             "PROB:S02?",
                                             "PROB:Type?",
                                             "PROB:SNEP?",
                                             "PROB:SN?",
                                             "PROB:alf1?",
                                             "PROB:Ro11?",
                                             "PROB:Ro31?",
                                             "PROB:ALF2?",
                                             "PROB:Ro12?",
                                             "PROB:Ro32?",
                                             "PROB:HFRF?",
                                             "PROB:LOCK 0; *opc?"};

void AnswerProbe(ScriptedInstrument& qel) {
  qel.Reply("PROB:READ?", "1");
  qel.Reply("PROB:NAME?", "\"PROBE 1   \"");
  qel.Reply("PROB:CAL?", "\"KAL \"\"A\"\"       \"");
  qel.Reply("PROB:S01?", "150");
  qel.Reply("PROB:S02?", "149.7");
  qel.Reply("PROB:Type?", "3");
  qel.Reply("PROB:SNEP?", "2D00000B1C6E4A23");
  qel.Reply("PROB:SN?", "\"PROBE 1   \"");
  qel.Reply("PROB:alf1?", "0.013");
  qel.Reply("PROB:Ro11?", "0.12");
  qel.Reply("PROB:Ro31?", "x");
  qel.Reply("PROB:ALF2?", "1.27E-2");
  qel.Reply("PROB:Ro12?", "-0.08");
  qel.Reply("PROB:Ro32?", "");
  qel.Reply("PROB:HFRF?", "8.1234567");
}

TEST(ProbeService, ReadSuccess) {
  ScriptedInstrument qel;
  AnswerProbe(qel);
  ProbeService probe;
  EXPECT_EQ(probe.status, (ServiceStatus{"--------", ServiceOutcome::Working}));
  probe.fields.Probe_Name_In = "old";
  int repaints = 0;
  EXPECT_TRUE(probe.Read(qel.session, [&] {
    ++repaints;
    // shown before the first line: empty fields, empty type, empty status on yellow
    EXPECT_TRUE(qel.sent.empty());
    EXPECT_EQ(probe.fields.Probe_Name_In, "");
    EXPECT_EQ(probe.fields.ProbeTypeComboBox, kProbeTypeEmpty);
    EXPECT_EQ(probe.status, (ServiceStatus{"", ServiceOutcome::Working}));
  }));
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(qel.sent, kReadLines);
  const ProbeFields& f = probe.fields;
  EXPECT_EQ(f.Probe_Name_In, "PROBE 1");
  EXPECT_EQ(f.Probe_Cal_In, "KAL \"A\"");
  EXPECT_EQ(f.Probe_SN_In, "PROBE 1   ");  // blanks kept
  EXPECT_EQ(f.Probe_EPROM_SN_In, "2D00000B1C6E4A23");
  EXPECT_EQ(f.Probe_So_In, (std::array<std::string, 2>{"150.000000", "149.700000"}));
  EXPECT_EQ(f.Probe_alfa_In, (std::array<std::string, 2>{"1.300000", "1.270000"}));
  EXPECT_EQ(f.Probe_roffset_1ma_In, (std::array<std::string, 2>{"0.120000", "-0.080000"}));
  EXPECT_EQ(f.Probe_roffset_3ma_In, (std::array<std::string, 2>{"0.000000", "0.000000"}));
  EXPECT_EQ(f.Ref8T_IN, "8.12346");
  EXPECT_EQ(f.ProbeTypeComboBox, 3);
  EXPECT_EQ(std::string(kProbeTypeItems[f.ProbeTypeComboBox]), "Transversal High Field");
  EXPECT_TRUE(f.Ref8T_Enabled);
  EXPECT_EQ(probe.status, (ServiceStatus{"Lesen IO", ServiceOutcome::Success}));
}

TEST(ProbeService, TypeReplySelectsItemAndRef8T) {
  struct Row {
    std::string reply;
    int index;
    bool ref8T;
  };
  const std::vector<Row> rows = {{"3", 3, true},   {"4", 4, true},   {"0", 0, false},
                                 {"x", 5, false},  {"", 5, false},   {"6", 6, false},
                                 {"7", -1, false}, {"-1", -1, false}};
  for (const Row& row : rows) {
    ScriptedInstrument qel;
    AnswerProbe(qel);
    qel.Reply("PROB:Type?", row.reply);
    ProbeService probe;
    probe.Read(qel.session);
    EXPECT_EQ(probe.fields.ProbeTypeComboBox, row.index) << row.reply;
    EXPECT_EQ(probe.fields.Ref8T_Enabled, row.ref8T) << row.reply;
  }
}

TEST(ProbeService, ReadRefusedSendsNothingMore) {
  for (const std::string reply : {"0", "", " 1", "1\r\n"}) {
    ScriptedInstrument qel;
    AnswerProbe(qel);
    qel.Reply("PROB:READ?", reply);
    ProbeService probe;
    probe.fields.Probe_So_In[0] = "1";
    EXPECT_FALSE(probe.Read(qel.session));
    EXPECT_EQ(qel.sent, (std::vector<std::string>{"PROB:LOCK 6083; *opc?", "PROB:READ?"}));
    EXPECT_EQ(probe.status, (ServiceStatus{"Lese Fehler", ServiceOutcome::Failure}));
    EXPECT_EQ(probe.fields.Probe_So_In[0], "");
  }
}

TEST(ProbeService, ReadWithoutInstrument) {
  ScriptedInstrument qel(/*attached=*/false);
  ProbeService probe;
  EXPECT_FALSE(probe.Read(qel.session));
  EXPECT_EQ(probe.status.text, "Lese Fehler");
  EXPECT_EQ(qel.session.UnansweredLines(), 2u);
}

TEST(ProbeService, ReadWithAnUnansweredQueryIsAFailure) {
  ScriptedInstrument qel;
  AnswerProbe(qel);
  qel.Silence("PROB:Ro12?");
  ProbeService probe;
  EXPECT_FALSE(probe.Read(qel.session));
  EXPECT_EQ(qel.sent, kReadLines);  // the read goes on and locks the memory
  EXPECT_EQ(probe.status, (ServiceStatus{"Lese Fehler", ServiceOutcome::Failure}));
  EXPECT_EQ(probe.fields.Probe_Name_In, "PROBE 1");
}

const std::vector<std::string> kTestDataWriteLines = {
    "PROB:LOCK 6083; *opc?", "PROB:NAME \"Name --\"", "PROB:CAL \"Cal --\"",
    "PROB:Type 2",           "PROB:SN \"990112999\"", "PROB:S01 150",
    "PROB:alf1 0.013000000", "PROB:Ro11 0",           "PROB:Ro31 0",
    "PROB:S02 150",          "PROB:ALF2 0.013000000", "PROB:Ro12 0",
    "PROB:Ro32 0",           "PROB:HFRF 0",           "PROB:WRIT?"};

TEST(ProbeService, TestDataThenWriteSuccess) {
  ScriptedInstrument qel;
  qel.Reply("PROB:WRIT?", "1");
  ProbeService probe;
  probe.fields.Probe_EPROM_SN_In = "kept";
  probe.fields.Ref8T_Enabled = false;
  probe.FillTestData();
  EXPECT_TRUE(qel.sent.empty());
  EXPECT_EQ(probe.fields.Probe_EPROM_SN_In, "kept");
  EXPECT_FALSE(probe.fields.Ref8T_Enabled);  // left alone, and HFRF is still written
  EXPECT_EQ(probe.fields.ProbeTypeComboBox, 2);

  bool repainted = false;
  EXPECT_TRUE(probe.Write(qel.session, [&] {
    repainted = true;
    EXPECT_EQ(probe.status, (ServiceStatus{"Schreiben", ServiceOutcome::Working}));
    EXPECT_TRUE(qel.sent.empty());
  }));
  EXPECT_TRUE(repainted);
  auto expected = kTestDataWriteLines;
  expected.push_back("PROB:LOCK 0; *opc?");
  EXPECT_EQ(qel.sent, expected);
  EXPECT_EQ(probe.status, (ServiceStatus{"Schreiben IO", ServiceOutcome::Success}));
}

TEST(ProbeService, WriteFailureLeavesTheMemoryUnlocked) {
  ScriptedInstrument qel;
  qel.Reply("PROB:WRIT?", "0");
  ProbeService probe;
  probe.FillTestData();
  EXPECT_FALSE(probe.Write(qel.session));
  EXPECT_EQ(qel.sent, kTestDataWriteLines);  // no lock line
  EXPECT_EQ(probe.status, (ServiceStatus{"Schreiben Fehler", ServiceOutcome::Failure}));
}

TEST(ProbeService, WriteEmptyFieldsAndOddValues) {
  ScriptedInstrument qel;
  ProbeService probe;
  probe.fields = ProbeFields{};
  probe.fields.ProbeTypeComboBox = -1;
  probe.fields.Probe_alfa_In = {"abc", "-2,5"};  // not numbers: written as 0
  probe.fields.Probe_So_In = {"1e2", ""};        // as typed
  EXPECT_FALSE(probe.Write(qel.session));
  const std::vector<std::string> expected = {"PROB:LOCK 6083; *opc?",
                                             "PROB:NAME \"\"",
                                             "PROB:CAL \"\"",
                                             "PROB:Type -1",
                                             "PROB:SN \"\"",
                                             "PROB:S01 1e2",
                                             "PROB:alf1 0.000000000",
                                             "PROB:Ro11 ",
                                             "PROB:Ro31 ",
                                             "PROB:S02 ",
                                             "PROB:ALF2 0.000000000",
                                             "PROB:Ro12 ",
                                             "PROB:Ro32 ",
                                             "PROB:HFRF ",
                                             "PROB:WRIT?"};
  EXPECT_EQ(qel.sent, expected);
  EXPECT_EQ(probe.status.text, "Schreiben Fehler");
}

TEST(ProbeService, WriteWithoutInstrumentGoesThroughAllLines) {
  ScriptedInstrument qel(/*attached=*/false);
  ProbeService probe;
  probe.FillTestData();
  EXPECT_FALSE(probe.Write(qel.session));
  EXPECT_EQ(qel.session.UnansweredLines(), 15u);
  EXPECT_EQ(probe.status.outcome, ServiceOutcome::Failure);
}

TEST(ProbeService, ReadThenWriteRoundTripsAlfa) {
  ScriptedInstrument qel;
  AnswerProbe(qel);
  qel.Reply("PROB:WRIT?", "1");
  ProbeService probe;
  probe.Read(qel.session);
  qel.sent.clear();
  probe.Write(qel.session);
  // a quote inside a text goes back doubled, as the instrument sent it
  EXPECT_EQ(qel.sent[2], "PROB:CAL \"KAL \"\"A\"\"\"");
  EXPECT_EQ(qel.sent[6], "PROB:alf1 0.013000000");
  EXPECT_EQ(qel.sent[10], "PROB:ALF2 0.012700000");
  EXPECT_EQ(qel.sent[5], "PROB:S01 150.000000");
  EXPECT_EQ(qel.sent[13], "PROB:HFRF 8.12346");
}

TEST(ProbeService, SelectTypeAndStatusColours) {
  ProbeService probe;
  for (int i = -1; i <= 6; ++i) {
    probe.SelectType(i);
    EXPECT_EQ(probe.fields.Ref8T_Enabled, i == 3 || i == 4) << i;
  }
  EXPECT_EQ(ServiceStatusColour(ServiceOutcome::Working), (Rgb{255, 255, 0}));
  EXPECT_EQ(ServiceStatusColour(ServiceOutcome::Success), (Rgb{0, 255, 0}));
  EXPECT_EQ(ServiceStatusColour(ServiceOutcome::Failure), (Rgb{255, 0, 0}));
}

}  // namespace
}  // namespace qel
