#include "design/check_page.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

CheckPlotView::CheckPlotView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("CheckPlot"));
  setMinimumHeight(170);
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, Qt::white);
  setPalette(palette);
}

void CheckPlotView::setPlot(std::optional<CheckPlot> plot) {
  m_plot = std::move(plot);
  update();
}

void CheckPlotView::paintEvent(QPaintEvent*) {
  if (!m_plot || m_plot->curve.empty()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  DrawCheckPlot(painter, QRectF(rect()).adjusted(4, 4, -4, -4), *m_plot);
}

CheckPage::CheckPage(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("CheckPage"));
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  CheckTable = new QTableWidget(0, int(CheckColumnTitles().size()), this);
  CheckTable->setObjectName(QStringLiteral("CheckTable"));
  CheckTable->setHorizontalHeaderLabels(CheckColumnTitles());
  CheckTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  CheckTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  CheckTable->verticalHeader()->hide();
  CheckTable->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  CheckTable->horizontalHeader()->setStretchLastSection(true);
  CheckPlot = new CheckPlotView(this);
  column->addWidget(CheckTable, 3);
  column->addWidget(CheckPlot, 2);
}

void CheckPage::setResult(const DesignCheckResult& result) {
  m_result = result;
  CheckTable->setRowCount(int(result.rows.size()));
  for (int r = 0; r < int(result.rows.size()); ++r) {
    const CheckRow& row = result.rows[r];
    const QString cells[] = {row.item, row.asked, row.achieved, row.deviation, VerdictText(row.verdict)};
    for (int c = 0; c < 5; ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (c == 4 && (row.verdict == CheckVerdict::NotMet || row.verdict == CheckVerdict::Low))
        item->setForeground(row.verdict == CheckVerdict::NotMet ? Qt::red : QColor(200, 110, 0));
      CheckTable->setItem(r, c, item);
    }
  }
  CheckPlot->setPlot(result.plot);
}

void CheckPage::clear() {
  m_result.reset();
  CheckTable->setRowCount(0);
  CheckPlot->setPlot(std::nullopt);
}
