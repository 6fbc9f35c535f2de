// SPDX-License-Identifier: GPL-3.0-or-later
// The probe parameter service window: the read and write sequences with what the fields
// and the status label show, the test data, the type list and "Ref 8T", the key filters.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "../diag/window_context.h"
#include "../user_input.h"
#include "gui/service/SCPI_Probe_Service_Unit.h"
#include "service_window_test_helpers.h"
#include "ui_SCPI_Probe_Service_Unit.h"

namespace qel::testing {
namespace {

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

const std::vector<std::string> kTestDataWriteLines = {
    "PROB:LOCK 6083; *opc?", "PROB:NAME \"Name --\"", "PROB:CAL \"Cal --\"",
    "PROB:Type 2",           "PROB:SN \"990112999\"", "PROB:S01 150",
    "PROB:alf1 0.013000000", "PROB:Ro11 0",           "PROB:Ro31 0",
    "PROB:S02 150",          "PROB:ALF2 0.013000000", "PROB:Ro12 0",
    "PROB:Ro32 0",           "PROB:HFRF 0",           "PROB:WRIT?"};

void AnswerProbe(ScriptedInstrument& qel) {
  qel.Reply("PROB:READ?", "1");
  qel.Reply("PROB:NAME?", "\"PROBE 1   \"");
  qel.Reply("PROB:CAL?", "\"KAL \"\"A\"\"\"");
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
  qel.Reply("PROB:Ro32?", "0");
  qel.Reply("PROB:HFRF?", "8.1234567");
}

struct Window {
  explicit Window(bool attached = true) : run(attached) {}
  ScriptedContext run;
  gui::TSCPI_Probe_Service_Form form{run.session};
  Ui::TSCPI_Probe_Service_Form& f() { return form.Form(); }
  ShownStatus State() { return Status(*f().PROBE_STATE_out); }
};

TEST(ProbeServiceForm, OpensWithTheEmptyTypeAndDashesOnYellow) {
  Window w;
  EXPECT_EQ(w.form.windowTitle(), "TOV09 / QEL11 Probe Parameter Service (SCPI)");
  EXPECT_EQ(w.State(), (ShownStatus{"--------", kYellow}));
  QStringList items;
  for (int i = 0; i < w.f().ProbeTypeComboBox->count(); ++i)
    items << w.f().ProbeTypeComboBox->itemText(i);
  EXPECT_EQ(items, QStringList({"Transversal Standard", "Axial Standard", "Calibrier Probe",
                                "Transversal High Field", "Axial High Field", "Fail", ""}));
  EXPECT_EQ(w.f().ProbeTypeComboBox->currentIndex(), 6);
  EXPECT_TRUE(w.f().Ref8T_IN->isEnabled());
  EXPECT_FALSE(w.f().Probe_EPROM_SN_In->isEnabled());
}

TEST(ProbeServiceForm, ReadFillsTheFieldsAndShowsLesenIO) {
  Window w;
  AnswerProbe(w.run.qel);
  w.f().Probe_Name_In->setText("old");
  // before the first line the window shows the emptied fields and the working state
  bool shownBeforeFirstLine = false;
  auto& device = *w.run.qel.device;
  auto answer = device.onWrite;
  device.onWrite = [&](FakeDevice& d, const std::vector<std::uint8_t>& report) {
    if (w.run.qel.sent.empty()) {
      shownBeforeFirstLine = true;
      EXPECT_EQ(w.State(), (ShownStatus{"", kYellow}));
      EXPECT_EQ(w.f().Probe_Name_In->text(), "");
      EXPECT_EQ(w.f().ProbeTypeComboBox->currentIndex(), 6);
      EXPECT_FALSE(w.f().Read->isEnabled());
    }
    answer(d, report);
  };
  w.f().Read->click();
  EXPECT_TRUE(shownBeforeFirstLine);
  EXPECT_EQ(w.run.qel.sent, kReadLines);
  EXPECT_EQ(w.State(), (ShownStatus{"Lesen IO", kGreen}));
  EXPECT_TRUE(w.f().Read->isEnabled());

  const std::vector<std::pair<QLineEdit*, QString>> shown = {
      {w.f().Probe_Name_In, "PROBE 1"},
      {w.f().Probe_Cal_In, "KAL \"A\""},
      {w.f().Probe_So_1_In, "150.000000"},
      {w.f().Probe_So_2_In, "149.700000"},
      {w.f().Probe_EPROM_SN_In, "2D00000B1C6E4A23"},
      {w.f().Probe_SN_In, "PROBE 1   "},
      {w.f().Probe_alfa_1_In, "1.300000"},
      {w.f().Probe_roffset_1ma_1_In, "0.120000"},
      {w.f().Probe_roffset_3ma_1_In, "0.000000"},
      {w.f().Probe_alfa_2_In, "1.270000"},
      {w.f().Probe_roffset_1ma_2_In, "-0.080000"},
      {w.f().Probe_roffset_3ma_2_In, "0.000000"},
      {w.f().Ref8T_IN, "8.12346"},
  };
  for (const auto& [edit, text] : shown)
    EXPECT_EQ(edit->text(), text) << edit->objectName().toStdString();
  EXPECT_EQ(w.f().ProbeTypeComboBox->currentText(), "Transversal High Field");
  EXPECT_TRUE(w.f().Ref8T_IN->isEnabled());
}

TEST(ProbeServiceForm, ReadRefusedSendsNothingMore) {
  Window w;
  w.run.qel.Reply("PROB:READ?", "0");
  w.f().Probe_Name_In->setText("old");
  w.form.ReadClick();
  EXPECT_EQ(w.run.qel.sent, std::vector<std::string>({"PROB:LOCK 6083; *opc?", "PROB:READ?"}));
  EXPECT_EQ(w.State(), (ShownStatus{"Lese Fehler", kRed}));
  EXPECT_EQ(w.f().Probe_Name_In->text(), "");
  EXPECT_TRUE(w.f().Read->isEnabled());
}

TEST(ProbeServiceForm, TypeThatIsNoNumberSelectsFailAndDisablesRef8T) {
  Window w;
  AnswerProbe(w.run.qel);
  w.run.qel.Reply("PROB:Type?", "x");
  w.form.ReadClick();
  EXPECT_EQ(w.f().ProbeTypeComboBox->currentText(), "Fail");
  EXPECT_FALSE(w.f().Ref8T_IN->isEnabled());
}

TEST(ProbeServiceForm, TestdatenThenWriteSendsTheTestLines) {
  for (const bool stored : {true, false}) {
    Window w;
    w.run.qel.Reply("PROB:WRIT?", stored ? "1" : "0");
    w.f().Probe_EPROM_SN_In->setText("kept");
    w.f().Button2->click();
    EXPECT_TRUE(w.run.qel.sent.empty());  // "Testdaten" sends nothing
    EXPECT_EQ(w.f().Probe_EPROM_SN_In->text(), "kept");
    EXPECT_EQ(w.f().ProbeTypeComboBox->currentText(), "Calibrier Probe");
    EXPECT_TRUE(w.f().Ref8T_IN->isEnabled());  // left as it was

    w.f().ProbeWriteButton->click();
    std::vector<std::string> expected = kTestDataWriteLines;
    if (stored) expected.push_back("PROB:LOCK 0; *opc?");
    EXPECT_EQ(w.run.qel.sent, expected);
    EXPECT_EQ(w.State(), stored ? (ShownStatus{"Schreiben IO", kGreen})
                                : (ShownStatus{"Schreiben Fehler", kRed}));
  }
}

TEST(ProbeServiceForm, WriteShowsSchreibenOnYellowBeforeTheFirstLine) {
  Window w;
  std::vector<ShownStatus> shown;
  auto& device = *w.run.qel.device;
  auto answer = device.onWrite;
  device.onWrite = [&](FakeDevice& d, const std::vector<std::uint8_t>& report) {
    shown.push_back(w.State());
    answer(d, report);
  };
  w.form.ProbeWriteButtonClick();
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front(), (ShownStatus{"Schreiben", kYellow}));
  // without test data: empty fields go out, the alfa values as 0
  EXPECT_EQ(w.run.qel.sent[1], "PROB:NAME \"\"");
  EXPECT_EQ(w.run.qel.sent[3], "PROB:Type 6");
  EXPECT_EQ(w.run.qel.sent[5], "PROB:S01 ");
  EXPECT_EQ(w.run.qel.sent[6], "PROB:alf1 0.000000000");
}

TEST(ProbeServiceForm, WithoutInstrumentReadFailsAndWriteFails) {
  Window w(/*attached=*/false);
  w.form.ReadClick();
  EXPECT_EQ(w.State(), (ShownStatus{"Lese Fehler", kRed}));
  w.form.ProbeWriteButtonClick();
  EXPECT_EQ(w.State(), (ShownStatus{"Schreiben Fehler", kRed}));
}

TEST(ProbeServiceForm, PickingATypeEnablesRef8TForHighFieldProbes) {
  Window w;
  QComboBox& type = *w.f().ProbeTypeComboBox;
  const std::vector<std::pair<int, bool>> rows = {{0, false}, {3, true}, {2, false}, {4, true}};
  for (const auto& [index, enabled] : rows) {
    ChooseItem(type, index);
    EXPECT_EQ(w.f().Ref8T_IN->isEnabled(), enabled) << index;
  }
}

TEST(ProbeServiceForm, NumberFieldsFilterTheirKeys) {
  Window w;
  QLineEdit& so = *w.f().Probe_So_1_In;
  QTest::keyClicks(&so, "1,5e-3E x+");
  EXPECT_EQ(so.text(), "1.5e-3+");
  QTest::keyClick(&so, Qt::Key_Backspace);
  EXPECT_EQ(so.text(), "1.5e-3");
  QLineEdit& ref = *w.f().Ref8T_IN;
  QTest::keyClicks(&ref, "8,1T");
  EXPECT_EQ(ref.text(), "8.1");
}

TEST(ProbeServiceForm, SerialFieldTakesNineDigits) {
  Window w;
  QLineEdit& sn = *w.f().Probe_SN_In;
  QTest::keyClicks(&sn, "99a0.1129 9912");
  EXPECT_EQ(sn.text(), "990112999");  // digits only, nine at most
  QTest::keyClick(&sn, Qt::Key_Backspace);
  EXPECT_EQ(sn.text(), "99011299");
}

// The limits hold for typing only: a read may show a longer text, and it can be edited.
TEST(ProbeServiceForm, TypingLimitsDoNotCutTextsFromARead) {
  Window w;
  AnswerProbe(w.run.qel);
  w.run.qel.Reply("PROB:NAME?", "\"ABCDEFGHIJKLMNOPQRST\"");
  w.form.ReadClick();
  QLineEdit& name = *w.f().Probe_Name_In;
  EXPECT_EQ(name.text(), "ABCDEFGHIJKLMNOPQRST");
  name.end(false);
  QTest::keyClicks(&name, "U");
  EXPECT_EQ(name.text(), "ABCDEFGHIJKLMNOPQRST");
  QTest::keyClick(&name, Qt::Key_Backspace);
  EXPECT_EQ(name.text(), "ABCDEFGHIJKLMNOPQRS");
  name.clear();
  QTest::keyClicks(&name, "Name with more than 16");
  EXPECT_EQ(name.text(), "Name with more t");
}

TEST(ProbeServiceForm, EndeHidesAndTheFieldsStay) {
  Window w;
  w.form.show();
  w.f().Probe_Cal_In->setText("KAL");
  w.f().Button1->click();
  EXPECT_FALSE(w.form.isVisible());
  w.form.show();
  EXPECT_EQ(w.f().Probe_Cal_In->text(), "KAL");
}

TEST(ProbeServiceForm, ReadsAndWritesTheVirtualProbe) {
  SimContext run;
  gui::TSCPI_Probe_Service_Form form(run.session);
  form.Form().Button2->click();
  form.ProbeWriteButtonClick();
  EXPECT_EQ(Status(*form.Form().PROBE_STATE_out), (ShownStatus{"Schreiben IO", kGreen}));
  form.Form().Probe_Name_In->clear();
  form.ReadClick();
  EXPECT_EQ(Status(*form.Form().PROBE_STATE_out), (ShownStatus{"Lesen IO", kGreen}));
  // the probe memory answers its name with the calibration text behind it (characters
  // 17 to 32, as the information page splits them); shown whole, trailing blanks removed
  EXPECT_EQ(form.Form().Probe_Name_In->text(), "Name --         Cal --");
  EXPECT_EQ(form.Form().Probe_SN_In->text(), "990112999");
  EXPECT_EQ(form.Form().Probe_alfa_1_In->text(), "1.300000");
  EXPECT_EQ(form.Form().ProbeTypeComboBox->currentIndex(), 2);
}

}  // namespace
}  // namespace qel::testing
