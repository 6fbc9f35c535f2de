// SPDX-License-Identifier: GPL-3.0-or-later
// The window walk over a hand-built window with one widget of every kind. The test
// dictionary chains every text: "X de" gives "X en" and "X en" gives "X twice", so a text
// that is missed stays "de" and a text translated twice shows "twice".

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <functional>
#include <memory>

#include "core/lang/dictionary.h"
#include "gui/lang/translate_component.h"
#include "qstring_printer.h"

namespace qel::testing {
namespace {

using gui::ComponentTranslator;

Dictionary ChainedDictionary(const std::vector<std::string>& names) {
  std::string text = "KORVAL-WOERTERBUCH\r\nEnglisch\r\n";
  for (const std::string& name : names) {
    text += "\"" + name + " de\";\"" + name + " en\"\r\n";
    text += "\"" + name + " en\";\"" + name + " twice\"\r\n";
  }
  Dictionary dictionary;
  dictionary.LoadDictionaryText(text);
  dictionary.SortDictionary();
  return dictionary;
}

QString De(const char* name) {
  return QString(name) + " de";
}

// A main window with every kind of control the walk knows, and some it must leave alone.
struct KindsWindow {
  QMainWindow window;
  QObject outside;  // owns an action that only a menu shows
  QPushButton* push;
  QCheckBox* check;
  QRadioButton* radio;
  QToolButton* tool;
  QToolButton* toolWithAction;
  QGroupBox* group;
  QLabel* label;
  QLabel* panel;
  QTabWidget* tabs;
  QToolBox* toolBox;
  QToolBar* toolBar;
  QComboBox* choice;
  QComboBox* editable;
  QComboBox* typed;
  QLineEdit* edit;
  QSpinBox* spin;
  QPlainTextEdit* log;
  QTableWidget* grid;
  QTextEdit* rich;
  QWidget* page;
  QMenu* menu;
  QMenu* subMenu;
  QAction* menuAction;
  QAction* tipAction;
  QAction* subAction;
  QAction* looseAction;
  QAction* separator;
  QAction* direct;
  QAction* barAction;

  KindsWindow() {
    window.setWindowTitle(De("Window"));
    window.setToolTip(De("Window tip"));
    auto* central = new QWidget(&window);
    auto* layout = new QVBoxLayout(central);
    window.setCentralWidget(central);
    const auto put = [&](auto* widget) {
      layout->addWidget(widget);
      return widget;
    };
    push = put(new QPushButton(De("Push")));
    push->setToolTip(De("Push tip"));
    check = put(new QCheckBox(De("Check")));
    radio = put(new QRadioButton(De("Radio")));
    tool = put(new QToolButton);
    tool->setText(De("Tool"));
    toolWithAction = put(new QToolButton);
    toolWithAction->setDefaultAction(new QAction(De("Tool action"), &window));
    group = put(new QGroupBox(De("Group")));
    group->setToolTip(De("Group tip"));
    label = new QLabel(De("Label"), group);
    label->setToolTip(De("Label tip"));
    (new QVBoxLayout(group))->addWidget(label);
    panel = put(new QLabel(De("Panel")));
    panel->setFrameShape(QFrame::Panel);
    tabs = put(new QTabWidget);
    tabs->setToolTip(De("Tabs tip"));
    tabs->addTab(new QWidget, De("Tab one"));
    tabs->addTab(new QWidget, De("Tab two"));
    tabs->setTabToolTip(1, De("Tab tip"));
    toolBox = put(new QToolBox);
    toolBox->addItem(new QWidget, De("Box item"));
    toolBar = new QToolBar(De("Bar"), &window);
    window.addToolBar(toolBar);
    barAction = toolBar->addAction(De("Bar action"));
    choice = put(new QComboBox);
    choice->addItems({De("Item one"), De("Item two")});
    choice->setCurrentIndex(1);
    choice->setToolTip(De("Choice tip"));
    editable = put(new QComboBox);
    editable->setEditable(true);
    editable->addItems({De("Edit item"), De("Other item")});
    editable->setCurrentIndex(0);
    typed = put(new QComboBox);
    typed->setEditable(true);
    typed->addItem(De("Typed item"));
    typed->setEditText(De("Typed"));
    edit = put(new QLineEdit(De("Line")));
    edit->setToolTip(De("Line tip"));
    spin = put(new QSpinBox);
    spin->setSuffix(" de");
    log = put(new QPlainTextEdit(De("Log")));
    log->setToolTip(De("Log tip"));
    grid = put(new QTableWidget(1, 1));
    grid->setItem(0, 0, new QTableWidgetItem(De("Grid")));
    grid->setHorizontalHeaderLabels({De("Header")});
    grid->setToolTip(De("Grid tip"));
    rich = put(new QTextEdit(De("Rich")));
    rich->setToolTip(De("Rich tip"));
    page = put(new QWidget);
    page->setToolTip(De("Page tip"));

    menu = window.menuBar()->addMenu(De("Menu"));
    menuAction = new QAction(De("Action"), &window);
    menu->addAction(menuAction);
    tipAction = new QAction(De("Tip action"), &window);
    tipAction->setToolTip(De("Action tip"));
    menu->addAction(tipAction);
    separator = menu->addSeparator();
    subMenu = menu->addMenu(De("Sub"));
    subAction = subMenu->addAction(De("Sub action"));
    looseAction = new QAction(De("Loose action"), &outside);
    subMenu->addAction(looseAction);
    direct = window.menuBar()->addAction(De("Direct"));
  }
};

const std::vector<std::string> kNames = {
    "Window",     "Window tip",   "Push",     "Push tip",   "Check",      "Radio",
    "Tool",       "Tool action",  "Group",    "Group tip",  "Label",      "Label tip",
    "Panel",      "Tabs tip",     "Tab one",  "Tab two",    "Tab tip",    "Box item",
    "Bar",        "Bar action",   "Item one", "Item two",   "Choice tip", "Edit item",
    "Other item", "Typed item",   "Typed",    "Line",       "Line tip",   "Log",
    "Log tip",    "Grid",         "Header",   "Grid tip",   "Rich",       "Rich tip",
    "Page tip",   "Menu",         "Action",   "Tip action", "Action tip", "Sub",
    "Sub action", "Loose action", "Direct"};

struct Row {
  const char* what;
  std::function<QString(KindsWindow&)> shown;
  QString expected;
};

TEST(TranslateComponentTree, EveryKindTranslatedOnceOrLeftAlone) {
  const Dictionary dictionary = ChainedDictionary(kNames);
  KindsWindow w;
  gui::TranslateComponentTree(dictionary, w.window);

  const std::vector<Row> rows = {
      {"window title", [](auto& w) { return w.window.windowTitle(); }, "Window en"},
      {"window tip", [](auto& w) { return w.window.toolTip(); }, "Window tip en"},
      {"push button", [](auto& w) { return w.push->text(); }, "Push en"},
      {"push button tip", [](auto& w) { return w.push->toolTip(); }, "Push tip en"},
      {"check box", [](auto& w) { return w.check->text(); }, "Check en"},
      {"radio button", [](auto& w) { return w.radio->text(); }, "Radio en"},
      {"tool button", [](auto& w) { return w.tool->text(); }, "Tool en"},
      {"tool button of an action", [](auto& w) { return w.toolWithAction->text(); },
       "Tool action en"},
      {"group box", [](auto& w) { return w.group->title(); }, "Group en"},
      {"group box tip", [](auto& w) { return w.group->toolTip(); }, "Group tip en"},
      {"label in a group", [](auto& w) { return w.label->text(); }, "Label en"},
      {"label tip", [](auto& w) { return w.label->toolTip(); }, "Label tip en"},
      {"panel", [](auto& w) { return w.panel->text(); }, "Panel en"},
      {"tab control tip", [](auto& w) { return w.tabs->toolTip(); }, "Tabs tip en"},
      {"tab 1", [](auto& w) { return w.tabs->tabText(0); }, "Tab one en"},
      {"tab 2", [](auto& w) { return w.tabs->tabText(1); }, "Tab two en"},
      {"tab tip", [](auto& w) { return w.tabs->tabToolTip(1); }, "Tab tip en"},
      {"tool box item", [](auto& w) { return w.toolBox->itemText(0); }, "Box item en"},
      {"tool bar caption", [](auto& w) { return w.toolBar->windowTitle(); }, "Bar en"},
      {"tool bar action", [](auto& w) { return w.barAction->text(); }, "Bar action en"},
      {"choice item 1", [](auto& w) { return w.choice->itemText(0); }, "Item one en"},
      {"choice item 2", [](auto& w) { return w.choice->itemText(1); }, "Item two en"},
      {"choice shown", [](auto& w) { return w.choice->currentText(); }, "Item two en"},
      {"choice tip", [](auto& w) { return w.choice->toolTip(); }, "Choice tip en"},
      {"editable shown (also an item)", [](auto& w) { return w.editable->currentText(); },
       "Edit item en"},
      {"editable item", [](auto& w) { return w.editable->itemText(0); }, "Edit item en"},
      {"editable typed text", [](auto& w) { return w.typed->currentText(); }, "Typed en"},
      {"edit field", [](auto& w) { return w.edit->text(); }, "Line en"},
      {"edit field tip", [](auto& w) { return w.edit->toolTip(); }, "Line tip en"},
      {"spin box suffix", [](auto& w) { return w.spin->suffix(); }, " de"},
      {"log", [](auto& w) { return w.log->toPlainText(); }, "Log de"},
      {"log tip", [](auto& w) { return w.log->toolTip(); }, "Log tip de"},
      {"grid cell", [](auto& w) { return w.grid->item(0, 0)->text(); }, "Grid de"},
      {"grid header", [](auto& w) { return w.grid->horizontalHeaderItem(0)->text(); }, "Header de"},
      {"grid tip", [](auto& w) { return w.grid->toolTip(); }, "Grid tip de"},
      {"rich text", [](auto& w) { return w.rich->toPlainText(); }, "Rich de"},
      {"rich text tip", [](auto& w) { return w.rich->toolTip(); }, "Rich tip en"},
      {"page tip", [](auto& w) { return w.page->toolTip(); }, "Page tip de"},
      {"menu title", [](auto& w) { return w.menu->title(); }, "Menu en"},
      {"menu item", [](auto& w) { return w.menuAction->text(); }, "Action en"},
      {"menu item's own tip", [](auto& w) { return w.menuAction->toolTip(); }, "Action en"},
      {"menu item tip set apart", [](auto& w) { return w.tipAction->toolTip(); }, "Action tip en"},
      {"separator", [](auto& w) { return w.separator->text(); }, ""},
      {"sub-menu title", [](auto& w) { return w.subMenu->title(); }, "Sub en"},
      {"sub-menu item", [](auto& w) { return w.subAction->text(); }, "Sub action en"},
      {"item owned outside", [](auto& w) { return w.looseAction->text(); }, "Loose action en"},
      {"menu bar item", [](auto& w) { return w.direct->text(); }, "Direct en"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.shown(w), row.expected) << row.what;
}

TEST(TranslateComponentTree, ChangesNoChoiceAndSendsNoChangeSignal) {
  std::string text = "\"Null Peak\";\"Zero peak\"\r\n\"Peak Nullsetzen\";\"Zero peak\"\r\n";
  Dictionary dictionary;
  dictionary.LoadDictionaryText(text);
  dictionary.SortDictionary();
  QWidget form;
  auto* box = new QComboBox(&form);
  box->addItems({"Keine", "Null Peak", "Peak Nullsetzen"});
  box->setCurrentIndex(2);
  auto* edit = new QLineEdit("Null Peak", &form);
  int changes = 0;
  QObject::connect(box, &QComboBox::currentIndexChanged, [&] { ++changes; });
  QObject::connect(box, &QComboBox::currentTextChanged, [&] { ++changes; });
  QObject::connect(edit, &QLineEdit::textChanged, [&] { ++changes; });

  gui::TranslateComponentTree(dictionary, form);
  EXPECT_EQ(box->currentIndex(), 2);
  EXPECT_EQ(box->currentText(), QString("Zero peak"));
  EXPECT_EQ(box->count(), 3);
  EXPECT_EQ(box->itemText(0), QString("Keine"));
  EXPECT_EQ(edit->text(), QString("Zero peak"));
  EXPECT_EQ(changes, 0);
}

TEST(TranslateComponent, OnlyTheComponentItself) {
  const Dictionary dictionary = ChainedDictionary({"Group", "Label"});
  QWidget form;
  auto* group = new QGroupBox(De("Group"), &form);
  auto* label = new QLabel(De("Label"), group);
  gui::TranslateComponent(dictionary, *group);
  EXPECT_EQ(group->title(), QString("Group en"));
  EXPECT_EQ(label->text(), QString("Label de"));
}

TEST(TranslateAllForms, AWindowReachedTwiceIsTranslatedOnce) {
  const Dictionary dictionary = ChainedDictionary({"Main", "Dialog", "Button"});
  QWidget main;
  main.setWindowTitle(De("Main"));
  auto* dialog = new QWidget(&main, Qt::Dialog);  // a window and a child of another
  dialog->setWindowTitle(De("Dialog"));
  auto* button = new QPushButton(De("Button"), dialog);
  QWidget* forms[] = {&main, dialog};
  gui::TranslateAllForms(dictionary, forms);
  EXPECT_EQ(main.windowTitle(), QString("Main en"));
  EXPECT_EQ(dialog->windowTitle(), QString("Dialog en"));
  EXPECT_EQ(button->text(), QString("Button en"));
}

// The texts cross to the dictionary as Windows-1252.
TEST(TranslateQString, ThroughWindows1252) {
  Dictionary dictionary;
  dictionary.LoadDictionaryResource();
  dictionary.SortDictionary();
  const std::vector<std::pair<QString, QString>> rows = {
      {QString::fromUtf8("&Parameter öffnen"), "Open device parameter"},
      {QString::fromUtf8(" Geräte Informationen "), " Device information "},
      {QString::fromUtf8("PARAMETER ÖFFNEN"), QString::fromUtf8("PARAMETER ÖFFNEN")},
      {QString::fromUtf8("Lesen →"), QString::fromUtf8("Lesen →")},  // no Windows-1252 text
      {"Lesen:", "Read:"},
      {"-", "-"},
      {"", ""},
  };
  for (const auto& [text, expected] : rows) {
    EXPECT_EQ(gui::TranslateQString(dictionary, text), expected) << text.toStdString();
  }
  LanguageState state;
  EXPECT_EQ(gui::TranslateIfActive(dictionary, state, "Lesen"), QString("Lesen"));
  state.TranslationActive = true;
  EXPECT_EQ(gui::TranslateIfActive(dictionary, state, "Lesen"), QString("Read"));
}

}  // namespace
}  // namespace qel::testing
