// The report preview window: what it adds to Qt's preview dialog, and export to PDF.
#include "app/print_preview.h"
#include "base/errors.h"
#include "design/qrep.h"
#include "support/scripted_desktop.h"

#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

ScriptedDesktop& Scripted() { return dynamic_cast<ScriptedDesktop&>(Desktop()); }

PaintDocument ThreePageReport() {
  TQRFrm report;
  std::vector<ReportRow> rows;
  for (int i = 0; i < 50; ++i) rows.push_back({QStringLiteral("r%1").arg(i), Extended(i), "mm"});
  report.SetRows(rows);
  return [report](QPrinter& printer) { report.Print(printer); };
}

class PrintPreviewTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    Scripted().clear();
    m_window.show();
  }
  void TearDown() override { Scripted().clear(); }

  QTemporaryDir m_dir;
  PrintPreviewWindow m_window{QStringLiteral("Print Preview"), ThreePageReport()};
};

TEST_F(PrintPreviewTest, ShowsTheReportUnderItsOwnCaption) {
  EXPECT_EQ(m_window.windowTitle(), QStringLiteral("Print Preview"));
  ASSERT_NE(m_window.previewWidget(), nullptr);
  EXPECT_EQ(m_window.previewWidget()->pageCount(), 3);
  EXPECT_EQ(m_window.previewWidget()->orientation(), QPageLayout::Portrait);
  auto* toolbar = m_window.findChild<QToolBar*>();
  ASSERT_NE(toolbar, nullptr);
  for (QAction* added : {m_window.actualSizeAction(), m_window.exportPdfAction(), m_window.closeAction()})
    EXPECT_TRUE(toolbar->actions().contains(added)) << added->objectName().toStdString();
  // The layouts are fixed A4 portrait: no orientation to choose.
  for (QActionGroup* group : m_window.findChildren<QActionGroup*>())
    for (QAction* a : group->actions())
      if (a->isCheckable() && a->objectName().isEmpty()) EXPECT_FALSE(a->isVisible());
}

TEST_F(PrintPreviewTest, ZoomsToActualSizeAndBackToWidth) {
  QPrintPreviewWidget* preview = m_window.previewWidget();
  EXPECT_EQ(preview->zoomMode(), QPrintPreviewWidget::FitInView);
  m_window.actualSizeAction()->trigger();
  EXPECT_EQ(preview->zoomMode(), QPrintPreviewWidget::CustomZoom);
  EXPECT_DOUBLE_EQ(preview->zoomFactor(), 1.0);
  auto* fitWidth = m_window.findChild<QAction*>(QStringLiteral("fitWidthAction"));
  ASSERT_NE(fitWidth, nullptr);
  fitWidth->trigger();
  EXPECT_EQ(preview->zoomMode(), QPrintPreviewWidget::FitToWidth);
}

TEST_F(PrintPreviewTest, ExportsEveryPageToTheChosenPdf) {
  const QString chosen = m_dir.filePath(QStringLiteral("报表"));  // typed without a suffix
  Scripted().saveResults.push_back(chosen);
  m_window.exportPdfAction()->trigger();
  ASSERT_EQ(Scripted().saveFilters.size(), 1);
  EXPECT_TRUE(Scripted().saveFilters[0].contains(QStringLiteral("*.pdf")));
  EXPECT_TRUE(Scripted().errors.isEmpty());
  QFile pdf(chosen + QStringLiteral(".pdf"));
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_EQ(bytes.count("/Type /Page\n"), 3);
  EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files).size(), 1) << "no temporary file left";
}

TEST_F(PrintPreviewTest, CancelledOrFailedExportWritesNothing) {
  m_window.exportPdfAction()->trigger();  // the scripted dialog answers "cancel"
  EXPECT_TRUE(Scripted().errors.isEmpty());
  Scripted().saveResults.push_back(m_dir.filePath(QStringLiteral("missing/report.pdf")));
  m_window.exportPdfAction()->trigger();
  EXPECT_EQ(Scripted().saveDialogs.size(), 2);
  EXPECT_EQ(Scripted().errors.size(), 1);  // the file error, shown by the guard
  EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());
  EXPECT_THROW(PrintToPdf(m_dir.filePath(QStringLiteral("missing/r.pdf")), ThreePageReport()),
               EFileError);
}

TEST_F(PrintPreviewTest, CloseEndsThePreview) {
  m_window.closeAction()->trigger();
  EXPECT_FALSE(m_window.isVisible());
  EXPECT_EQ(m_window.result(), QDialog::Rejected);
}

}  // namespace
