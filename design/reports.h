// The two report commands of every design window. Failures (the database, the log file)
// are thrown as KvError for the command's guard; then no preview is shown.
#pragma once

#include "design/detail_rep.h"
#include "design/qrep.h"

#include <QStringList>
#include <vector>

// The caption of both previews.
inline const QString kReportPreviewCaption = QStringLiteral("Print Preview");

// Empties "报表", writes `rows` in order, reads them back through a second connection and
// previews the simple report; status panel 0 then reads "简单报表预览".
// A note (the design check's line) follows the rows.
void RunSimpleReport(const ReportHeader& header, const std::vector<ReportRow>& rows, const QString& note = {});

// Saves `log` to AppDir + "result/Temp.~txt", loads that file into the log area and previews
// the detailed report. A missing result/ folder is the file error.
void RunDetailReport(const ReportHeader& header, const QStringList& log);

// The reports as the commands preview them, without the preview.
TQRFrm MakeSimpleReport(const ReportHeader& header, const std::vector<ReportRow>& rows, const QString& note = {});
TDetailRepFrm MakeDetailReport(const ReportHeader& header, const QStringList& log);

// AppDir + "result/Temp.~txt".
QString DetailReportLogPath();
