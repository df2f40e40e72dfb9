#include "design/reports.h"

#include "base/appdir.h"
#include "base/desktop.h"
#include "base/textfile.h"
#include "design/detail_rep.h"
#include "design/qrep.h"
#include "design/shell.h"

#include <QPrinter>

QString DetailReportLogPath() { return AppDir() + QStringLiteral("result/Temp.~txt"); }

void RunSimpleReport(const ReportHeader& header, const std::vector<ReportRow>& rows) {
  {
    ReportTable table;  // the design window's connection, closed at the end of the block
    table.Replace(rows);
  }
  TQRFrm report;
  report.SetRows(ReportTable().Rows());  // the report's own connection
  report.SetHeader(header);
  Desktop().PrintPreview(kReportPreviewCaption, [&report](QPrinter& printer) { report.Print(printer); });
  SetStatusText(0, QStringLiteral("简单报表预览"));
}

void RunDetailReport(const ReportHeader& header, const QStringList& log) {
  TDetailRepFrm report;
  report.SetHeader(header);
  WriteTextLines(DetailReportLogPath(), log);
  report.LoadLog(DetailReportLogPath());
  Desktop().PrintPreview(kReportPreviewCaption, [&report](QPrinter& printer) { report.Print(printer); });
}
