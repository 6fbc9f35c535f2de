// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/trend/trend_chart.h"

#include <QDateTime>
#include <QDateTimeAxis>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QMouseEvent>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

#include "core/pages/display_readout.h"

namespace qel::gui {
namespace {

// In LiveValue order.
constexpr std::array<const char*, kTrendSeriesCount> kSeriesNames = {"DC",
                                                                     "AC",
                                                                     "Fast Peak min",
                                                                     "Fast Peak max",
                                                                     "Fast Peak abs",
                                                                     "Slow Peak min",
                                                                     "Slow Peak max",
                                                                     "Slow Peak abs"};

constexpr double kMinSpan = 0.01;                // seconds
constexpr double kMaxSpan = 10.0 * 366 * 86400;  // ten years
constexpr double kZoomStep = 0.8;                // one wheel notch or key press
constexpr double kMoveStep = 0.1;                // of the span, per arrow key

}  // namespace

TrendChartView::TrendChartView(QWidget* parent) : QChartView(parent) {
  auto* chart = new QChart();
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  // Value labels with the user's decimal separator, as the readout shows them.
  chart->setLocale(QLocale::system());
  chart->setLocalizeNumbers(true);
  timeAxis_ = new QDateTimeAxis(chart);
  timeAxis_->setTickCount(7);
  valueAxis_ = new QValueAxis(chart);
  chart->addAxis(timeAxis_, Qt::AlignBottom);
  chart->addAxis(valueAxis_, Qt::AlignLeft);
  for (std::size_t s = 0; s < kTrendSeriesCount; ++s) {
    series_[s] = new QLineSeries(chart);
    series_[s]->setName(QString::fromLatin1(kSeriesNames[s]));
    chart->addSeries(series_[s]);
    series_[s]->attachAxis(timeAxis_);
    series_[s]->attachAxis(valueAxis_);
    series_[s]->setVisible(false);
    // Bevel joins: the decimated view turns sharply at every pixel column, and rounded or
    // mitred joins cost most of a redraw there.
    QPen pen = series_[s]->pen();
    pen.setJoinStyle(Qt::BevelJoin);
    pen.setCapStyle(Qt::FlatCap);
    series_[s]->setPen(pen);
  }
  setChart(chart);
  setRenderHint(QPainter::Antialiasing);
  setRubberBand(QChartView::NoRubberBand);
  setFocusPolicy(Qt::StrongFocus);
  redrawTimer_.setSingleShot(true);
  connect(&redrawTimer_, &QTimer::timeout, this, &TrendChartView::Redraw);
}

void TrendChartView::SetStore(const ReadingStore* store, const WallTime& origin) {
  store_ = store;
  origin_ = origin;
  RequestRedraw();
}

void TrendChartView::SetDisplayUnit(int range, int unit) {
  scale_ = ReadingScale(range, unit);
  unitText_ = QString::fromStdString(ReadingUnitText(range, unit));
}

void TrendChartView::SetTimeTitle(const QString& title) {
  timeAxis_->setTitleText(title);
}

void TrendChartView::SetFollowSpan(double seconds) {
  followSpan_ = std::clamp(seconds, kMinSpan, kMaxSpan);
  RequestRedraw();
}

void TrendChartView::SetView(TimeView view) {
  view_ = view;
  values_.reset();
  Redraw();
}

void TrendChartView::SetManual() {
  if (view_ == TimeView::Manual) return;
  view_ = TimeView::Manual;
  emit ViewChangedByUser();
}

SeriesStats TrendChartView::ShownStats(std::size_t series) const {
  SeriesStats stats;
  if (store_ == nullptr) return stats;
  stats = store_->Stats(series, t0_, t1_);
  stats.min *= scale_;
  stats.max *= scale_;
  stats.mean *= scale_;
  stats.stddev *= std::fabs(scale_);
  return stats;
}

// A costly view (many readings in it) is redrawn less often, so that redrawing never
// takes more than about 4 % of the time.
void TrendChartView::RequestRedraw() {
  if (redrawTimer_.isActive()) return;
  redrawTimer_.start(std::max(kRedrawMs, 25 * static_cast<int>(lastRedrawMs_)));
}

void TrendChartView::PlaceTimeView() {
  const bool empty = store_ == nullptr || store_->Empty();
  switch (view_) {
    case TimeView::Follow:
      t1_ = empty ? followSpan_ : std::max(store_->LastTime(), followSpan_);
      t0_ = t1_ - followSpan_;
      break;
    case TimeView::All:
      t0_ = empty ? 0.0 : store_->FirstTime();
      t1_ = empty ? followSpan_ : std::max(store_->LastTime(), t0_ + 1.0);
      break;
    case TimeView::Manual:
      break;
  }
}

void TrendChartView::Redraw() {
  redrawTimer_.stop();
  QElapsedTimer took;
  took.start();
  PlaceTimeView();
  const int columns = std::max(50, static_cast<int>(chart()->plotArea().width()) / 2);
  const auto originMs = static_cast<double>(origin_.unixMs);
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  bool decimated = false;
  shown_.clear();
  for (std::size_t s = 0; s < kTrendSeriesCount; ++s) {
    QList<QPointF> points;
    bool inView = false;
    if (store_ != nullptr) {
      const auto view = store_->Decimated(s, t0_, t1_, columns);
      // Columns of minimum and maximum are vertical strokes: smoothing them costs much
      // and shows nothing.
      decimated = decimated || view.size() > static_cast<std::size_t>(columns);
      points.reserve(static_cast<qsizetype>(view.size()));
      for (const TrendPoint& p : view) {
        const double v = p.v * scale_;
        points.append(QPointF(originMs + p.t * 1000.0, v));
        if (p.t < t0_ || p.t > t1_) continue;
        inView = true;
        low = std::min(low, v);
        high = std::max(high, v);
      }
    }
    if (inView) shown_.push_back(s);
    series_[s]->replace(points);
    series_[s]->setVisible(inView);
    for (QLegendMarker* marker : chart()->legend()->markers(series_[s])) marker->setVisible(inView);
  }
  setRenderHint(QPainter::Antialiasing, !decimated);
  timeAxis_->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(originMs + t0_ * 1000)),
                      QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(originMs + t1_ * 1000)));
  const double span = t1_ - t0_;
  timeAxis_->setFormat(span <= 300         ? QStringLiteral("hh:mm:ss")
                       : span <= 2 * 86400 ? QStringLiteral("hh:mm")
                                           : QStringLiteral("dd.MM. hh:mm"));
  if (values_) {
    valueAxis_->setRange(values_->first, values_->second);
  } else if (low <= high) {
    const double margin = std::max((high - low) * 0.05, std::max(std::fabs(high), 1e-12) * 1e-3);
    valueAxis_->setRange(low - margin, high + margin);
    valueAxis_->applyNiceNumbers();
  } else {
    valueAxis_->setRange(-1, 1);
  }
  valueAxis_->setTitleText(unitText_);
  lastRedrawMs_ = took.elapsed();
  emit Redrawn();
}

void TrendChartView::ZoomTime(double factor, std::optional<double> anchor) {
  if (view_ == TimeView::Follow) {
    followSpan_ = std::clamp(followSpan_ * factor, kMinSpan, kMaxSpan);
  } else {
    const double a = anchor.value_or((t0_ + t1_) / 2);
    const double span = std::clamp((t1_ - t0_) * factor, kMinSpan, kMaxSpan);
    const double left = (t1_ > t0_) ? (a - t0_) / (t1_ - t0_) : 0.5;
    t0_ = a - left * span;
    t1_ = t0_ + span;
    SetManual();
  }
  Redraw();
}

void TrendChartView::MoveTime(double fractionOfSpan) {
  const double shift = (t1_ - t0_) * fractionOfSpan;
  t0_ += shift;
  t1_ += shift;
  SetManual();
  Redraw();
}

void TrendChartView::ZoomValues(double factor) {
  const double low = values_ ? values_->first : valueAxis_->min();
  const double high = values_ ? values_->second : valueAxis_->max();
  const double middle = (low + high) / 2;
  const double half = std::max((high - low) / 2 * factor, 1e-15);
  values_ = std::make_pair(middle - half, middle + half);
  Redraw();
}

double TrendChartView::TimeAtX(qreal x) const {
  const QRectF plot = chart()->plotArea();
  const QPointF inChart = chart()->mapFromScene(mapToScene(QPoint(static_cast<int>(x), 0)));
  const double fraction = plot.width() > 0 ? (inChart.x() - plot.left()) / plot.width() : 0.5;
  return t0_ + std::clamp(fraction, 0.0, 1.0) * (t1_ - t0_);
}

void TrendChartView::wheelEvent(QWheelEvent* event) {
  const double steps = event->angleDelta().y() / 120.0;
  if (steps == 0) return;
  const double factor = std::pow(kZoomStep, steps);
  if (event->modifiers() & Qt::ControlModifier) {
    ZoomValues(factor);
  } else {
    ZoomTime(factor, TimeAtX(event->position().x()));
  }
  event->accept();
}

void TrendChartView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QChartView::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  dragFrom_ = event->position();
  dragT0_ = t0_;
  dragT1_ = t1_;
  event->accept();
}

void TrendChartView::mouseMoveEvent(QMouseEvent* event) {
  if (!dragFrom_) return QChartView::mouseMoveEvent(event);
  const double width = chart()->plotArea().width();
  if (width <= 0) return;
  const double dx = event->position().x() - dragFrom_->x();
  if (std::fabs(dx) < 1) return;
  const double shift = -dx / width * (dragT1_ - dragT0_);
  t0_ = dragT0_ + shift;
  t1_ = dragT1_ + shift;
  SetManual();
  Redraw();
  event->accept();
}

void TrendChartView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !dragFrom_) return QChartView::mouseReleaseEvent(event);
  dragFrom_.reset();
  event->accept();
}

void TrendChartView::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Left:
      MoveTime(-kMoveStep);
      break;
    case Qt::Key_Right:
      MoveTime(kMoveStep);
      break;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      ZoomTime(kZoomStep);
      break;
    case Qt::Key_Minus:
      ZoomTime(1 / kZoomStep);
      break;
    case Qt::Key_Up:
      ZoomValues(kZoomStep);
      break;
    case Qt::Key_Down:
      ZoomValues(1 / kZoomStep);
      break;
    case Qt::Key_Home:
      SetView(TimeView::All);
      emit ViewChangedByUser();
      break;
    case Qt::Key_End:
      SetView(TimeView::Follow);
      emit ViewChangedByUser();
      break;
    default:
      return QChartView::keyPressEvent(event);
  }
  event->accept();
}

void TrendChartView::resizeEvent(QResizeEvent* event) {
  QChartView::resizeEvent(event);
  RequestRedraw();
}

}  // namespace qel::gui
