#include "design/reports.h"

#include "base/appdir.h"
#include "base/desktop.h"
#include "base/textfile.h"
#include "design/shell.h"

#include <QPrinter>

QString DetailReportLogPath() { return ResultDir() + QStringLiteral("Temp.~txt"); }

TQRFrm MakeSimpleReport(const ReportHeader& header, const std::vector<ReportRow>& rows, const QString& note) {
  {
    ReportTable table;  // the design window's connection, closed at the end of the block
    table.Replace(rows);
  }
  TQRFrm report;
  report.SetRows(ReportTable().Rows());  // the report's own connection
  report.SetHeader(header);
  report.SetNote(note);
  return report;
}

TDetailRepFrm MakeDetailReport(const ReportHeader& header, const QStringList& log) {
  TDetailRepFrm report;
  report.SetHeader(header);
  WriteTextLines(DetailReportLogPath(), log);
  report.LoadLog(DetailReportLogPath());
  return report;
}

void RunSimpleReport(const ReportHeader& header, const std::vector<ReportRow>& rows, const QString& note) {
  const TQRFrm report = MakeSimpleReport(header, rows, note);
  Desktop().PrintPreview(kReportPreviewCaption, [report](QPrinter& printer) { report.Print(printer); });
  SetStatusText(0, QStringLiteral("简单报表预览"));
}

void RunDetailReport(const ReportHeader& header, const QStringList& log) {
  const TDetailRepFrm report = MakeDetailReport(header, log);
  Desktop().PrintPreview(kReportPreviewCaption, [report](QPrinter& printer) { report.Print(printer); });
}
