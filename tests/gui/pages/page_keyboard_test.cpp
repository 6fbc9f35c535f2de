// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard and screen-reader use of the pages: every input has its label as buddy, the
// tab order follows the layout, buttons and check boxes work from the keyboard, and the
// key filters hold for open choice lists and pasted text.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <map>
#include <set>
#include <tuple>

#include "../app/app_fixture.h"
#include "../lang/lang_fixture.h"
#include "gui/pages/EIA485_Frame_Unit.h"
#include "gui/pages/IP_Adr_In_Frame.h"
#include "gui/pages/QEL_Display_Frame_Unit.h"
#include "page_test_support.h"
#include "ui_EIA485_Frame_Unit.h"
#include "ui_Einheiten_Frame_Unit.h"
#include "ui_LAN_Frame_Unit.h"
#include "ui_OutLineFunktion_Frame_Unit.h"
#include "ui_QEL_Display_Frame_Unit.h"
#include "ui_service_tab.h"

namespace qel::testing {
namespace {

// The inputs a user types into or chooses from (not the editor inside a combo box).
std::vector<QWidget*> Inputs(QWidget& root) {
  std::vector<QWidget*> inputs;
  for (QWidget* w : root.findChildren<QWidget*>()) {
    if (qobject_cast<QComboBox*>(w) != nullptr) inputs.push_back(w);
    if (qobject_cast<QLineEdit*>(w) != nullptr && qobject_cast<QComboBox*>(w->parent()) == nullptr)
      inputs.push_back(w);
  }
  return inputs;
}

// The label whose buddy is `input`, or for an octet field its address entry's label.
const QLabel* LabelOf(QWidget& root, QWidget* input) {
  for (const QLabel* label : root.findChildren<QLabel*>()) {
    QWidget* buddy = label->buddy();
    if (buddy == nullptr) continue;
    if (buddy == input) return label;
    if (qobject_cast<gui::TIp_Adr_In_*>(buddy) != nullptr && buddy->isAncestorOf(input))
      return label;
  }
  return nullptr;
}

// The tab stops inside `frame`, in the order Tab visits them: one round through the
// window's focus chain, starting at the frame.
QStringList TabStops(QWidget& frame) {
  QStringList order;
  QWidget* w = &frame;
  do {
    if (frame.isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) &&
        qobject_cast<QComboBox*>(w->parent()) == nullptr) {
      order << w->objectName();
    }
    w = w->nextInFocusChain();
  } while (w != &frame && w != nullptr);
  return order;
}

TEST(PageKeyboard, EveryInputOnThePagesHasItsLabelAsBuddy) {
  AppFixture f;
  std::vector<QWidget*> frames = {f.Form().EinheitenFrame1, f.Form().OutLineFrame1,
                                  f.Form().OutLineFrame4,   f.Form().InLineFrame2,
                                  f.Form().TastenFrame1,    f.Form().TastenFrame2,
                                  f.Form().LANFrame1,       f.Form().EIA232Frame1};
  gui::TEIA485Frame eia485;
  frames.push_back(&eia485);
  int inputs = 0;
  for (QWidget* frame : frames) {
    for (QWidget* input : Inputs(*frame)) {
      ++inputs;
      const QLabel* label = LabelOf(*frame, input);
      ASSERT_NE(label, nullptr) << frame->objectName().toStdString() << "/"
                                << input->objectName().toStdString();
      EXPECT_FALSE(label->text().isEmpty());
    }
  }
  EXPECT_EQ(inputs, 3 + 4 + 4 + 2 + 1 + 1 + 8 + 4 + 3);
  // The octet fields have names of their own besides the entry's label.
  EXPECT_EQ(f.Form().LANFrame1->Form().Sub_Adr_In->Octets()[3]->accessibleName(), "LAN Submaske 4");
}

TEST(PageKeyboard, TabOrderFollowsTheLayout) {
  AppFixture f;
  EXPECT_EQ(TabStops(*f.Form().EinheitenFrame1),
            QStringList({"Mess_Modus_ComboBox", "Einheit_ComboBox", "Bereich_ComboBox", "Auto",
                         "Button1", "Button2"}));
  EXPECT_EQ(
      TabStops(*f.Form().OutLineFrame2),
      QStringList({"Funk_ComboBox", "Logic_ComboBox", "OG_Edit", "UG_Edit", "Button1", "Button2"}));
  EXPECT_EQ(TabStops(*f.Form().EIA232Frame1),
            QStringList({"Baud_ComboBox", "StopBit_ComboBox", "Parity_ComboBox", "Mode_ComboBox",
                         "Button1", "Button2"}));
  EXPECT_EQ(TabStops(*f.Form().LANFrame1),
            QStringList({"Lan_Adr1_In", "Lan_Adr2_In", "Lan_Adr3_In", "Lan_Adr4_In", "Lan_Adr1_In",
                         "Lan_Adr2_In", "Lan_Adr3_In", "Lan_Adr4_In", "Button1", "Button2"}));
  EXPECT_EQ(TabStops(*f.Form().QEL_Display_Frame1),
            QStringList({"ReadButton", "Reset", "Refresh"}));
  // The address entry's label leads to its first octet.
  EXPECT_EQ(f.Form().LANFrame1->Form().Ip_Adr_In->focusProxy(),
            f.Form().LANFrame1->Form().Ip_Adr_In->Octets()[0]);
}

TEST(PageKeyboard, ReadoutButtonsAndCheckBoxWorkFromTheKeyboard) {
  AppFixture f;
  gui::TQEL_Display_Frame& display = *f.Form().QEL_Display_Frame1;
  QTest::keyClick(display.Form().ReadButton, Qt::Key_Space);
  ASSERT_FALSE(f.Lines().empty());
  EXPECT_EQ(f.Lines().front(), "mode?");
  QTest::keyClick(display.Form().Refresh, Qt::Key_Space);
  EXPECT_TRUE(display.Form().Refresh->isChecked());
  EXPECT_TRUE(display.RefreshTimer().isActive());
}

// A screen reader tells buttons with equal captions apart by their descriptions (the
// three "Lesen" of the main window, the service tab's two "Lang" and two "Kurz"), in the
// window's language.
TEST(PageKeyboard, ButtonsWithEqualCaptionsAreToldApart) {
  for (const bool english : {false, true}) {
    LangFixture f(english, true, "6083");
    for (QWidget* window : f.app->Forms()) {
      window->show();
      std::map<QString, std::set<QString>> descriptions;
      std::map<QString, int> count;
      for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (button->text().trimmed().isEmpty()) continue;
        ++count[button->text()];
        descriptions[button->text()].insert(button->accessibleDescription());
      }
      for (const auto& [caption, n] : count) {
        if (n < 2) continue;
        EXPECT_EQ(descriptions[caption].size(), static_cast<std::size_t>(n))
            << caption.toStdString();
        EXPECT_FALSE(descriptions[caption].count(QString())) << caption.toStdString();
      }
      window->hide();
    }
    auto& form = f.app->MainForm().Form();
    EXPECT_EQ(form.QEL_Display_Frame1->Form().ReadButton->accessibleDescription(), "Display");
    EXPECT_EQ(f.app->MainForm().ServiceTab()->Form().Button11->accessibleDescription(),
              english ? "Lower key long" : "Untere Taste lang");
  }
}

// Typing into a choice box picks nothing, also with its list open (where a list view would
// pick the item that starts with a typed letter); the cursor keys and Enter still choose.
TEST(ChoiceBoxes, TypingChoosesNothingInTheBoxOrItsOpenList) {
  AppFixture f("6083");
  QComboBox& unit = *f.Form().EinheitenFrame1->Form().Einheit_ComboBox;
  QComboBox& range = *f.app->MainForm().ServiceTab()->Form().TestBereicheComboBox;
  QComboBox& type = *f.app->Forms()[4]->findChild<QComboBox*>("ProbeTypeComboBox");
  const std::vector<std::tuple<QComboBox*, const char*, Qt::Key>> rows = {
      {&unit, "o", Qt::Key_Return},  // "Oersted"
      {&unit, "kG 3", Qt::Key_Escape},
      {&range, "7", Qt::Key_Return},
      {&type, "Axial", Qt::Key_Escape}};
  for (const auto& [box, typed, close] : rows) {
    const QString before = box->currentText();
    QTest::keyClicks(box, typed);
    QTest::keyClick(box, Qt::Key_F4);
    ASSERT_TRUE(box->view()->isVisible());
    QTest::keyClicks(box->view(), typed);
    QTest::keyClick(box->view(), close);
    EXPECT_FALSE(box->view()->isVisible());
    EXPECT_EQ(box->currentText(), before) << typed;
  }
  EXPECT_EQ(f.Lines(), Lines{"INTE:RANG 0"});  // Enter chose the range shown
  ChooseItem(unit, 2);
  EXPECT_EQ(unit.currentText(), "Oersted");
}

// Text pasted with Ctrl+V enters a key-filtered field only as typing it could: a command
// pasted after a limit never reaches the instrument, nor does a line feed.
TEST(EditFilters, PastedTextGoesThroughTheKeyFilter) {
  AppFixture f("6083");
  auto& out1 = f.Form().OutLineFrame1->Form();
  ClickTab(*f.Form().PageControl1, 2);
  ChooseItem(*out1.Funk_ComboBox, 2);  // "Wenn Größer" enables the upper limit
  const auto field = [&f](const char* name) {
    QLineEdit* edit = f.app->Forms()[4]->findChild<QLineEdit*>(name);
    return edit != nullptr ? edit : f.app->Forms()[5]->findChild<QLineEdit*>(name);
  };
  struct Row {
    QLineEdit* field;
    QString before, pasted, after;
  };
  const std::vector<Row> rows = {
      {out1.OG_Edit, "", "1;:MODE AC", "1"},
      {out1.OG_Edit, "2", ",5x-", "-2.5"},       // "," typed is ".", a sign goes in front
      {out1.OG_Edit, "0.0000", "5", "0.00005"},  // a read's text and a paste
      {field("Probe_SN_In"), "12", "3a;4\n56789", "123456789"},  // at most 9
      {field("Probe_So_1_In"), "", "1,5E-3;x", "1.5-3"},
      {field("Probe_Name_In"), "", "Sonde\nPROB:SAVE", "SondePROB:SAVE"},
      {field("SN_IN"), "", "11\r\nINTE:DEFA", "11INTE:DEFA"},  // no filter, no line feed
      {field("MAG_GAIN_0"), "1", "2", "1"},  // its filter drops Ctrl+V's control character
  };
  for (const Row& row : rows) {
    row.field->setText(row.before);
    QGuiApplication::clipboard()->setText(row.pasted);
    QTest::keyClick(row.field, Qt::Key_End);
    QTest::keyClick(row.field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(row.field->text(), row.after) << row.pasted.toStdString();
  }
  out1.OG_Edit->setText("");
  QGuiApplication::clipboard()->setText("1.5;:MODE AC");
  QTest::keyClick(out1.OG_Edit, Qt::Key_V, Qt::ControlModifier);
  Click(*f.Form().Button15);
  EXPECT_THAT(f.Lines(), ::testing::Contains("DGIO:SET:OUT1:LIMI:HIGH 1.5"));
}

}  // namespace
}  // namespace qel::testing
