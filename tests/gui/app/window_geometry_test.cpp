// SPDX-License-Identifier: GPL-3.0-or-later
// Every window in the four modes (German or English, with or without the service code):
// one fixed size at which no text is cut and nothing overlaps, on a 1280 x 800 screen,
// opened centred (the main window on the screen, the others on the main window). The
// windows are filled by a read first, so that the texts a read shows count too. ctest
// runs this again at a device pixel ratio of 2 (QT_SCALE_FACTOR=2 on 2560 x 1600).

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyleOptionComboBox>
#include <QTabBar>

#include "../lang/lang_fixture.h"
#include "../user_input.h"
#include "gui/diag/QEL_Info_Frame_Unit.h"
#include "gui/diag/SCPI_FehlerLesen_Frame_Unit.h"
#include "gui/pages/IP_Adr_In_Frame.h"
#include "gui/pages/QEL_Display_Frame_Unit.h"
#include "ui_QEL11_Setup_HID_Unit.h"
#include "ui_QEL_Display_Frame_Unit.h"
#include "ui_QEL_Info_Frame_Unit.h"
#include "ui_SCPI_FehlerLesen_Frame_Unit.h"

namespace qel::testing {
namespace {

std::string Where(const QWidget& widget) {
  std::string path = widget.objectName().toStdString();
  for (const QWidget* w = widget.parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (!w->objectName().isEmpty()) path = w->objectName().toStdString() + "/" + path;
  }
  return path;
}

// The width a choice box needs for its widest item.
int ComboWidthNeeded(const QComboBox& box) {
  int text = 0;
  for (int i = 0; i < box.count(); ++i) {
    text = std::max(text, box.fontMetrics().horizontalAdvance(box.itemText(i)));
  }
  QStyleOptionComboBox option;
  option.initFrom(&box);
  return box.style()
      ->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(text, box.fontMetrics().height()),
                         &box)
      .width();
}

// The room a widget's text needs, or an invalid size for widgets without one.
QSize Needed(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    if (label->text().isEmpty() || label->wordWrap()) return {};
    return label->minimumSizeHint();
  }
  if (qobject_cast<const QAbstractButton*>(&widget) != nullptr ||
      qobject_cast<const QGroupBox*>(&widget) != nullptr) {
    return widget.minimumSizeHint();
  }
  if (const auto* box = qobject_cast<const QComboBox*>(&widget)) {
    return {ComboWidthNeeded(*box), 0};
  }
  if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) {
    // QLineEdit keeps 2 pixels on each side of its text inside the frame.
    const int frame = edit->width() - edit->contentsRect().width();
    return {edit->fontMetrics().horizontalAdvance(edit->text()) + 4 + frame, 0};
  }
  if (const auto* bar = qobject_cast<const QTabBar*>(&widget)) return {bar->sizeHint().width(), 0};
  return {};
}

// Widgets whose children are the toolkit's own parts, laid out by it.
bool OwnsItsParts(const QWidget& widget) {
  return qobject_cast<const QAbstractScrollArea*>(&widget) != nullptr ||
         qobject_cast<const QComboBox*>(&widget) != nullptr ||
         qobject_cast<const QTabBar*>(&widget) != nullptr ||
         qobject_cast<const QLineEdit*>(&widget) != nullptr;
}

// The address entry draws its dots as a caption behind the four octet fields, as one
// control; only its fields' texts are checked.
bool InsideAddressEntry(const QWidget& widget) {
  for (const QWidget* w = widget.parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (qobject_cast<const gui::TIp_Adr_In_*>(w) != nullptr) return true;
  }
  return false;
}

// No text of a shown widget cut, no two shown siblings overlapping, each inside its parent.
void ExpectNothingCutOrOverlapped(QWidget& window, const std::string& context) {
  const QList<QWidget*> widgets = window.findChildren<QWidget*>();
  for (QWidget* widget : widgets) {
    if (!widget->isVisible() || widget->isWindow()) continue;
    if (InsideAddressEntry(*widget) && qobject_cast<QLineEdit*>(widget) == nullptr) continue;
    const QSize need = Needed(*widget);
    if (need.isValid()) {
      EXPECT_GE(widget->width(), need.width()) << context << " cut: " << Where(*widget);
      EXPECT_GE(widget->height(), need.height()) << context << " cut: " << Where(*widget);
    }
    QWidget* parent = widget->parentWidget();
    if (parent == nullptr || OwnsItsParts(*parent) || InsideAddressEntry(*widget)) continue;
    EXPECT_TRUE(parent->rect().contains(widget->geometry()))
        << context << " outside its parent: " << Where(*widget);
    for (QWidget* other : widgets) {
      if (other <= widget || other->parentWidget() != parent || !other->isVisible()) continue;
      EXPECT_FALSE(widget->geometry().intersects(other->geometry()))
          << context << " overlap: " << Where(*widget) << " and " << Where(*other);
    }
  }
}

void ExpectFixedFittingAndCentredOn(QWidget& window, const QRect& area,
                                    const std::string& context) {
  EXPECT_EQ(window.minimumSize(), window.maximumSize()) << context;
  EXPECT_EQ(window.size(), window.minimumSize()) << context;
  const QRect frame = window.frameGeometry();
  EXPECT_LE(frame.width(), 1280) << context;
  EXPECT_LE(frame.height(), 800) << context;
  EXPECT_TRUE(window.screen()->availableGeometry().contains(frame)) << context;
  EXPECT_LE((frame.center() - area.center()).manhattanLength(), 2)
      << context << " centre " << frame.center().x() << "," << frame.center().y();
}

struct Mode {
  bool english;
  std::string argument;
};

TEST(WindowGeometry, EveryWindowFixedFittingCentredWithNothingCut) {
  for (const Mode& mode :
       {Mode{false, "6083"}, Mode{false, ""}, Mode{true, "6083"}, Mode{true, ""}}) {
    LangFixture f(mode.english, true, mode.argument);
    const std::string context = std::string(mode.english ? "English" : "German") +
                                (mode.argument.empty() ? "" : " service") + ": ";
    gui::TMainForm& main = f.app->MainForm();
    Ui::TMainForm& form = main.Form();
    f.app->ShowMainForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.StatusTimerTimer();
    Click(*form.Button14);  // "Werte aus Gerät lesen ": every page shows what a read gives
    Click(*form.QEL_Display_Frame1->Form().ReadButton);
    ExpectFixedFittingAndCentredOn(main, main.screen()->availableGeometry(), context + "MainForm");
    for (int tab = 0; tab < form.PageControl1->count(); ++tab) {
      ClickTab(*form.PageControl1, tab);
      if (tab == 1) {
        Click(*form.Info_Frame1->Form().Read);
        Click(*form.SCPI_Fehler_Frame1->Form().Button1);
      }
      ExpectNothingCutOrOverlapped(main, context + "tab " + std::to_string(tab));
    }
    const std::vector<QWidget*> forms = f.app->Forms();
    for (auto it = forms.begin() + 1; it != forms.end(); ++it) {
      QWidget& window = **it;
      window.show();
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
      const std::string name = context + window.objectName().toStdString();
      ExpectFixedFittingAndCentredOn(window, main.frameGeometry(), name);
      ExpectNothingCutOrOverlapped(window, name);
      window.hide();
    }
    // The trend window is made when its menu item is first chosen.
    f.app->TrendMenuItem().trigger();
    QWidget& trend = f.app->TrendForm();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&trend));
    ExpectFixedFittingAndCentredOn(trend, main.frameGeometry(), context + "TrendForm");
    ExpectNothingCutOrOverlapped(trend, context + "TrendForm");
    trend.hide();
  }
}

}  // namespace
}  // namespace qel::testing
