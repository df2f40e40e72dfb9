// The exact reading drawn over a design chart: a thin cross-hair through each value the chart
// has for the designer's input, and a small caption with the values. It lies between the
// chart's picture and the viewer's overlay and follows the picture through zoom and drag.
#pragma once

#include "link/chart_axes.h"
#include "methods/CDJSJ/chart_readings.h"

#include <QWidget>
#include <optional>

class ChartPicture;
class ChartView;

// Where a pixel of the chart appears in the viewer's panel: the box shows the picture scaled
// to its rectangle when stretching, at its own scale from its corner otherwise.
QPointF ChartToPanel(const ChartPicture& box, QPointF pixel);

class ChartMarks : public QWidget {
  Q_OBJECT
public:
  explicit ChartMarks(ChartView& view);

  // Reads the axis file of the chart now shown; without one (or unreadable) nothing is marked.
  void LoadAxes(const QString& path);
  void SetReading(const ChartReading& reading);
  const ChartReading& Reading() const { return m_reading; }

  // The point of a mark in the panel; none when the chart has no plot of its quantity or no
  // picture is loaded.
  std::optional<QPointF> PanelPoint(const ChartMark& mark) const;
  // The caption's rectangle in the panel (empty when there is nothing to say).
  QRect CaptionRect() const;

  static const QColor kColour;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  ChartView& m_view;
  std::optional<ChartAxes> m_axes;
  ChartReading m_reading;
};
