// The linkage workbench driven by object name: refused inputs, dragging E, the CSV export,
// and the ways in from the main window and from an analysis panel.
#include "analysis/analysis_panel.h"
#include "app/main_frm.h"
#include "base/numfmt.h"
#include "support/app_dir_fixture.h"
#include "workbench/linkage_frm.h"
#include "workbench/linkage_view.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <cmath>
#include <tuple>

namespace {

class WorkbenchTest : public AppDirTest {
protected:
  void SetUp() override {
    AppDirTest::SetUp();
    m_frm = new TLinkageFrm;
    m_frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_frm));
  }
  void TearDown() override {
    delete m_frm;
    AppDirTest::TearDown();
  }
  QLineEdit* edit(const char* name) const { return m_frm->findChild<QLineEdit*>(QString::fromLatin1(name)); }

  TLinkageFrm* m_frm = nullptr;
};

struct BadInput {
  const char* field;
  const char* text;
  const char* reason;
};

TEST_F(WorkbenchTest, BadInputIsMarkedAtItsFieldAndTheLastGoodDrawingStays) {
  const BadInput rows[] = {{"edtA", "4o", "不是有效的数值"},
                           {"edtB", "0", "长度必须大于零"},
                           {"edtD", "-100", "长度必须大于零"},
                           {"edtD", "300", "所给尺寸不能构成四边形，也不能构成机构！"},
                           {"edtBE", "-1", "不能为负"},
                           {"edtDelta", "", "不是有效的数值"},
                           {"edtOmega", "0", "角速度不能为零"},
                           {"edtA", "1e4000", "数值超出范围"}};
  const QPolygonF drawn = m_frm->view->scene().path;
  ASSERT_EQ(drawn.size(), TLinkageFrm::kIntervals + 1);
  for (const BadInput& row : rows) {
    SCOPED_TRACE(std::string(row.field) + " = " + row.text);
    QLineEdit* field = edit(row.field);
    const QString good = field->text();
    field->setText(QString::fromUtf8(row.text));
    EXPECT_EQ(TLinkageFrm::MarkOf(field), QString::fromUtf8(row.reason));
    EXPECT_TRUE(m_frm->lblError->text().contains(QString::fromUtf8(row.reason)));
    EXPECT_EQ(m_frm->view->scene().path, drawn);
    field->setText(good);
    EXPECT_TRUE(TLinkageFrm::MarkOf(field).isEmpty());
    EXPECT_TRUE(m_frm->lblError->text().isEmpty());
  }
  EXPECT_TRUE(Scripted().errors.isEmpty());
}

// E taken with the mouse lands where the pointer leaves it, at the distance from B and the
// angle against BC its fields now show; the curve follows.
TEST_F(WorkbenchTest, DraggingEChangesBEAndDeltaAndTheCurve) {
  LinkageView* view = m_frm->view;
  const CouplerPose before = view->scene().pose;
  const QPolygonF curve = view->scene().path;
  const QTransform t = view->transform();
  const QPoint from = t.map(QPointF(double(before.Ex), double(before.Ey))).toPoint();
  const QPoint to = from + QPoint(-40, 25);
  QTest::mousePress(view, Qt::LeftButton, {}, from);
  QTest::mouseMove(view, from + QPoint(-20, 12));
  QTest::mouseMove(view, to);
  QTest::mouseRelease(view, Qt::LeftButton, {}, to);

  const QPointF target = t.inverted().map(QPointF(to));
  const CouplerPose after = view->scene().pose;
  EXPECT_NEAR(after.Ex, target.x(), 2e-3);
  EXPECT_NEAR(after.Ey, target.y(), 2e-3);
  EXPECT_NEAR(after.Bx, before.Bx, 1e-9);  // the linkage itself stayed where it was
  const double be = std::hypot(target.x() - double(before.Bx), target.y() - double(before.By));
  const double bc = std::atan2(double(before.Cy - before.By), double(before.Cx - before.Bx));
  const double delta = std::remainder(std::atan2(target.y() - double(before.By), target.x() - double(before.Bx)) - bc,
                                      2 * M_PI) * 180 / M_PI;
  EXPECT_NEAR(edit("edtBE")->text().toDouble(), be, 1e-3);
  EXPECT_NEAR(edit("edtDelta")->text().toDouble(), delta, 1e-3);
  EXPECT_NE(view->scene().path, curve);
}

TEST_F(WorkbenchTest, CsvOfThePathStartsWithAByteOrderMarkAndTheChineseHeader) {
  const QString path = AppDir() + QStringLiteral("result/e.csv");
  Scripted().saveResults.push_back(path);
  QTest::mouseClick(m_frm->btnCsv, Qt::LeftButton);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF\xCF\x86(\xC2\xB0),x(mm),y(mm),vx(mm/s),vy(mm/s),ax(mm/s\xC2\xB2),ay(mm/s\xC2\xB2)\r\n"));
  EXPECT_EQ(bytes.count("\r\n"), TLinkageFrm::kIntervals + 2);
  EXPECT_TRUE(Scripted().errors.isEmpty());
}

TEST_F(WorkbenchTest, TheMainWindowsMenuOpensAWorkbenchEachTime) {
  TMainFrm frm;
  frm.mnuLinkage->trigger();
  frm.mnuLinkage->trigger();
  EXPECT_EQ(frm.findChildren<TLinkageFrm*>().size(), 2);
}

// Panels hand their linkage and coupler point over; a guide bar has no coupler curve.
TEST_F(WorkbenchTest, AnalysisPanelsOpenTheirLinkageWhenAnOpenerIsInstalled) {
  AnalysisPanel panel(AnalysisPanelConfig::CorrespondingFourBar());
  const Linkage fourBar = Linkage::FourBar(LinkageKind::FourBarByKind, 30, 100, 80, 110);
  panel.setLinkage(fourBar);
  EXPECT_FALSE(panel.btnWorkbench->isVisibleTo(&panel));
  std::vector<std::tuple<Extended, Extended, Extended>> opened;
  AnalysisPanel::SetWorkbenchOpener(
      [&](const Linkage& k, Extended lenBE, Extended delta) { opened.emplace_back(k.BC, lenBE, delta); });
  panel.setLinkage(fourBar);
  EXPECT_TRUE(panel.btnWorkbench->isVisibleTo(&panel));
  panel.lenBEEdit->setText(QStringLiteral("45"));
  panel.deltaEdit->setText(QStringLiteral("90"));
  panel.btnWorkbench->click();
  panel.setLinkage(Linkage::GuideBar(30, 100));
  EXPECT_FALSE(panel.btnWorkbench->isVisibleTo(&panel));
  AnalysisPanel::SetWorkbenchOpener(nullptr);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(std::get<0>(opened[0]), 100);
  EXPECT_EQ(std::get<1>(opened[0]), 45);
  EXPECT_NEAR(double(std::get<2>(opened[0])), M_PI / 2, 1e-15);
}

}  // namespace
