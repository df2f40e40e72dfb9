#include "app/print_preview.h"

#include "base/appdir.h"
#include "base/desktop.h"
#include "base/errors.h"

#include <algorithm>

#include <QAction>
#include <QFile>
#include <QActionGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QToolBar>

namespace {

constexpr int kPrinterDpi = 1200;

// Qt's dialog names none of its orientation actions; they are the one group of checkable
// actions without object names (fit and view mode are named).
QActionGroup* orientationGroup(QObject* dialog) {
  for (QActionGroup* group : dialog->findChildren<QActionGroup*>(Qt::FindDirectChildrenOnly)) {
    const QList<QAction*> actions = group->actions();
    if (actions.size() == 2 &&
        std::all_of(actions.cbegin(), actions.cend(), [](const QAction* a) {
          return a->isCheckable() && a->objectName().isEmpty();
        }))
      return group;
  }
  return nullptr;
}

}  // namespace

void PrintToPdf(const QString& path, const PaintDocument& paint) {
  // Written beside the target first, so a failed export leaves an older file whole.
  const QString part = path + QStringLiteral(".part");
  QFile::remove(part);
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(part);
    try {
      paint(printer);
    } catch (...) {
      QFile::remove(part);
      throw;
    }
  }
  const QFileInfo written(part);
  if (!written.isFile() || written.size() == 0 || (QFile::exists(path) && !QFile::remove(path)) ||
      !QFile::rename(part, path)) {
    QFile::remove(part);
    throw EFileError(QStringLiteral("无法创建文件“%1”。").arg(path));
  }
}

PrintPreviewWindow::PrintPreviewWindow(const QString& caption, PaintDocument paint, QWidget* parent)
    : QPrintPreviewDialog(parent), m_paint(std::move(paint)) {
  setObjectName(QStringLiteral("PrintPreviewWindow"));
  printer()->setResolution(kPrinterDpi);
  setWindowTitle(caption);  // the dialog's own caption is translated; ours is fixed
  m_preview = findChild<QPrintPreviewWidget*>();
  connect(this, &QPrintPreviewDialog::paintRequested, this,
          [this](QPrinter* p) { Guarded([&] { m_paint(*p); }); });

  if (QActionGroup* orientation = orientationGroup(this)) orientation->setVisible(false);

  m_actualSize = new QAction(QStringLiteral("100 %"), this);
  m_actualSize->setObjectName(QStringLiteral("actualSizeAction"));
  m_actualSize->setToolTip(QStringLiteral("实际大小"));
  connect(m_actualSize, &QAction::triggered, this, [this] { Guarded([this] { ActualSizeClick(); }); });

  m_exportPdf = new QAction(QStringLiteral("导出PDF"), this);
  m_exportPdf->setObjectName(QStringLiteral("exportPdfAction"));
  m_exportPdf->setToolTip(QStringLiteral("导出为PDF文件"));
  connect(m_exportPdf, &QAction::triggered, this, [this] { Guarded([this] { ExportPdfClick(); }); });

  m_close = new QAction(QStringLiteral("关闭"), this);
  m_close->setObjectName(QStringLiteral("closeAction"));
  connect(m_close, &QAction::triggered, this, &QDialog::reject);

  if (auto* toolbar = findChild<QToolBar*>()) {
    // 100 % beside the two fit actions, which come first.
    const QList<QAction*> actions = toolbar->actions();
    toolbar->insertAction(actions.size() > 2 ? actions[2] : nullptr, m_actualSize);
    toolbar->addSeparator();
    toolbar->addAction(m_exportPdf);
    toolbar->addAction(m_close);
  }
  resize(820, 900);
}

void PrintPreviewWindow::ActualSizeClick() {
  // Going through the zoom box keeps the dialog's box and fit buttons in step.
  auto* zoom = findChild<QComboBox*>();
  if (zoom && zoom->lineEdit()) {
    zoom->lineEdit()->setText(QStringLiteral("100%"));
    emit zoom->lineEdit()->editingFinished();
  } else if (m_preview) {
    m_preview->setZoomFactor(1.0);
  }
}

void PrintPreviewWindow::ExportPdfClick() {
  QString path = Desktop().GetSaveFileName(QStringLiteral("导出PDF"),
                                           ResultDir() + QStringLiteral("报表.pdf"),
                                           QStringLiteral("PDF 文件 (*.pdf)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
  PrintToPdf(path, m_paint);
}
