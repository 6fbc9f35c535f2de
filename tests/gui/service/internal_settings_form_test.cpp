// SPDX-License-Identifier: GPL-3.0-or-later
// The internal settings window: "Parm Lesen", "Parm Schreiben" (16 lines), "Internal
// Default setzen", "Werte Lesen" with the user's decimal separator, the backup file in the
// data folder, the number filter and the coloured status label.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "../../core/platform/temp_dir.h"
#include "../diag/window_context.h"
#include "gui/service/SCPI_Internal_Settings_Unit.h"
#include "service_window_test_helpers.h"
#include "ui_SCPI_Internal_Settings_Unit.h"

namespace qel::testing {
namespace {

const std::vector<std::string> kReadLines = {"INTE:CONS:MAG:GA0?", "INTE:CONS:MAG:GA1?",
                                             "INTE:CONS:MAG:GA2?", "INTE:CONS:MAG:GA3?",
                                             "INTE:CONS:MAG:GA4?", "INTE:CONS:MAG:GA5?",
                                             "INTE:CONS:MAG:GA6?", "INTE:CONS:MAG:GA7?",
                                             "INTE:ISND:GAIN?",    "INTE:ISND:OFFS?",
                                             "INTE:CONS:I1MA?",    "INTE:CONS:I3MA?",
                                             "SN:UNIT?",           "SN:CALI?"};

void AnswerConstants(ScriptedInstrument& qel) {
  for (int i = 0; i < 8; ++i) {
    qel.Reply("INTE:CONS:MAG:GA" + std::to_string(i) + "?", "1.00" + std::to_string(i));
  }
  qel.Reply("INTE:ISND:GAIN?", "0.998");
  qel.Reply("INTE:ISND:OFFS?", "-0.0021");
  qel.Reply("INTE:CONS:I1MA?", "0.4");
  qel.Reply("INTE:CONS:I3MA?", "4.0 ");
  qel.Reply("SN:UNIT?", "12345");
  qel.Reply("SN:CALI?", "KAL 2024-03");
}

struct Window {
  explicit Window(bool attached = true) : run(attached) {
    form.DataFolder = [this] { return dir.Path().string(); };
    form.ReportError = [this](const QString& m) { errors << m; };
  }
  ScriptedContext run;
  TempDir dir;
  gui::TSCPI_Internal_Settings_Form form{run.session};
  QStringList errors;
  Ui::TSCPI_Internal_Settings_Form& f() { return form.Form(); }
  ShownStatus State() { return Status(*f().EEProm_State); }
  std::vector<QLineEdit*> Gains() {
    return {f().MAG_GAIN_0, f().MAG_GAIN_1, f().MAG_GAIN_2, f().MAG_GAIN_3,
            f().MAG_GAIN_4, f().MAG_GAIN_5, f().MAG_GAIN_6, f().MAG_GAIN_7};
  }
};

TEST(InternalSettingsForm, OpensWithDashesOnYellow) {
  Window w;
  EXPECT_EQ(w.form.windowTitle(), "TOV09 QEL11 Internal Settings (SCPI)");
  EXPECT_EQ(w.State(), (ShownStatus{QString(24, '-'), kYellow}));
  EXPECT_FALSE(w.f().ISonde_Val->isEnabled());
}

TEST(InternalSettingsForm, ParmLesenFillsEveryFieldUnchanged) {
  Window w;
  AnswerConstants(w.run.qel);
  w.f().ISonde_Val->setText(" 1.3");
  bool checkedBeforeFirstLine = false;
  auto& device = *w.run.qel.device;
  auto answer = device.onWrite;
  device.onWrite = [&](FakeDevice& d, const std::vector<std::uint8_t>& report) {
    if (w.run.qel.sent.empty()) {
      checkedBeforeFirstLine = true;
      EXPECT_EQ(w.State(), (ShownStatus{"", kYellow}));
      EXPECT_EQ(w.f().ISonde_Val->text(), "");  // all fields emptied, "Wert" too
      EXPECT_FALSE(w.f().EEProm_Lesen->isEnabled());
    }
    answer(d, report);
  };
  w.f().EEProm_Lesen->click();
  EXPECT_TRUE(checkedBeforeFirstLine);
  EXPECT_EQ(w.run.qel.sent, kReadLines);
  EXPECT_EQ(w.State(), (ShownStatus{"Lesen IO", kGreen}));
  EXPECT_TRUE(w.f().EEProm_Lesen->isEnabled());
  for (int i = 0; i < 8; ++i) EXPECT_EQ(w.Gains()[i]->text(), QString("1.00%1").arg(i));
  EXPECT_EQ(w.f().ISonde_Gain->text(), "0.998");
  EXPECT_EQ(w.f().ISonde_Offset->text(), "-0.0021");
  EXPECT_EQ(w.f().I1mA_set->text(), "0.4");
  EXPECT_EQ(w.f().I3mA_set->text(), "4.0 ");
  EXPECT_EQ(w.f().SN_IN->text(), "12345");
  EXPECT_EQ(w.f().Cal_Info_IN->text(), "KAL 2024-03");
  EXPECT_EQ(w.f().ISonde_Val->text(), "");
}

TEST(InternalSettingsForm, ParmLesenWithAnUnansweredQueryShowsLesenNio) {
  Window w;
  AnswerConstants(w.run.qel);
  w.run.qel.Silence("INTE:CONS:I1MA?");
  w.form.EEProm_LesenClick();
  EXPECT_EQ(w.run.qel.sent, kReadLines);
  EXPECT_EQ(w.State(), (ShownStatus{"Lesen NIO", kRed}));
  EXPECT_EQ(w.f().I1mA_set->text(), "");
  EXPECT_EQ(w.f().I3mA_set->text(), "4.0 ");
}

TEST(InternalSettingsForm, ParmSchreibenSendsSixteenLines) {
  for (const auto& [reply, status] : std::vector<std::pair<std::string, ShownStatus>>{
           {"0", {"Schreiben IO", kGreen}}, {"1", {"Schreiben NIO", kRed}}}) {
    Window w;
    w.run.qel.Reply("INTE:SAVE?", reply);
    w.f().ISonde_Gain->setText("0.998");
    w.f().ISonde_Offset->setText("-0.0021");
    w.f().I1mA_set->setText("0.4");
    w.f().I3mA_set->setText("4.0");
    for (int i = 0; i < 8; ++i) w.Gains()[i]->setText(QString("1.0%1").arg(i));
    w.Gains()[7]->clear();
    w.f().SN_IN->setText("4711");
    w.f().Cal_Info_IN->setText(QString::fromUtf8("KAL März"));
    std::vector<ShownStatus> shown;
    auto& device = *w.run.qel.device;
    auto answer = device.onWrite;
    device.onWrite = [&](FakeDevice& d, const std::vector<std::uint8_t>& r) {
      shown.push_back(w.State());
      answer(d, r);
    };
    w.f().EEProm_Schreiben->click();
    const std::vector<std::string> expected = {
        "INTE:ISND:GAIN 0.998",   "INTE:ISND:OFFS -0.0021",
        "INTE:CONS:I1MA 0.4",     "INTE:CONS:I3MA 4.0",
        "INTE:CONS:MAG:GA0 1.00", "INTE:CONS:MAG:GA1 1.01",
        "INTE:CONS:MAG:GA2 1.02", "INTE:CONS:MAG:GA3 1.03",
        "INTE:CONS:MAG:GA4 1.04", "INTE:CONS:MAG:GA5 1.05",
        "INTE:CONS:MAG:GA6 1.06", "INTE:CONS:MAG:GA7 ",
        "INTE:SN \"4711\"",       "INTE:CALI \"KAL M\xE4rz\"",
        "INTE:LOCK 6083",         "INTE:SAVE?"};
    EXPECT_EQ(w.run.qel.sent, expected);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), (ShownStatus{"", kYellow}));
    EXPECT_EQ(w.State(), status);
    EXPECT_TRUE(w.f().EEProm_Schreiben->isEnabled());
  }
}

TEST(InternalSettingsForm, InternalDefaultSetzenUnlocksResetsAndReads) {
  Window w;
  AnswerConstants(w.run.qel);
  w.f().Button1->click();
  std::vector<std::string> expected = {"INTE:LOCK 6083", "INTE:DEFA"};
  expected.insert(expected.end(), kReadLines.begin(), kReadLines.end());
  EXPECT_EQ(w.run.qel.sent, expected);
  EXPECT_EQ(w.State(), (ShownStatus{"Lesen IO", kGreen}));
  EXPECT_EQ(w.f().SN_IN->text(), "12345");
}

TEST(InternalSettingsForm, WerteLesenUsesTheUsersDecimalSeparator) {
  struct Row {
    std::string reply;
    char separator;
    QString shown;
  };
  const std::vector<Row> rows = {
      {"1.26", '.', " 1.3"},  {"1.26", ',', " 1,3"}, {"-1.24", '.', "-1.2"},
      {"-1.24", ',', "-1,2"}, {"x", ',', " 0,0"},    {"0", '.', " 0.0"},
  };
  for (const Row& row : rows) {
    Window w;
    w.form.DecimalSeparator = [&row] { return row.separator; };
    w.run.qel.Reply("INTE:ISND:GET?", row.reply);
    w.f().WerteLesen->click();
    EXPECT_EQ(w.run.qel.sent, std::vector<std::string>({"INTE:ISND:GET?"}));
    EXPECT_EQ(w.f().ISonde_Val->text(), row.shown) << row.reply << " " << row.separator;
    EXPECT_TRUE(w.f().WerteLesen->isEnabled());
  }
}

TEST(InternalSettingsForm, WerteLesenWithoutAnswerLeavesWertEmpty) {
  Window w;
  w.run.qel.Silence("INTE:ISND:GET?");
  w.f().ISonde_Val->setText(" 1.3");
  w.form.WerteLesenClick();
  EXPECT_EQ(w.f().ISonde_Val->text(), "");
}

TEST(InternalSettingsForm, SpeichernWritesTheBackupAndLesenReadsItBack) {
  struct Row {
    QString serial;
    std::string fileName;
  };
  for (const Row& row : std::vector<Row>{{"4711", "TOV09_QEL11_4711_Int_Par.ini"},
                                         {"", "TOV09_QEL11__Int_Par.ini"}}) {
    Window w;
    w.f().ISonde_Gain->setText("0.998");
    w.f().ISonde_Offset->setText("-0.0021");
    w.f().I1mA_set->setText("0.4");
    w.f().I3mA_set->setText("4.0");
    w.f().MAG_GAIN_0->setText("1.5");  // not part of the backup
    w.f().SN_IN->setText(row.serial);
    w.f().SaveButton->click();
    EXPECT_TRUE(w.errors.isEmpty());
    EXPECT_TRUE(w.run.qel.sent.empty());
    EXPECT_EQ(ReadBytes(w.dir.File(row.fileName)),
              "[PAR]\r\nINTE:ISND:GAIN=0.998\r\nINTE:ISND:OFFS=-0.0021\r\n"
              "INTE:CONS:I1MA=0.4\r\nINTE:CONS:I3MA=4.0\r\n[Info]\r\nSN:UNIT=" +
                  row.serial.toStdString() + "\r\nSN:CALI=\r\n");

    for (QLineEdit* edit :
         {w.f().ISonde_Gain, w.f().ISonde_Offset, w.f().I1mA_set, w.f().I3mA_set, w.f().MAG_GAIN_0})
      edit->clear();
    w.f().Cal_Info_IN->setText("typed");
    w.f().LesenButton->click();
    EXPECT_EQ(w.f().ISonde_Gain->text(), "0.998");
    EXPECT_EQ(w.f().ISonde_Offset->text(), "-0.0021");
    EXPECT_EQ(w.f().I1mA_set->text(), "0.4");
    EXPECT_EQ(w.f().I3mA_set->text(), "4.0");
    EXPECT_EQ(w.f().SN_IN->text(), row.serial);
    EXPECT_EQ(w.f().Cal_Info_IN->text(), "");
    EXPECT_EQ(w.f().MAG_GAIN_0->text(), "");
  }
}

TEST(InternalSettingsForm, LesenWithoutBackupEmptiesTheSixFields) {
  Window w;
  w.f().SN_IN->setText("999");
  w.f().ISonde_Gain->setText("0.998");
  w.f().MAG_GAIN_3->setText("1.2");
  w.form.LesenButtonClick();
  EXPECT_EQ(w.f().SN_IN->text(), "");
  EXPECT_EQ(w.f().ISonde_Gain->text(), "");
  EXPECT_EQ(w.f().MAG_GAIN_3->text(), "1.2");
}

// After "Lesen" of a missing backup, or a read without answers, the serial number is
// empty: "Parm Schreiben" sends nothing, even to an instrument that would store it.
TEST(InternalSettingsForm, ParmSchreibenWithoutSerialNumberSendsNothing) {
  Window w;
  w.run.qel.Reply("INTE:SAVE?", "0");
  w.f().SN_IN->setText("999");
  QTest::mouseClick(w.f().LesenButton, Qt::LeftButton);
  QTest::mouseClick(w.f().EEProm_Schreiben, Qt::LeftButton);
  EXPECT_TRUE(w.run.qel.sent.empty());
  EXPECT_EQ(w.State(), (ShownStatus{"Schreiben NIO", kRed}));

  Window unanswered;
  unanswered.run.qel.Reply("INTE:SAVE?", "0");
  for (const std::string& line : kReadLines) unanswered.run.qel.Silence(line);
  QTest::mouseClick(unanswered.f().EEProm_Lesen, Qt::LeftButton);
  EXPECT_EQ(unanswered.State(), (ShownStatus{"Lesen NIO", kRed}));
  QTest::mouseClick(unanswered.f().EEProm_Schreiben, Qt::LeftButton);
  EXPECT_EQ(unanswered.State(), (ShownStatus{"Schreiben NIO", kRed}));
  EXPECT_EQ(unanswered.run.qel.sent, kReadLines);
}

TEST(InternalSettingsForm, SpeichernIntoAnUnwritableFolderIsReported) {
  Window w;
  const std::string folder = w.dir.File("fehlt-ä");
  w.form.DataFolder = [folder] { return folder; };
  w.f().SN_IN->setText("4711");
  w.form.SaveButtonClick();
  EXPECT_EQ(w.errors, QStringList({QString::fromUtf8("In " + folder +
                                                     "/TOV09_QEL11_4711_Int_Par.ini kann nicht "
                                                     "geschrieben werden")}));
}

TEST(InternalSettingsForm, NumberFieldsFilterTheirKeys) {
  Window w;
  QLineEdit& gain = *w.f().MAG_GAIN_2;
  QTest::keyClicks(&gain, "1,5e-3x ");
  EXPECT_EQ(gain.text(), "1.5E-3");
  QTest::keyClick(&gain, Qt::Key_Backspace);  // enters nothing
  EXPECT_EQ(gain.text(), "1.5E-3");
  QTest::keyClick(&gain, Qt::Key_Left);
  QTest::keyClick(&gain, Qt::Key_Delete);  // types no character: works
  EXPECT_EQ(gain.text(), "1.5E-");
  // the serial number and calibration text take anything
  QTest::keyClicks(w.f().SN_IN, "ab,1");
  EXPECT_EQ(w.f().SN_IN->text(), "ab,1");
}

TEST(InternalSettingsForm, NumberFieldsTakeThirtyTypedCharacters) {
  Window w;
  QTest::keyClicks(w.f().ISonde_Offset, QString(35, '1'));
  EXPECT_EQ(w.f().ISonde_Offset->text(), QString(30, '1'));
}

TEST(InternalSettingsForm, ReadsWritesAndResetsTheVirtualInstrument) {
  SimContext run;
  TempDir dir;
  gui::TSCPI_Internal_Settings_Form form(run.session);
  form.EEProm_LesenClick();
  EXPECT_EQ(Status(*form.Form().EEProm_State), (ShownStatus{"Lesen IO", kGreen}));
  EXPECT_EQ(form.Form().SN_IN->text(), "11230042");
  form.Form().MAG_GAIN_4->setText("1.25");
  form.EEProm_SchreibenClick();
  EXPECT_EQ(Status(*form.Form().EEProm_State), (ShownStatus{"Schreiben IO", kGreen}));
  form.Form().MAG_GAIN_4->clear();
  form.EEProm_LesenClick();
  EXPECT_EQ(form.Form().MAG_GAIN_4->text().toDouble(), 1.25);
  form.Button1Click();
  EXPECT_NE(form.Form().MAG_GAIN_4->text().toDouble(), 1.25);
}

}  // namespace
}  // namespace qel::testing
