// Keyboard and screen-reader use of the pages: every input has its label as buddy, the
// tab order follows the layout, and buttons and check boxes work from the keyboard.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "../app/app_fixture.h"
#include "gui/pages/EIA485_Frame_Unit.h"
#include "gui/pages/IP_Adr_In_Frame.h"
#include "gui/pages/QEL_Display_Frame_Unit.h"
#include "page_test_support.h"
#include "ui_EIA485_Frame_Unit.h"
#include "ui_LAN_Frame_Unit.h"
#include "ui_QEL_Display_Frame_Unit.h"

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

}  // namespace
}  // namespace qel::testing
