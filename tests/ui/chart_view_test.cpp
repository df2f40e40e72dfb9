// The chart viewer: zoom by 1.2 with truncation, restore and fit, the drag and its limits.
#include "methods/CDJSJ/chart_view.h"

#include "support/app_dir_fixture.h"

#include <QMenu>
#include <QTest>

namespace {

ChartView::Names names() {
  return {QStringLiteral("yg1pnl"), QStringLiteral("yg1image2"), QStringLiteral("yg1label"),
          QStringLiteral("yg1PopupMenu"), QStringLiteral("N4"), QStringLiteral("N5"), QStringLiteral("N7")};
}

// The type-0 chart at rest: a 345 × 409 box at (8, 0) in a 361 × 413 panel.
class ChartViewTest : public ::testing::Test {
protected:
  void SetUp() override {
    view.picture()->SetImage(QImage(1200, 1420, QImage::Format_RGB32));
    view.show();
  }
  QRect box() const { return view.picture()->geometry(); }
  ChartView view{names(), {361, 413}, {8, 0, 345, 409}};
};

TEST_F(ChartViewTest, ZoomInThenOutWithTruncation) {
  view.zoomInAction->trigger();
  EXPECT_EQ(box(), QRect(-26, -38, 414, 490));
  EXPECT_EQ(view.overlay()->toolTip(), QStringLiteral("拖动鼠标可查看全部图像"));
  EXPECT_TRUE(view.picture()->stretch);
  view.zoomOutAction->trigger();
  EXPECT_EQ(box(), QRect(8, 2, 345, 408));
  EXPECT_TRUE(view.overlay()->toolTip().isEmpty());
}

TEST_F(ChartViewTest, MenuCarriesTheThreeCommands) {
  const QList<QAction*> actions = view.menu()->actions();
  ASSERT_EQ(actions.size(), 4);
  EXPECT_EQ(actions[0]->text(), QStringLiteral("放大"));
  EXPECT_EQ(actions[1]->text(), QStringLiteral("缩小"));
  EXPECT_TRUE(actions[2]->isSeparator());
  EXPECT_EQ(actions[3]->text(), QStringLiteral("还原"));
  EXPECT_EQ(view.findChild<QMenu*>(QStringLiteral("yg1PopupMenu")), view.menu());
}

struct RestoreCase {
  QSize picture;
  QRect box;
};

class RestoreTest : public ChartViewTest, public ::testing::WithParamInterface<RestoreCase> {};

TEST_P(RestoreTest, FitsOrCentres) {
  view.picture()->SetImage(QImage(GetParam().picture, QImage::Format_RGB32));
  view.zoomInAction->trigger();
  view.restoreAction->trigger();
  EXPECT_EQ(box(), GetParam().box);
  EXPECT_TRUE(view.overlay()->toolTip().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, RestoreTest,
    ::testing::Values(RestoreCase{{600, 300}, {0, 116, 361, 180}},      // wider: fit the width
                      RestoreCase{{1200, 1420}, {6, 0, 349, 413}},     // larger both ways, relatively taller
                      RestoreCase{{300, 900}, {112, 0, 137, 413}},     // taller only: fit the height
                      RestoreCase{{200, 100}, {80, 156, 200, 100}},    // smaller: own size, centred
                      RestoreCase{{361, 500}, {0, -43, 361, 500}}));   // as wide, taller: cut, centred

TEST_F(ChartViewTest, DragFollowsThePointerWithinTheLimits) {
  view.zoomInAction->trigger();  // 414 × 490 at (−26, −38)
  QLabel* overlay = view.overlay();
  QTest::mousePress(overlay, Qt::LeftButton, {}, {100, 100});
  QTest::mouseMove(overlay, {110, 95});
  // mouseMove of QTest carries no buttons: drive the drag with the button held.
  DragChart(view, Qt::LeftButton, 110, 95);
  EXPECT_EQ(box().topLeft(), QPoint(-16, -43));
  DragChart(view, Qt::LeftButton, 5000, 5000);  // far right and down: the left and top edges at 0
  EXPECT_EQ(box().topLeft(), QPoint(0, 0));
  DragChart(view, Qt::LeftButton, -5000, -5000);  // far left and up: the right and bottom edges at the panel's
  EXPECT_EQ(box().topLeft(), QPoint(361 - 414, 413 - 490));
  QTest::mouseRelease(overlay, Qt::LeftButton, {}, {100, 100});
}

TEST_F(ChartViewTest, OnlyTheLeftButtonDrags) {
  view.zoomInAction->trigger();
  BeginChartDrag(view, Qt::LeftButton, 100, 100);
  BeginChartDrag(view, Qt::RightButton, 300, 300);  // starts nothing: the press point stays
  DragChart(view, Qt::RightButton, 120, 120);        // moves nothing without the left button
  EXPECT_EQ(box().topLeft(), QPoint(-26, -38));
  DragChart(view, Qt::LeftButton, 110, 110);
  EXPECT_EQ(box().topLeft(), QPoint(-16, -28));
}

TEST_F(ChartViewTest, NoDragWhereTheBoxIsNotLarger) {
  view.picture()->SetImage(QImage(600, 300, QImage::Format_RGB32));
  view.restoreAction->trigger();  // 361 × 180 at (0, 116): as wide as the panel, lower
  BeginChartDrag(view, Qt::LeftButton, 100, 100);
  DragChart(view, Qt::LeftButton, 50, 150);
  EXPECT_EQ(box().topLeft(), QPoint(0, 116));
}

}  // namespace
