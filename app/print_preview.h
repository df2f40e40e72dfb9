// The print preview of the reports: Qt's preview dialog with what it lacks added — 100 %,
// close, and export to PDF for users without a printer. The page orientation is not offered,
// since the report layouts are fixed A4 portrait.
#pragma once

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <functional>

class QAction;
class QPrintPreviewWidget;

using PaintDocument = std::function<void(QPrinter&)>;

// Paints the document into a PDF file. Throws EFileError when the file cannot be written.
void PrintToPdf(const QString& path, const PaintDocument& paint);

class PrintPreviewWindow : public QPrintPreviewDialog {
  Q_OBJECT
public:
  PrintPreviewWindow(const QString& caption, PaintDocument paint, QWidget* parent = nullptr);

  QPrintPreviewWidget* previewWidget() const { return m_preview; }
  QAction* actualSizeAction() const { return m_actualSize; }
  QAction* exportPdfAction() const { return m_exportPdf; }
  QAction* closeAction() const { return m_close; }

private:
  void ActualSizeClick();
  void ExportPdfClick();

  PaintDocument m_paint;
  QPrintPreviewWidget* m_preview = nullptr;
  QAction* m_actualSize = nullptr;
  QAction* m_exportPdf = nullptr;
  QAction* m_close = nullptr;
};
