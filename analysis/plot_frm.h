// The plot window of an analysis: the driven member's position, velocity and acceleration over
// the input angle on stacked charts with real axes, for four-bars also the coupler point E; a
// cursor with the values under it, the animation's angle, zoom, and export as PNG, SVG and CSV.
#pragma once

#include "link/motion_data.h"

#include <QWidget>
#include <functional>
#include <vector>

class QChart;
class QLabel;
class QPushButton;
class QTabWidget;
class PlotChartView;

class TPlotFrm : public QWidget {
  Q_OBJECT

public:
  explicit TPlotFrm(QWidget* parent = nullptr);

  // Samples the linkage over the settings' range; may throw the float error of the sampling.
  void setMotion(MotionTableKind kind, const Linkage& linkage, const MotionSettings& settings);
  // The animation's current input angle in degrees, marked on every chart.
  void setAnimationAngle(Extended degrees);
  // The cursor at this input angle (degrees): the line on every chart and the readout.
  void showCursor(Extended degrees);

  void resetZoom();  // "还原"
  void exportPng();
  void exportSvg();
  void exportData();

  const std::vector<MotionRow>& rows() const { return m_rows; }
  QString readout() const;
  static QString KindCaption(MotionTableKind kind);

  QTabWidget* tabCharts;
  QLabel* lblReadout;
  QPushButton *btnReset, *btnPng, *btnSvg, *btnCsv;

private:
  struct Curve {
    QString title, unit;
    std::function<Extended(const MotionRow&)> value;
  };
  std::vector<Curve> curvesOf(MotionTableKind kind) const;
  void buildCharts();
  void syncRange(Extended min, Extended max);
  QWidget* currentPage() const;

  MotionTableKind m_kind = MotionTableKind::CrankRocker;
  Linkage m_linkage;
  MotionSettings m_settings;
  std::vector<MotionRow> m_rows;
  std::vector<PlotChartView*> m_views;
  std::vector<Curve> m_curves;  // one per view
  Extended m_lo = 0, m_hi = 1;  // the whole input range, degrees
  Extended m_cursor = 0;
  bool m_hasCursor = false;
  bool m_syncing = false;
};
