// SPDX-License-Identifier: GPL-3.0-or-later
// The trend window over the in-process virtual instrument, driven by mouse and keys: its
// menu item, its fixed size in both languages, a recording whose file the statistics
// match, the one read shared with the live readout, zoom and pan, the PNG export.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>
#include <fstream>
#include <regex>
#include <sstream>

#include "../app/app_fixture.h"
#include "gui/trend/trend_chart.h"
#include "ui_QEL_Display_Frame_Unit.h"
#include "ui_TrendForm.h"

namespace qel::testing {
namespace {

using gui::TrendChartView;

gui::TTrendForm& OpenFromTheMenu(AppFixture& f) {
  f.app->ShowMainForm();
  QMenuBar& bar = *f.app->MainForm().menuBar();
  QMenu& service = *f.Form().Service1;
  QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.actionGeometry(service.menuAction()).center());
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&service));
  QAction& item = f.app->TrendMenuItem();
  QTest::mouseClick(&service, Qt::LeftButton, {}, service.actionGeometry(&item).center());
  EXPECT_TRUE(f.app->TrendForm().isVisible());
  return f.app->TrendForm();
}

void TypeInterval(gui::TTrendForm& trend, const QString& ms) {
  QSpinBox& box = *trend.Form().IntervallEdit;
  box.setFocus();
  QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(&box, ms);
  QTest::keyClick(&box, Qt::Key_Return);
}

void Click(QWidget* widget) {
  QTest::mouseClick(widget, Qt::LeftButton);
}

std::vector<std::string> FileLines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(TrendForm, MenuItemAndFixedSizeInBothLanguages) {
  for (const bool german : {true, false}) {
    AppFixture f("", german);
    // Beside "SCPI Test", in every mode.
    const auto actions = f.Form().Service1->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_EQ(actions.back(), &f.app->TrendMenuItem());
    EXPECT_EQ(actions[actions.size() - 2], f.Form().SCPITest1);
    EXPECT_EQ(f.app->TrendMenuItem().text(), german ? "Messwerte Verlauf" : "Reading trend");

    gui::TTrendForm& trend = OpenFromTheMenu(f);
    EXPECT_EQ(trend.windowTitle(), german ? "QEL11 Messwerte Verlauf" : "QEL11 Reading trend");
    EXPECT_EQ(trend.Form().AufzeichnenButton->text(), german ? "Aufzeichnen ..." : "Record ...");
    EXPECT_EQ(trend.minimumSize(), trend.maximumSize());
    const QPoint mainCentre = f.app->MainForm().frameGeometry().center();
    EXPECT_LE((trend.frameGeometry().center() - mainCentre).manhattanLength(), 3);
    // No caption is cut.
    for (QAbstractButton* b : trend.findChildren<QAbstractButton*>()) {
      EXPECT_GE(b->width(), b->sizeHint().width()) << b->text().toStdString();
    }
    for (QLabel* l : trend.findChildren<QLabel*>()) {
      EXPECT_GE(l->width(), l->sizeHint().width()) << l->text().toStdString();
    }
    for (QGroupBox* g : trend.findChildren<QGroupBox*>()) {
      EXPECT_GE(g->width(), g->fontMetrics().horizontalAdvance(g->title()) + 16)
          << g->title().toStdString();
    }
  }
}

TEST(TrendForm, RecordingFileAndStatisticsAgree) {
  AppFixture f;
  gui::TTrendForm& trend = OpenFromTheMenu(f);
  TempDir dir;
  const std::string path = dir.File("Messung 1.csv");
  trend.AskRecordingFile = [&] { return QString::fromStdString(path); };
  TypeInterval(trend, "100");
  Click(trend.Form().AufzeichnenButton);
  EXPECT_TRUE(trend.Running());
  EXPECT_FALSE(trend.Form().StartButton->isEnabled());
  QTest::qWait(1050);
  Click(trend.Form().BeendenButton);
  EXPECT_FALSE(trend.Recording());
  Click(trend.Form().StopButton);
  Click(trend.Form().AllesButton);
  trend.Chart().Redraw();

  const auto lines = FileLines(path);
  ASSERT_GE(lines.size(), 6u + 8);
  EXPECT_EQ(lines[0], "# instrument: KORVAL,QEL11,11230042,1.07");
  EXPECT_TRUE(lines[3].rfind("# recorded by: qel11-config ", 0) == 0) << lines[3];
  const std::regex row(R"([^,]+,(\d+\.\d{3}),DC,1,T,([-+.\dE]+),,,,,,,,ok)");
  std::vector<double> mT;
  double lastElapsed = -1;
  for (std::size_t i = 6; i < lines.size(); ++i) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[i], m, row)) << lines[i];
    EXPECT_GE(std::stod(m[1]), lastElapsed + 0.095) << lines[i];  // one interval apart
    lastElapsed = std::stod(m[1]);
    mT.push_back(std::stod(m[2]) * 1000);
  }
  EXPECT_EQ(trend.Form().DateiLabel->text(), QString("%1 Zeilen in Messung 1.csv").arg(mT.size()));
  // The statistics of the whole recording, as the file says.
  double mean = 0;
  for (double v : mT) mean += v;
  mean /= mT.size();
  QTableWidget& grid = *trend.Form().StatistikGrid;
  const QLocale locale = QLocale::system();
  EXPECT_EQ(grid.item(0, 0)->text().toStdString(), std::to_string(mT.size()));
  EXPECT_NEAR(locale.toDouble(grid.item(0, 1)->text()), *std::min_element(mT.begin(), mT.end()),
              1e-4);
  EXPECT_NEAR(locale.toDouble(grid.item(0, 2)->text()), *std::max_element(mT.begin(), mT.end()),
              1e-4);
  EXPECT_NEAR(locale.toDouble(grid.item(0, 3)->text()), mean, 1e-4);
  EXPECT_EQ(grid.item(1, 0)->text(), "");  // no AC in DC mode
  EXPECT_EQ(trend.Form().StatistikGroupBox->title(), " Statistik der Anzeige [mT] ");
}

TEST(TrendForm, SharesTheReadOfTheLiveReadout) {
  AppFixture f;
  gui::TTrendForm& trend = OpenFromTheMenu(f);
  TypeInterval(trend, "500");
  Click(f.Form().QEL_Display_Frame1->Form().Refresh);  // the readout refreshes every 500 ms
  Click(trend.Form().StartButton);
  f.sim->ClearReceived();
  QTest::qWait(2600);
  Click(trend.Form().StopButton);
  const auto lines = f.Lines();
  const auto reads = std::count(lines.begin(), lines.end(), "mode?");
  // One stream of reads at 500 ms, not one for each window.
  EXPECT_GE(reads, 4);
  EXPECT_LE(reads, 7);
  EXPECT_GE(trend.Store().Size(), 5u);
}

TEST(TrendForm, ZoomAndPanWithKeysAndMouse) {
  AppFixture f;
  gui::TTrendForm& trend = OpenFromTheMenu(f);
  TypeInterval(trend, "50");
  Click(trend.Form().StartButton);
  QTest::qWait(600);
  Click(trend.Form().StopButton);
  TrendChartView& chart = trend.Chart();
  QCheckBox& follow = *trend.Form().FolgenCheckBox;
  ASSERT_TRUE(follow.isChecked());

  QTest::keyClick(&chart, Qt::Key_Home);  // all readings
  EXPECT_EQ(chart.View(), TrendChartView::TimeView::All);
  EXPECT_FALSE(follow.isChecked());
  EXPECT_DOUBLE_EQ(chart.ViewStart(), trend.Store().FirstTime());
  const double span = chart.ViewEnd() - chart.ViewStart();
  QTest::keyClick(&chart, Qt::Key_Plus);
  EXPECT_NEAR(chart.ViewEnd() - chart.ViewStart(), span * 0.8, 1e-9);
  EXPECT_EQ(chart.View(), TrendChartView::TimeView::Manual);
  const double start = chart.ViewStart();
  QTest::keyClick(&chart, Qt::Key_Right);
  EXPECT_NEAR(chart.ViewStart(), start + span * 0.08, 1e-9);

  // Wheel at the plot's left edge: that moment stays where it is.
  const QRectF plot = chart.chart()->plotArea();
  const QPointF at = chart.mapFromScene(chart.chart()->mapToScene(plot.topLeft())) + QPointF(1, 10);
  const double before = chart.ViewStart();
  QWheelEvent wheel(at, chart.mapToGlobal(at.toPoint()), {}, {0, 120}, Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(chart.viewport(), &wheel);
  EXPECT_NEAR(chart.ViewStart(), before, (chart.ViewEnd() - chart.ViewStart()) * 0.01);

  // Dragging to the left shows later readings.
  const double dragStart = chart.ViewStart();
  const QPoint middle = plot.center().toPoint();
  QTest::mousePress(chart.viewport(), Qt::LeftButton, {}, middle);
  QTest::mouseMove(chart.viewport(), middle - QPoint(static_cast<int>(plot.width() / 4), 0));
  QTest::mouseRelease(chart.viewport(), Qt::LeftButton, {},
                      middle - QPoint(static_cast<int>(plot.width() / 4), 0));
  EXPECT_GT(chart.ViewStart(), dragStart);

  QTest::keyClick(&chart, Qt::Key_End);
  EXPECT_TRUE(follow.isChecked());
  EXPECT_NEAR(chart.ViewEnd(), std::max(trend.Store().LastTime(), 60.0), 1e-9);
}

TEST(TrendForm, ChartAsPngAndAFileThatCannotBeWritten) {
  AppFixture f;
  gui::TTrendForm& trend = OpenFromTheMenu(f);
  std::vector<QString> errors;
  trend.ReportError = [&](const QString& e) { errors.push_back(e); };
  TempDir dir;
  trend.AskImageFile = [&] { return QString::fromStdString(dir.File("chart.png")); };
  Click(trend.Form().BildButton);
  const QImage image(QString::fromStdString(dir.File("chart.png")));
  EXPECT_EQ(image.size(), trend.Chart().size());

  trend.AskRecordingFile = [] { return QStringLiteral("/dev/full"); };
  Click(trend.Form().AufzeichnenButton);
  EXPECT_EQ(errors, std::vector<QString>{"In /dev/full kann nicht geschrieben werden"});
  EXPECT_FALSE(trend.Recording());
  trend.AskImageFile = [] { return QStringLiteral("/nonexistent-folder/x.png"); };
  Click(trend.Form().BildButton);
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1], "In /nonexistent-folder/x.png kann nicht geschrieben werden");
}

}  // namespace
}  // namespace qel::testing
