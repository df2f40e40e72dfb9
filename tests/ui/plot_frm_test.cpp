// The plot window opened from a panel: its caption, the readout under the cursor against the
// kinematics, and its three exports.
#include "analysis/analysis_panel.h"
#include "analysis/plot_frm.h"
#include "base/numfmt.h"
#include "link/kinematics.h"
#include "support/app_dir_fixture.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class PlotFrmTest : public AppDirTest {};

TEST_F(PlotFrmTest, OpensReadsAndExports) {
  AnalysisPanel panel(AnalysisPanelConfig::CorrespondingFourBar());
  panel.setLinkage(Linkage::FourBar(LinkageKind::FourBarByKind, 30, 100, 80, 110));
  panel.x1Edit->setText(QStringLiteral("0"));
  panel.x2Edit->setText(QStringLiteral("360"));
  panel.btnPlots->click();
  TPlotFrm* plots = panel.plotWindow();
  ASSERT_NE(plots, nullptr);
  EXPECT_EQ(plots->windowTitle(), QStringLiteral("运动曲线 — 曲柄摇杆机构"));
  EXPECT_EQ(plots->rows().size(), 121u);

  plots->showCursor(91);  // nearest row: 90°
  Extended gamma, phi2, phi3, omega3, eps3, ex, ey;
  FourBarAt(kPi / 2, kPi / 180, 30, 100, 80, 110, 0, 50, gamma, phi2, phi3, omega3, eps3, ex, ey);
  const QString readout = plots->lblReadout->text();
  EXPECT_TRUE(readout.startsWith(QStringLiteral("φ=90.000°"))) << readout.toStdString();
  EXPECT_TRUE(readout.contains(FormatFixed(phi3 * 180 / kPi, 3) + QStringLiteral("°"))) << readout.toStdString();
  EXPECT_TRUE(readout.contains(FormatFixed(ex, 3) + QStringLiteral("mm"))) << readout.toStdString();

  const struct {
    QPushButton* button;
    const char* file;
    QByteArray start;
  } exports[] = {{plots->btnPng, "c.png", "\x89PNG"}, {plots->btnSvg, "c.svg", "<?xml"}, {plots->btnCsv, "c.csv", "\xEF\xBB\xBF"}};
  for (const auto& e : exports) {
    const QString path = AppDir() + QStringLiteral("result/") + QString::fromLatin1(e.file);
    Scripted().saveResults.push_back(path);
    e.button->click();
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << e.file;
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith(e.start)) << e.file;
    if (QByteArray(e.file).endsWith("csv")) EXPECT_EQ(bytes.count("\r\n"), 1 + 121);
  }
  EXPECT_TRUE(Scripted().errors.isEmpty());
}

}  // namespace
