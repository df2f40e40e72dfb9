// The "设计校核" page of a design window: what the design asked beside what its linkage does, one
// row per check, and under the table the plot of the quantity that matters most.
#pragma once

#include "link/design_check.h"

#include <QWidget>
#include <optional>

class QTableWidget;

class CheckPlotView : public QWidget {
public:
  explicit CheckPlotView(QWidget* parent = nullptr);
  void setPlot(std::optional<CheckPlot> plot);
  const std::optional<CheckPlot>& plot() const { return m_plot; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  std::optional<CheckPlot> m_plot;
};

class CheckPage : public QWidget {
public:
  explicit CheckPage(QWidget* parent = nullptr);
  void setResult(const DesignCheckResult& result);
  void clear();
  const std::optional<DesignCheckResult>& result() const { return m_result; }

  QTableWidget* CheckTable;
  CheckPlotView* CheckPlot;

private:
  std::optional<DesignCheckResult> m_result;
};
