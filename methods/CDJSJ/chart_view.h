// The design-chart viewer of the transmission-angle window: a fixed panel with the chart
// picture inside and a transparent overlay on top that takes the mouse and carries the menu
// "放大", "缩小", "还原". A picture larger than the panel is dragged with the left button.
#pragma once

#include <QImage>
#include <QLabel>
#include <QWidget>

class QAction;
class QMenu;

// The picture control of a chart: drawn at its own scale from the top-left corner and cut at
// its edges, or scaled to its rectangle when stretching.
class ChartPicture : public QWidget {
  Q_OBJECT
public:
  using QWidget::QWidget;
  // Loads the file when it exists; the box keeps its size and mode.
  bool LoadFile(const QString& path);
  void SetImage(const QImage& image) { m_image = image; update(); }
  const QImage& image() const { return m_image; }
  bool stretch = false;
  bool autoSize = false;  // own-size: the box takes the picture's size

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QImage m_image;
};

class ChartView : public QWidget {
  Q_OBJECT
public:
  struct Names {
    QString panel, picture, overlay, menu, zoomIn, zoomOut, restore;
  };
  // A panel of the given size with its picture box at `box` (inside the panel).
  ChartView(const Names& names, QSize panelSize, QRect box, QWidget* parent = nullptr);

  ChartPicture* picture() const { return m_picture; }
  QLabel* overlay() const { return m_overlay; }
  QMenu* menu() const { return m_menu; }
  QAction *zoomInAction, *zoomOutAction, *restoreAction;
  // Shows the menu on the picture control as well (the crank-slider chart).
  void menuOnPicture();

signals:
  // Marks drawn over the chart follow the box: the window repaints them on every change.
  void boxChanged();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  ChartPicture* m_picture;
  QLabel* m_overlay;
  QMenu* m_menu;
};

void ZoomChartIn(ChartView& view);
void ZoomChartOut(ChartView& view);
void RestoreChart(ChartView& view);
void FitChart(ChartView& view);
void BeginChartDrag(ChartView& view, Qt::MouseButton button, int x, int y);
void DragChart(ChartView& view, Qt::MouseButtons buttons, int x, int y);
