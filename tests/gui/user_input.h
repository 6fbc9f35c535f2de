// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A user's input as real key and mouse events (QTest), so that tests prove the events
// reach the handlers: choosing through a choice box's open list, clicking a tab, a menu
// item, a button, double-clicking a grid cell.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QWindow>

namespace qel::testing {

// Shows the window of `widget` (clicks need laid-out widgets).
inline void ShowForInput(QWidget& widget) {
  QWidget* window = widget.window();
  if (!window->isVisible()) window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
}

// Chooses item `position` as a user does from the keyboard: F4 opens the list, Home and
// Down move to the item, Enter chooses it.
inline void ChooseItem(QComboBox& box, int position) {
  QTest::keyClick(&box, Qt::Key_F4);
  QAbstractItemView* list = box.view();
  ASSERT_TRUE(list->isVisible()) << box.objectName().toStdString();
  QTest::keyClick(list, Qt::Key_Home);
  for (int i = 0; i < position; ++i) QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Return);
  ASSERT_FALSE(list->isVisible());
}

inline void ClickTab(QTabWidget& tabs, int index) {
  ShowForInput(tabs);
  QTabBar& bar = *tabs.tabBar();
  QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.tabRect(index).center());
  ASSERT_EQ(tabs.currentIndex(), index);
}

// Clicks `item` in the menu bar, or opens its menu there and clicks it in the menu.
inline void ClickMenuItem(QMenuBar& bar, QAction& item) {
  ShowForInput(bar);
  for (QAction* top : bar.actions()) {
    QMenu* menu = top->menu();
    if (top != &item && (menu == nullptr || !menu->actions().contains(&item))) continue;
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.actionGeometry(top).center());
    if (top == &item) return;
    ASSERT_TRUE(menu->isVisible());
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(&item).center());
    return;
  }
  ADD_FAILURE() << "no menu item " << item.text().toStdString();
}

// Through the window, as the window system delivers a double-click (press, release,
// press, double-click, release); the widget overload of QTest omits the second press.
// A right click through the window, which the window system turns into a context menu
// request.
inline void RightClick(QWidget& widget, const QPoint& at) {
  ShowForInput(widget);
  QWidget* window = widget.window();
  QTest::mouseClick(window->windowHandle(), Qt::RightButton, {}, widget.mapTo(window, at));
}

inline void ClickInMenu(QMenu& menu, QAction& item) {
  ASSERT_TRUE(menu.isVisible());
  QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(&item).center());
}

inline void DoubleClickCell(QTableWidget& grid, int row) {
  ShowForInput(grid);
  const QRect cell = grid.visualRect(grid.model()->index(row, 0));
  QWidget* window = grid.window();
  QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, {},
                     grid.viewport()->mapTo(window, cell.center()));
}

// Clicks near the left end of a button: inside a push button, on a check box's box.
inline void Click(QWidget& button) {
  ShowForInput(button);
  QTest::mouseClick(&button, Qt::LeftButton, {},
                    QPoint(qMin(8, button.width() / 2), button.height() / 2));
}

}  // namespace qel::testing
