// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/service/internal_settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "../diag/scripted_instrument.h"
#include "../platform/temp_dir.h"
#include "core/platform/app_data_folder.h"
#include "core/platform/ini_file.h"

namespace qel {
namespace {

using testing::ScriptedInstrument;
using testing::TempDir;

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
  qel.Reply("INTE:CONS:I3MA?", "4.0 ");  // unchanged, blank included
  qel.Reply("SN:UNIT?", "12345");
  qel.Reply("SN:CALI?", "KAL 2024-03");
}

TEST(InternalSettings, ReadParametersFillsEveryFieldUnchanged) {
  ScriptedInstrument qel;
  AnswerConstants(qel);
  InternalSettings settings;
  EXPECT_EQ(settings.status, (ServiceStatus{std::string(24, '-'), ServiceOutcome::Working}));
  settings.fields.ISonde_Val = " 1.3";
  int repaints = 0;
  EXPECT_TRUE(settings.ReadParameters(qel.session, [&] {
    ++repaints;
    EXPECT_EQ(settings.fields, InternalFields{});  // all fifteen emptied, "Wert" too
    EXPECT_EQ(settings.status, (ServiceStatus{"", ServiceOutcome::Working}));
  }));
  EXPECT_EQ(repaints, 1);
  EXPECT_EQ(qel.sent, kReadLines);
  const InternalFields& f = settings.fields;
  EXPECT_EQ(f.MAG_GAIN[0], "1.000");
  EXPECT_EQ(f.MAG_GAIN[7], "1.007");
  EXPECT_EQ(f.ISonde_Gain, "0.998");
  EXPECT_EQ(f.ISonde_Offset, "-0.0021");
  EXPECT_EQ(f.I1mA_set, "0.4");
  EXPECT_EQ(f.I3mA_set, "4.0 ");
  EXPECT_EQ(f.SN_IN, "12345");
  EXPECT_EQ(f.Cal_Info_IN, "KAL 2024-03");
  EXPECT_EQ(f.ISonde_Val, "");
  EXPECT_EQ(settings.status, (ServiceStatus{"Lesen IO", ServiceOutcome::Success}));
}

TEST(InternalSettings, ReadParametersWithAnUnansweredQueryShowsLesenNio) {
  ScriptedInstrument qel;
  AnswerConstants(qel);
  qel.Silence("INTE:CONS:I3MA?");
  InternalSettings settings;
  EXPECT_FALSE(settings.ReadParameters(qel.session));
  EXPECT_EQ(qel.sent, kReadLines);
  EXPECT_EQ(settings.status, (ServiceStatus{"Lesen NIO", ServiceOutcome::Failure}));

  ScriptedInstrument absent(/*attached=*/false);
  EXPECT_FALSE(settings.ReadParameters(absent.session));
  EXPECT_EQ(settings.fields, InternalFields{});
  EXPECT_EQ(settings.status.text, "Lesen NIO");
}

TEST(InternalSettings, EmptyRepliesAreAnswers) {
  ScriptedInstrument qel;  // answers every query with empty text
  InternalSettings settings;
  EXPECT_TRUE(settings.ReadParameters(qel.session));
  EXPECT_EQ(settings.status.text, "Lesen IO");
}

InternalFields SampleFields() {
  InternalFields f;
  f.ISonde_Gain = "0.998";
  f.ISonde_Offset = "-2.1E-3";
  f.I1mA_set = "0.4";
  f.I3mA_set = "4";
  for (int i = 0; i < 8; ++i) f.MAG_GAIN[i] = "1.0" + std::to_string(i);
  f.MAG_GAIN[5] = "";
  f.SN_IN = "4711";
  f.Cal_Info_IN = "";
  return f;
}

const std::vector<std::string> kWriteLines = {"INTE:ISND:GAIN 0.998",   "INTE:ISND:OFFS -2.1E-3",
                                              "INTE:CONS:I1MA 0.4",     "INTE:CONS:I3MA 4",
                                              "INTE:CONS:MAG:GA0 1.00", "INTE:CONS:MAG:GA1 1.01",
                                              "INTE:CONS:MAG:GA2 1.02", "INTE:CONS:MAG:GA3 1.03",
                                              "INTE:CONS:MAG:GA4 1.04", "INTE:CONS:MAG:GA5 ",
                                              "INTE:CONS:MAG:GA6 1.06", "INTE:CONS:MAG:GA7 1.07",
                                              "INTE:SN \"4711\"",       "INTE:CALI \"\"",
                                              "INTE:LOCK 6083",         "INTE:SAVE?"};

TEST(InternalSettings, WriteParametersSendsSixteenLines) {
  struct Row {
    std::string saveReply;
    ServiceStatus status;
  };
  const std::vector<Row> rows = {{"0", {"Schreiben IO", ServiceOutcome::Success}},
                                 {"1", {"Schreiben NIO", ServiceOutcome::Failure}},
                                 {"", {"Schreiben NIO", ServiceOutcome::Failure}},
                                 {"00", {"Schreiben NIO", ServiceOutcome::Failure}}};
  for (const Row& row : rows) {
    ScriptedInstrument qel;
    qel.Reply("INTE:SAVE?", row.saveReply);
    InternalSettings settings;
    settings.fields = SampleFields();
    bool repainted = false;
    settings.WriteParameters(qel.session, [&] { repainted = qel.sent.empty(); });
    EXPECT_TRUE(repainted);
    EXPECT_EQ(qel.sent, kWriteLines) << row.saveReply;
    EXPECT_EQ(settings.status, row.status) << row.saveReply;
  }
}

TEST(InternalSettings, WriteWithoutInstrumentIsSchreibenNio) {
  ScriptedInstrument qel(/*attached=*/false);
  InternalSettings settings;
  settings.fields = SampleFields();
  EXPECT_FALSE(settings.WriteParameters(qel.session));
  EXPECT_EQ(settings.status.text, "Schreiben NIO");
  EXPECT_EQ(qel.session.UnansweredLines(), 16u);
}

// Fields that would cost the instrument its serial number or break out of their line
// (after a failed read, from a backup file) send nothing, even to an instrument that
// would answer "INTE:SAVE?" with 0.
TEST(InternalSettings, WriteRefusesFieldsThatCannotGoOut) {
  const std::vector<std::function<void(InternalFields&)>> changes = {
      [](InternalFields& f) { f = InternalFields{}; },  // after a read without answers
      [](InternalFields& f) { f.SN_IN.clear(); },
      [](InternalFields& f) { f.SN_IN = "47\"11"; },
      [](InternalFields& f) { f.Cal_Info_IN = "x\";INTE:DEFA;\""; },
      [](InternalFields& f) { f.Cal_Info_IN = "a\nb"; },
      [](InternalFields& f) { f.ISonde_Gain = "1;:INTE:DEFA"; },
      [](InternalFields& f) { f.MAG_GAIN[7] = "1,5"; },
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    ScriptedInstrument qel;
    qel.Reply("INTE:SAVE?", "0");
    InternalSettings settings;
    settings.fields = SampleFields();
    changes[i](settings.fields);
    EXPECT_FALSE(settings.WriteParameters(qel.session)) << i;
    EXPECT_TRUE(qel.sent.empty()) << i;
    EXPECT_EQ(settings.status, (ServiceStatus{"Schreiben NIO", ServiceOutcome::Failure})) << i;
  }
}

TEST(InternalSettings, InternalDefaultsUnlockResetAndRead) {
  ScriptedInstrument qel;
  AnswerConstants(qel);
  InternalSettings settings;
  EXPECT_TRUE(settings.SetInternalDefaults(qel.session));
  std::vector<std::string> expected = {"INTE:LOCK 6083", "INTE:DEFA"};
  expected.insert(expected.end(), kReadLines.begin(), kReadLines.end());
  EXPECT_EQ(qel.sent, expected);
  EXPECT_EQ(settings.fields.SN_IN, "12345");
  EXPECT_EQ(settings.status.text, "Lesen IO");
}

TEST(InternalSettings, ReadCurrentValueFormatting) {
  struct Row {
    std::string reply;
    char separator;
    std::string shown;
  };
  const std::vector<Row> rows = {
      {"1.26", '.', " 1.3"},  {"1.26", ',', " 1,3"},   {"-1.24", '.', "-1.2"},
      {"-1.24", ',', "-1,2"}, {"x", '.', " 0.0"},      {"", ',', " 0,0"},
      {"0", '.', " 0.0"},     {"12.05", '.', " 12.1"}, {"1e11", ',', " 1E+11"},
  };
  for (const Row& row : rows) {
    ScriptedInstrument qel;
    qel.Reply("INTE:ISND:GET?", row.reply);
    InternalSettings settings;
    EXPECT_TRUE(settings.ReadCurrentValue(qel.session, row.separator));
    EXPECT_EQ(settings.fields.ISonde_Val, row.shown) << row.reply << row.separator;
    EXPECT_EQ(qel.sent, std::vector<std::string>{"INTE:ISND:GET?"});
  }
}

TEST(InternalSettings, ReadCurrentValueWithoutAnswerLeavesWertEmpty) {
  ScriptedInstrument qel(/*attached=*/false);
  InternalSettings settings;
  settings.fields.ISonde_Val = " 1.3";
  EXPECT_FALSE(settings.ReadCurrentValue(qel.session, '.'));
  EXPECT_EQ(settings.fields.ISonde_Val, "");
}

TEST(InternalSettings, BackupFileSectionsAndNames) {
  TempDir dir;
  InternalSettings settings;
  settings.fields = SampleFields();
  settings.SaveBackup(dir.Path().string());
  const std::string path = dir.File("TOV09_QEL11_4711_Int_Par.ini");
  EXPECT_EQ(testing::ReadBytes(path),
            "[PAR]\r\n"
            "INTE:ISND:GAIN=0.998\r\n"
            "INTE:ISND:OFFS=-2.1E-3\r\n"
            "INTE:CONS:I1MA=0.4\r\n"
            "INTE:CONS:I3MA=4\r\n"
            "[Info]\r\n"
            "SN:UNIT=4711\r\n"
            "SN:CALI=\r\n");

  // "Lesen" finds it where "Speichern" wrote it; the gain stages are not in the file
  InternalSettings other;
  other.fields.SN_IN = "4711";
  other.fields.MAG_GAIN[0] = "kept";
  other.LoadBackup(dir.Path().string());
  InternalFields expected = SampleFields();
  expected.MAG_GAIN = {"kept", "", "", "", "", "", "", ""};
  EXPECT_EQ(other.fields, expected);
}

TEST(InternalSettings, BackupKeepsOtherKeysAndReplacesItsOwn) {
  TempDir dir;
  const std::string path = dir.File("TOV09_QEL11_4711_Int_Par.ini");
  testing::WriteBytes(path, "; note\r\n[PAR]\r\nINTE:ISND:GAIN=1\r\nOWN=x\r\n[Other]\r\na=b\r\n");
  InternalSettings settings;
  settings.fields = SampleFields();
  settings.SaveBackup(dir.Path().string());
  IniFile file(path);
  EXPECT_EQ(file.ReadString("PAR", "INTE:ISND:GAIN", "?"), "0.998");
  EXPECT_EQ(file.ReadString("PAR", "OWN", "?"), "x");
  EXPECT_EQ(file.ReadString("Other", "a", "?"), "b");
  EXPECT_EQ(file.ReadSectionNames(), (std::vector<std::string>{"PAR", "Other", "Info"}));
  EXPECT_EQ(file.ReadSectionKeys("PAR"),
            (std::vector<std::string>{"INTE:ISND:GAIN", "OWN", "INTE:ISND:OFFS", "INTE:CONS:I1MA",
                                      "INTE:CONS:I3MA"}));
}

TEST(InternalSettings, BackupFileNames) {
  EXPECT_EQ(InternalBackupFileName("12345"), "TOV09_QEL11_12345_Int_Par.ini");
  EXPECT_EQ(InternalBackupFileName(""), "TOV09_QEL11__Int_Par.ini");
  EXPECT_EQ(InternalBackupFileName("../a\\b:c"), "TOV09_QEL11_.._a_b_c_Int_Par.ini");
  EXPECT_EQ(InternalBackupPath("/data/KORVAL/QELConfigTool", "12345"),
            PathInFolder("/data/KORVAL/QELConfigTool", "TOV09_QEL11_12345_Int_Par.ini"));

  // an empty serial number still gets its own file
  TempDir dir;
  InternalSettings settings;
  settings.fields.Cal_Info_IN = "cal";
  settings.SaveBackup(dir.Path().string());
  EXPECT_TRUE(std::filesystem::exists(dir.File("TOV09_QEL11__Int_Par.ini")));
}

TEST(InternalSettings, LoadWithoutBackupEmptiesTheSixFields) {
  TempDir dir;
  InternalSettings settings;
  settings.fields = SampleFields();
  settings.LoadBackup(dir.Path().string());
  EXPECT_EQ(settings.fields.SN_IN, "");
  EXPECT_EQ(settings.fields.ISonde_Gain, "");
  EXPECT_EQ(settings.fields.Cal_Info_IN, "");
  EXPECT_EQ(settings.fields.MAG_GAIN[1], "1.01");  // not part of the backup
}

TEST(InternalSettings, SaveIntoAnUnwritableFolderThrows) {
  TempDir dir;
  InternalSettings settings;
  settings.fields.SN_IN = "1";
  const std::string folder = dir.File("missing");
  try {
    settings.SaveBackup(folder);
    ADD_FAILURE() << "no error";
  } catch (const IniWriteError& e) {
    EXPECT_EQ(std::string(e.what()),
              "In " + InternalBackupPath(folder, "1") + " kann nicht geschrieben werden");
  }
}

}  // namespace
}  // namespace qel
