// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The trend window's chart: the readings of a ReadingStore against time, in the unit the
// live readout shows, drawn from a min/max-decimated view (at most two points per pixel
// column), so a day of readings redraws as fast as a minute's. Redraws are gathered: new
// readings ask for one, which comes within kRedrawMs (later when redraws are costly).
//
// Time axis: "follow" keeps the newest reading at the right edge with a fixed span; "show
// all" keeps every stored reading in view as they grow; zooming or moving by hand holds
// the view where it is. Values fit the view unless zoomed by hand.
//   mouse: wheel zooms time at the pointer, Ctrl+wheel the values, dragging moves
//   keys:  Left/Right move, +/- zoom time, Up/Down zoom values, Home shows all, End follows

#include <QChartView>
#include <QTimer>
#include <array>
#include <optional>
#include <vector>

#include "core/record/reading_store.h"
#include "core/record/record_time.h"

class QDateTimeAxis;
class QLineSeries;
class QValueAxis;

namespace qel::gui {

class TrendChartView : public QChartView {
  Q_OBJECT

 public:
  enum class TimeView { Follow, All, Manual };
  static constexpr int kRedrawMs = 200;

  explicit TrendChartView(QWidget* parent = nullptr);

  // The readings to draw; their times are seconds from `origin`.
  void SetStore(const ReadingStore* store, const WallTime& origin);
  // The newest reading's range and unit: values are shown as the readout shows them.
  void SetDisplayUnit(int range, int unit);
  void SetTimeTitle(const QString& title);
  // The span "follow" shows, in seconds.
  void SetFollowSpan(double seconds);

  TimeView View() const { return view_; }
  void SetView(TimeView view);
  double ViewStart() const { return t0_; }
  double ViewEnd() const { return t1_; }
  QString UnitText() const { return unitText_; }

  // The series drawn in the current view (those with values in it), in store order.
  std::vector<std::size_t> ShownSeries() const { return shown_; }
  // A series' statistics over the view, in the shown unit.
  SeriesStats ShownStats(std::size_t series) const;
  QLineSeries* Series(std::size_t series) const { return series_[series]; }
  QValueAxis* ValueAxis() const { return valueAxis_; }
  QDateTimeAxis* TimeAxis() const { return timeAxis_; }

  // Asks for a redraw within kRedrawMs; several asks make one redraw.
  void RequestRedraw();
  void Redraw();

  void ZoomTime(double factor, std::optional<double> anchor = std::nullopt);
  void MoveTime(double fractionOfSpan);
  void ZoomValues(double factor);

 signals:
  // After every redraw: the view or the data in it may have changed.
  void Redrawn();
  // The user left "follow" or "show all" by zooming or moving.
  void ViewChangedByUser();

 protected:
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  double TimeAtX(qreal x) const;
  void SetManual();
  void PlaceTimeView();

  const ReadingStore* store_ = nullptr;
  WallTime origin_;
  double scale_ = 1.0;
  QString unitText_;
  QDateTimeAxis* timeAxis_ = nullptr;
  QValueAxis* valueAxis_ = nullptr;
  std::array<QLineSeries*, kTrendSeriesCount> series_{};
  std::vector<std::size_t> shown_;
  TimeView view_ = TimeView::Follow;
  double followSpan_ = 60.0;
  double t0_ = 0;
  double t1_ = 60.0;
  std::optional<std::pair<double, double>> values_;  // set by hand; else the view fits
  std::optional<QPointF> dragFrom_;
  double dragT0_ = 0;
  double dragT1_ = 0;
  QTimer redrawTimer_;
  qint64 lastRedrawMs_ = 0;
};

}  // namespace qel::gui
