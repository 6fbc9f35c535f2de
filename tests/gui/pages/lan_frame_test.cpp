// SPDX-License-Identifier: GPL-3.0-or-later
// The LAN page and its dotted-address entries: octet replies, the change and exit rules
// of the octet fields, and the lines written from what they show.

#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "gui/pages/IP_Adr_In_Frame.h"
#include "gui/pages/LAN_Frame_Unit.h"
#include "page_test_support.h"
#include "ui_IP_Adr_In_Frame.h"
#include "ui_LAN_Frame_Unit.h"

namespace qel::testing {
namespace {

QStringList Octets(const gui::TIp_Adr_In_& address) {
  QStringList texts;
  for (const QLineEdit* field : address.Octets()) texts << field->text();
  return texts;
}

void LoseFocus(QLineEdit& field) {
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&field, &out);
}

struct LanPage {
  explicit LanPage(std::map<std::string, std::string> replies = {}) : table(replies) {
    frame.Bind(model, table.session);
  }
  gui::TIp_Adr_In_& Address() { return *frame.Form().Ip_Adr_In; }
  gui::TIp_Adr_In_& Mask() { return *frame.Form().Sub_Adr_In; }
  TableContext table;
  LANModel model;
  gui::TLANFrame frame;
};

TEST(LANFrame, OctetFieldsAndTheirPanel) {
  LanPage page;
  EXPECT_EQ(page.frame.Form().GroupBox1->title(), " LAN Schnittstelle ");
  EXPECT_EQ(Octets(page.Address()), QStringList({"000", "000", "000", "000"}));
  const Ui::TIp_Adr_In_& parts = page.Address().Form();
  EXPECT_EQ(parts.Label1->text(), "   .   .   .");
  EXPECT_TRUE(parts.Label1->font().bold());
  EXPECT_EQ(parts.Panel1->frameShape(), QFrame::StyledPanel);
  int tag = 1;
  for (const QLineEdit* field : page.Address().Octets()) {
    EXPECT_FALSE(field->hasFrame());
    EXPECT_EQ(field->property("Tag").toInt(), tag++);
    // Each field lies inside the panel, over the blanks of the caption, left to right.
    EXPECT_TRUE(parts.Panel1->rect().contains(field->geometry()));
  }
  EXPECT_LT(parts.Lan_Adr1_In->x(), parts.Lan_Adr2_In->x());
  EXPECT_LT(parts.Lan_Adr3_In->x(), parts.Lan_Adr4_In->x());
  EXPECT_EQ(parts.Lan_Adr2_In->accessibleName(), "LAN Adresse 2");
}

TEST(LANFrame, ReadAsksThirdFourthSecondFirstAndPadsEachReply) {
  LanPage page({{"IP:IP1?", "10"},
                {"IP:IP2?", "0"},
                {"IP:IP4?", "7"},
                {"IP:MAS1?", "255"},
                {"IP:MAS2?", "300"},
                {"IP:MAS3?", "x1"},
                {"IP:MAS4?", "0042"}});
  page.frame.Form().Button1->click();
  EXPECT_EQ(page.table.ReceivedLines(), (Lines{"IP:IP3?", "IP:IP4?", "IP:IP2?", "IP:IP1?",
                                               "IP:MAS3?", "IP:MAS4?", "IP:MAS2?", "IP:MAS1?"}));
  // IP3 got no reply: padded to "000".
  EXPECT_EQ(Octets(page.Address()), QStringList({"010", "000", "000", "007"}));
  // Above 255 or no number: reset; more than three characters: the first three.
  EXPECT_EQ(Octets(page.Mask()), QStringList({"255", "000", "000", "004"}));
  page.table.meter.ClearLines();
  page.frame.Form().Button2->click();
  EXPECT_EQ(page.table.ReceivedLines(),
            (Lines{"IP:IP1 010", "IP:IP2 000", "IP:IP3 000", "IP:IP4 007", "IP:MAS1 255",
                   "IP:MAS2 000", "IP:MAS3 000", "IP:MAS4 004"}));
}

TEST(LANFrame, TypingAnOctetAboveTwoHundredFiftyFiveResetsTheField) {
  LanPage page;
  QLineEdit& field = *page.Address().Octets()[1];
  field.selectAll();
  QTest::keyClick(&field, '2');
  EXPECT_EQ(field.text(), "2");
  QTest::keyClick(&field, '5');
  EXPECT_EQ(field.text(), "25");
  QTest::keyClick(&field, '6');
  EXPECT_EQ(field.text(), "000");
  EXPECT_EQ(field.selectedText(), "000");
  EXPECT_EQ(field.cursorPosition(), 0);
  // The next digit starts the octet afresh.
  QTest::keyClick(&field, '9');
  EXPECT_EQ(field.text(), "9");
  EXPECT_EQ(page.model.Ip_Adr_In.Octet(2), "9");
  // Leaving the field pads it.
  LoseFocus(field);
  EXPECT_EQ(field.text(), "009");
  EXPECT_EQ(page.model.Ip_Adr_In.Octet(2), "009");
}

TEST(LANFrame, ANonDigitOrAFourthCharacterNeverStays) {
  LanPage page;
  QLineEdit& field = *page.Mask().Octets()[0];
  field.selectAll();
  QTest::keyClicks(&field, "12");
  QTest::keyClick(&field, '3');
  QTest::keyClick(&field, '4');  // a fourth character is not taken
  EXPECT_EQ(field.text(), "123");
  field.setCursorPosition(3);
  QTest::keyClick(&field, Qt::Key_Backspace);
  QTest::keyClick(&field, 'a');
  EXPECT_EQ(field.text(), "000");
  EXPECT_EQ(field.selectedText(), "000");
  // An emptied field is invalid as well.
  field.setCursorPosition(3);
  for (int i = 0; i < 3; ++i) QTest::keyClick(&field, Qt::Key_Backspace);
  EXPECT_EQ(field.text(), "000");
}

TEST(LANFrame, WritesTheOctetTextsAsTheyStand) {
  LanPage page;
  QLineEdit& first = *page.Address().Octets()[0];
  first.selectAll();
  QTest::keyClicks(&first, "42");
  page.frame.WriteToDevice();
  EXPECT_EQ(page.table.ReceivedLines().front(), "IP:IP1 42");
}

}  // namespace
}  // namespace qel::testing
