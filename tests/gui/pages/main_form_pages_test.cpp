// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's pages: read all and write all (widgets -> models -> instrument ->
// widgets), the parameter file saved and opened through the "Datei" menu, the readout's
// refresh on a change of tab and the service tab's continuous read.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QPushButton>

#include "../../core/pages/tricky_replies.h"
#include "../../core/test_data.h"
#include "../app/app_fixture.h"
#include "core/platform/computer_name.h"
#include "gui/pages/parameter_file_dialogs.h"
#include "page_test_support.h"
#include "ui_EIA232_Frame_Unit.h"
#include "ui_Einheiten_Frame_Unit.h"
#include "ui_IP_Adr_In_Frame.h"
#include "ui_InLineFunktion_Frame_Unit.h"
#include "ui_LAN_Frame_Unit.h"
#include "ui_OutLineFunktion_Frame_Unit.h"
#include "ui_QEL_Display_Frame_Unit.h"
#include "ui_TastenFunktion_Frame_Unit.h"

namespace qel::testing {
namespace {

const ParameterFileInfo kInfo{"18.06.2021 14:05:00", "LABOR-PC"};

std::string Fixture(const std::string& name) {
  return ReadBytes(std::string(QEL_TEST_DATA_DIR) + "/pages/" + name);
}

QStringList Octets(const gui::TIp_Adr_In_& address) {
  QStringList texts;
  for (const QLineEdit* field : address.Octets()) texts << field->text();
  return texts;
}

// Saves through "Parameter speichern" into `path` with a fixed "Info" section.
template <class Fixture>
void SaveVia(Fixture& f, const std::string& path) {
  gui::TMainForm& form = f.app->MainForm();
  form.AskParameterSaveFile = [&path] { return QString::fromUtf8(path); };
  form.ParameterFileInfoNow = [] { return kInfo; };
  ClickMenuItem(*f.Form().MainMenu1, *f.Form().Parameterspeichern1);
}

template <class Fixture>
void OpenVia(Fixture& f, const std::string& path) {
  f.app->MainForm().AskParameterOpenFile = [&path] { return QString::fromUtf8(path); };
  ClickMenuItem(*f.Form().MainMenu1, *f.Form().Parameterffnen1);
}

const Lines kReadAll = TestDataLines("pages/read_all_lines.txt");

TEST(MainFormPages, PlacesThePagesWithTheirCaptionsAndHiddenControls) {
  AppFixture f;
  auto& einheiten = f.Form().EinheitenFrame1->Form();
  EXPECT_EQ(einheiten.Bereich_ComboBox->currentIndex(), 3);
  EXPECT_EQ(einheiten.Bereich_ComboBox->currentText(), "4500 mT / 10T");
  EXPECT_TRUE(einheiten.Button1->isHidden());
  EXPECT_TRUE(einheiten.Button2->isHidden());
  EXPECT_TRUE(einheiten.Auto->isHidden());
  EXPECT_EQ(einheiten.GroupBox1->title(), " Messung ");
  EXPECT_EQ(f.Form().OutLineFrame3->Form().GroupBox1->title(), " Ausgang 3 ");
  EXPECT_EQ(f.Form().OutLineFrame3->Tag(), 3);
  EXPECT_EQ(f.Form().InLineFrame1->Form().GroupBox1->title(), " Eingang 1  ");
  EXPECT_EQ(f.Form().InLineFrame3->Tag(), 3);
  EXPECT_EQ(f.Form().TastenFrame1->Form().GroupBox1->title(), " Tastenfunktion Obere Taste   ");
  EXPECT_EQ(f.Form().TastenFrame2->Form().GroupBox1->title(), " Tastenfunktion Untere Taste   ");
  EXPECT_EQ(f.Form().TastenFrame2->Tag(), 1);
  EXPECT_TRUE(f.Form().TastenFrame1->Form().Button2->isHidden());
  EXPECT_EQ(f.Form().EIA232Frame1->Form().GroupBox1->title(), " EIA 232 Schnittstelle ");
  EXPECT_EQ(f.Form().LANFrame1->Form().GroupBox1->title(), " LAN Schnittstelle ");
  EXPECT_TRUE(f.Form().LANFrame1->Form().Button1->isHidden());
  EXPECT_FALSE(f.Form().QEL_Display_Frame1->Form().ReadButton->isHidden());
}

TEST(MainFormPages, ReadAllSendsItsLinesInPageOrderAndShowsTheReplies) {
  AppFixture f;
  f.Form().Button14->click();
  EXPECT_EQ(f.Lines(), kReadAll);
  EXPECT_EQ(f.Lines().size(), 39u);
  auto& einheiten = f.Form().EinheitenFrame1->Form();
  EXPECT_EQ(einheiten.Mess_Modus_ComboBox->currentText(), "DC Gleichfeld");
  EXPECT_EQ(einheiten.Einheit_ComboBox->currentText(), "Tesla");
  EXPECT_EQ(einheiten.Bereich_ComboBox->currentText(), "100 mT");
  EXPECT_EQ(einheiten.Bereich_ComboBox->itemText(3), "4500 mT (10 T)");
  EXPECT_EQ(f.Form().OutLineFrame4->Form().OG_Edit->text(), "0.0000");
  EXPECT_EQ(f.Form().TastenFrame1->Form().Funk_ComboBox->currentText(), "Bereichswahl");
  EXPECT_EQ(f.Form().TastenFrame2->Form().Funk_ComboBox->currentText(), "Peak Nullsetzen");
  EXPECT_EQ(Octets(*f.Form().LANFrame1->Form().Ip_Adr_In),
            QStringList({"192", "168", "001", "100"}));
  EXPECT_EQ(Octets(*f.Form().LANFrame1->Form().Sub_Adr_In),
            QStringList({"255", "255", "255", "000"}));
  EXPECT_EQ(f.Form().EIA232Frame1->Form().Baud_ComboBox->currentText(), "9600 bps");
}

TEST(MainFormPages, WriteAllFromTheInitialWindow) {
  AppFixture f;
  f.Form().Button15->click();
  Lines expected = {"MODE DC", "UNIT TESL", "RANG:SET 3"};
  for (int n = 1; n <= 4; ++n) {
    const std::string out = "DGIO:SET:OUT" + std::to_string(n);
    for (const char* line : {":FUNC NO", ":LOG 0", ":LIMI:HIGH 0.0000", ":LIMI:LOW 0.0000"})
      expected.push_back(out + line);
  }
  for (int n = 1; n <= 3; ++n) {
    expected.push_back("DGIO:SET:IN" + std::to_string(n) + ":FUNC NO");
    expected.push_back("DGIO:SET:IN" + std::to_string(n) + ":LOG 0");
  }
  for (const char* line :
       {"KEYS:TOP:FUNC No", "KEYS:BOT:FUNC No", "IP:IP1 000", "IP:IP2 000", "IP:IP3 000",
        "IP:IP4 000", "IP:MAS1 000", "IP:MAS2 000", "IP:MAS3 000", "IP:MAS4 000",
        "SERI:COMA:BAUD 1200", "SERI:COMA:STOP 1", "SERI:COMA:PARY NONE", "SERI:COMA:MODE SCPI"})
    expected.push_back(line);
  EXPECT_EQ(f.Lines(), expected);
}

TEST(MainFormPages, WriteAllTakesWhatTheWidgetsShow) {
  AppFixture f;
  // Set by hand, not through the models: the write copies the widgets first.
  f.Form().EinheitenFrame1->Form().Mess_Modus_ComboBox->setCurrentIndex(-1);
  f.Form().OutLineFrame2->Form().OG_Edit->clear();
  f.Form().OutLineFrame2->Form().UG_Edit->setText("-1.5");
  ChooseItem(*f.Form().TastenFrame2->Form().Funk_ComboBox, 3);
  f.app->MainForm().Button15Click();
  const Lines lines = f.Lines();
  ASSERT_EQ(lines.size(), 38u);  // 39 lines less the empty upper limit
  EXPECT_EQ(lines[0], "MODE ");
  EXPECT_EQ(lines[7], "DGIO:SET:OUT2:FUNC NO");
  EXPECT_EQ(lines[8], "DGIO:SET:OUT2:LOG 0");
  EXPECT_EQ(lines[9], "DGIO:SET:OUT2:LIMI:LOW -1.5");
  EXPECT_EQ(lines[25], "KEYS:BOT:FUNC NULL");
}

TEST(MainFormPages, TrickyRepliesOverTheWholeWindow) {
  TableAppFixture f(TrickyReplies());
  f.app->MainForm().Button14Click();
  EXPECT_EQ(f.ReceivedLines(), kReadAll);
  auto& e = f.Form().EinheitenFrame1->Form();
  EXPECT_EQ(e.Mess_Modus_ComboBox->currentText(), "AC Wechselfeld");  // "ac"
  EXPECT_EQ(e.Einheit_ComboBox->currentText(), "Gauss");
  EXPECT_EQ(e.Bereich_ComboBox->currentText(), "10 kG");
  auto& out1 = f.Form().OutLineFrame1->Form();
  EXPECT_EQ(out1.Funk_ComboBox->currentText(), Utf8("Wenn Größer"));
  EXPECT_EQ(out1.OG_Edit->text(), "0.0025");
  EXPECT_EQ(out1.UG_Edit->text(), "-1.0000");
  auto& out2 = f.Form().OutLineFrame2->Form();
  EXPECT_EQ(out2.Funk_ComboBox->currentText(), "");  // "ifou " with its trailing blank
  EXPECT_EQ(out2.OG_Edit->text(), "0.0000");         // "abc"
  EXPECT_EQ(out2.UG_Edit->text(), "0.0000");         // no reply
  auto& out3 = f.Form().OutLineFrame3->Form();
  EXPECT_EQ(out3.Logic_ComboBox->currentText(), "");  // "2"
  EXPECT_EQ(out3.OG_Edit->text(), "-0.0000");
  EXPECT_EQ(out3.UG_Edit->text(), "123456.7890");
  EXPECT_EQ(f.Form().OutLineFrame4->Form().OG_Edit->text(), "1E0013");
  EXPECT_EQ(f.Form().InLineFrame2->Form().Funk_ComboBox->currentText(), "Null Peak");
  EXPECT_EQ(f.Form().InLineFrame3->Form().Funk_ComboBox->currentText(), "");       // "XYZ"
  EXPECT_EQ(f.Form().TastenFrame1->Form().Funk_ComboBox->currentText(), "Keine");  // "no"
  EXPECT_EQ(Octets(*f.Form().LANFrame1->Form().Ip_Adr_In),
            QStringList({"192", "168", "001", "000"}));  // "300"
  EXPECT_EQ(f.Form().EIA232Frame1->Form().Parity_ComboBox->currentText(),
            Utf8("Ungerade Parität (ODD)"));
  // Reads run no change handler: the output pages' enabled states stay as at start.
  EXPECT_FALSE(out1.Logic_ComboBox->isEnabled());
  EXPECT_FALSE(out1.OG_Edit->isEnabled());

  // Saved from the window, the file holds what the widgets show; the name is the
  // file system's, whatever its characters.
  const std::string path = f.dir.File("gelesen ä€.QEL");
  SaveVia(f, path);
  EXPECT_EQ(ReadBytes(path), Fixture("after_read.QEL"));
  EXPECT_TRUE(f.errors.empty());
}

TEST(MainFormPages, InitialWindowSavesTheInitialFile) {
  AppFixture f;
  const std::string path = f.dir.File("QEL11_Setup_Parameter_20210618_1405.QEL");
  SaveVia(f, path);
  const std::string expected = Fixture("initial.QEL");
  ASSERT_FALSE(expected.empty());
  EXPECT_EQ(ReadBytes(path), expected);
  EXPECT_TRUE(f.Lines().empty());
}

TEST(MainFormPages, SaveThatCannotBeWrittenIsReportedAndCancelDoesNothing) {
  AppFixture f;
  const std::string path = f.dir.File("fehlt-ä/folder/p.QEL");
  SaveVia(f, path);
  ASSERT_EQ(f.errors.size(), 1u);
  EXPECT_EQ(f.errors[0], QString::fromUtf8("In " + path + " kann nicht geschrieben werden"));
  const std::string empty;
  SaveVia(f, empty);
  OpenVia(f, empty);
  EXPECT_EQ(f.errors.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(MainFormPages, OpeningAFileOfAnotherKindLoadsEveryDefault) {
  AppFixture f;
  f.Form().Button14->click();  // the pages now show the instrument's settings
  f.sim->ClearReceived();
  const std::string path = f.dir.File("notes.txt");
  WriteBytes(path, "nothing of a parameter file\r\n");
  OpenVia(f, path);
  EXPECT_TRUE(f.Lines().empty());  // opening sends nothing
  auto& e = f.Form().EinheitenFrame1->Form();
  EXPECT_EQ(e.Mess_Modus_ComboBox->currentIndex(), 0);
  EXPECT_EQ(e.Bereich_ComboBox->currentIndex(), 0);
  EXPECT_EQ(e.Bereich_ComboBox->currentText(), "10 mT");
  EXPECT_EQ(f.Form().OutLineFrame1->Form().OG_Edit->text(), "0");
  EXPECT_EQ(f.Form().OutLineFrame4->Form().UG_Edit->text(), "0");
  EXPECT_EQ(f.Form().TastenFrame1->Form().Funk_ComboBox->currentText(), "Keine");
  EXPECT_EQ(Octets(*f.Form().LANFrame1->Form().Ip_Adr_In),
            QStringList({"000", "000", "000", "000"}));
  EXPECT_EQ(Octets(*f.Form().LANFrame1->Form().Sub_Adr_In),
            QStringList({"000", "000", "000", "000"}));
  EXPECT_EQ(f.Form().EIA232Frame1->Form().Baud_ComboBox->currentText(), "1200 bps");
}

TEST(MainFormPages, OpeningSetsTheBoxesWithoutRunningChangeHandlers) {
  AppFixture f;
  const std::string path = f.dir.File("edited.QEL");
  WriteBytes(path,
             "[Mode]\r\nMODE=-1\r\nUNIT=3\r\nRANG:SET=9\r\n"
             "[Output1]\r\nDGIO:SET:OUT:FUNC=4\r\nDGIO:SET:OUT:LIMI:HIGH=1.25\r\n"
             "[KEYSBOT]\r\nFUNC=3\r\n[LAN]\r\nIP:IP1=7\r\nIP:IP2=256\r\n");
  OpenVia(f, path);
  auto& e = f.Form().EinheitenFrame1->Form();
  EXPECT_EQ(e.Mess_Modus_ComboBox->currentIndex(), -1);
  EXPECT_EQ(e.Einheit_ComboBox->currentText(), "kA/m");
  EXPECT_EQ(e.Bereich_ComboBox->currentIndex(), -1);
  auto& out1 = f.Form().OutLineFrame1->Form();
  EXPECT_EQ(out1.Funk_ComboBox->currentText(), "Wenn im Bereich");
  EXPECT_EQ(out1.OG_Edit->text(), "1.25");
  EXPECT_EQ(out1.UG_Edit->text(), "0");
  EXPECT_FALSE(out1.Logic_ComboBox->isEnabled());  // the enabling rule runs for users only
  EXPECT_EQ(f.Form().TastenFrame2->Form().Funk_ComboBox->currentText(), "Sonde Nullsetzen");
  EXPECT_EQ(Octets(*f.Form().LANFrame1->Form().Ip_Adr_In), QStringList({"7", "000", "000", "000"}));
  // A box without selection is saved as -1 and opens again without one.
  const std::string again = f.dir.File("again.QEL");
  SaveVia(f, again);
  ChooseItem(*e.Mess_Modus_ComboBox, 2);
  OpenVia(f, again);
  EXPECT_EQ(e.Mess_Modus_ComboBox->currentIndex(), -1);
  EXPECT_TRUE(f.Lines().empty());
}

TEST(MainFormPages, ChangeOfTabStopsTheReadoutRefresh) {
  AppFixture f;
  gui::TQEL_Display_Frame& display = *f.Form().QEL_Display_Frame1;
  display.Form().Refresh->click();
  ASSERT_TRUE(display.RefreshTimer().isActive());
  ClickTab(*f.Form().PageControl1, 2);
  EXPECT_FALSE(display.Form().Refresh->isChecked());
  EXPECT_FALSE(display.RefreshTimer().isActive());
  ClickTab(*f.Form().PageControl1, 0);
  EXPECT_FALSE(display.RefreshTimer().isActive());
}

TEST(MainFormPages, ContinuousReadOfTheServiceTabRunsTheReadout) {
  AppFixture f("6083");
  f.app->MainForm().ServiceTab()->Timer1Timer();
  EXPECT_EQ(f.Lines(), (Lines{"mode?", ":read:dc?", ":rang?;unit?"}));
  const QString dc = f.Form().QEL_Display_Frame1->Form().DC_Out->text();
  EXPECT_TRUE(dc.endsWith(" mT ")) << dc.toStdString();
}

TEST(ParameterFileDialogs, FiltersNamesAndModes) {
  EXPECT_EQ(gui::QtFileFilter(kOpenParameterFilter), "QEL Parameter (*.QEL);;Alle Dateien (*.*)");
  EXPECT_EQ(gui::QtFileFilter(kSaveParameterFilter), "QEL (*.QEL);;Alle Dateien (*.*)");
  TempDir dir;
  const QString folder = QString::fromStdString(dir.Path().string());
  const auto open = gui::MakeParameterOpenDialog(nullptr, folder);
  EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFile);
  EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(open->nameFilters(), QStringList({"QEL Parameter (*.QEL)", "Alle Dateien (*.*)"}));
  const auto save =
      gui::MakeParameterSaveDialog(nullptr, folder, "QEL11_Setup_Parameter_20210618_1405.QEL");
  EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_TRUE(save->testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(save->nameFilters(), QStringList({"QEL (*.QEL)", "Alle Dateien (*.*)"}));
  ASSERT_FALSE(save->selectedFiles().isEmpty());
  EXPECT_TRUE(save->selectedFiles().front().endsWith("/QEL11_Setup_Parameter_20210618_1405.QEL"));
  EXPECT_EQ(gui::ParameterFileInfoAt(QDateTime::currentDateTime()).computerName, GetComputerName());
}

}  // namespace
}  // namespace qel::testing
