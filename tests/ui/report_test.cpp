// The report table, the two report layouts as laid out and as painted, and the two report
// commands with their failures.
#include "app/print_preview.h"
#include "base/appdir.h"
#include "base/desktop.h"
#include "base/errors.h"
#include "base/numfmt.h"
#include "base/textfile.h"
#include "design/content_db.h"
#include "design/reports.h"
#include "design/shell.h"
#include "support/app_dir_fixture.h"
#include "support/scripted_desktop.h"

#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr int kDpi = 200;
constexpr qreal kPxPerMm = kDpi / 25.4;

const ReportHeader kHeader{QStringLiteral("机械系"), QStringLiteral("张三"),
                           QStringLiteral("2024-05-01")};

// The rows of a four-bar design (19) and of a crank-slider design (12).
std::vector<ReportRow> FourBarRows() {
  std::vector<ReportRow> rows;
  const char* angles[] = {"φ1", "ψ1", "φ2", "ψ2", "φ3", "ψ3", "φ0", "ψ0"};
  const Extended angleValues[] = {45, 50, 90, 80, 135, 110, 0, 0};
  for (int i = 0; i < 8; ++i) rows.push_back({QString::fromUtf8(angles[i]), angleValues[i], "°"});
  const char* ratios[] = {"P0", "P1", "P2", "m", "n", "l"};
  const Extended ratioValues[] = {1.5320888862379560L, -1.0641777724759121L, 0.7778619134302062L,
                                  1.0L / 3, 1.53L, 1.44L};
  for (int i = 0; i < 6; ++i) rows.push_back({ratios[i], ratioValues[i], "无"});
  rows.push_back({"已知AB杆长度", 100, "mm"});
  rows.push_back({"AB杆长度", 100, "mm"});
  rows.push_back({"BC杆长度", 1234.5678L, "mm"});
  rows.push_back({"CD杆长度", 153.2088886237956L, "mm"});
  rows.push_back({"AD杆长度", 144.0L, "mm"});
  return rows;
}

std::vector<ReportRow> CrankSliderRows() {
  return {{"φ1", 60, "°"},   {"s1", 36, "mm"}, {"φ2", 85, "°"},   {"s2", 28, "mm"},
          {"φ3", 120, "°"},  {"s3", 19, "mm"}, {"Q1", 34, "无"},  {"Q2", 131.0L, "无"},
          {"Q3", -571.25L, "无"}, {"a", 17, "mm"}, {"b", 29.6L, "mm"}, {"e", 3.85L, "mm"}};
}

std::vector<ReportRow> NumberedRows(int count) {
  std::vector<ReportRow> rows;
  for (int i = 0; i < count; ++i) rows.push_back({QStringLiteral("r%1").arg(i), Extended(i), "mm"});
  return rows;
}

// The value the table keeps: the number of the value's G text.
double Stored(Extended v) { return FormatG(v).toDouble(); }

void ExpectSameRows(const std::vector<ReportRow>& actual, const std::vector<ReportRow>& written) {
  ASSERT_EQ(actual.size(), written.size());
  for (size_t i = 0; i < written.size(); ++i) {
    EXPECT_EQ(actual[i].name, written[i].name) << "row " << i;
    EXPECT_EQ(double(actual[i].value), Stored(written[i].value)) << "row " << i;
    EXPECT_EQ(actual[i].unit, written[i].unit) << "row " << i;
  }
}

// Where a text was placed, or an empty optional.
std::optional<QPointF> PosOf(const ReportPage& page, const QString& text) {
  for (const ReportText& t : page.texts)
    if (t.text == text) return t.pos;
  return std::nullopt;
}

QStringList TextsAt(const ReportPage& page, qreal x) {
  QStringList out;
  for (const ReportText& t : page.texts)
    if (qAbs(t.pos.x() - x) < 1e-9) out << t.text;
  return out;
}

// The box of dark pixels inside a region, both in mm from the margin corner; empty if none.
QRectF InkIn(const QImage& sheet, const QRectF& regionMm) {
  const QRectF px = regionMm.translated(10, 10);
  int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
  for (int y = qMax(0, int(px.top() * kPxPerMm)); y < qMin(sheet.height(), int(px.bottom() * kPxPerMm)); ++y)
    for (int x = qMax(0, int(px.left() * kPxPerMm)); x < qMin(sheet.width(), int(px.right() * kPxPerMm)); ++x)
      if (qGray(sheet.pixel(x, y)) < 128) {
        left = qMin(left, x), right = qMax(right, x);
        top = qMin(top, y), bottom = qMax(bottom, y);
      }
  if (right < 0) return {};
  return QRectF(left / kPxPerMm - 10, top / kPxPerMm - 10, (right - left + 1) / kPxPerMm,
                (bottom - top + 1) / kPxPerMm);
}

// A text's ink starts at its position: nothing just left of it, its first stroke within
// 1 mm to the right, and its strokes within its line below the given top.
void ExpectInkAt(const QImage& sheet, const QPointF& pos, qreal lineHeight, const QString& what) {
  const QRectF ink = InkIn(sheet, QRectF(pos.x() - 1.5, pos.y() - 1.0, 4.5, lineHeight + 1.0));
  ASSERT_FALSE(ink.isEmpty()) << what.toStdString();
  EXPECT_GE(ink.left(), pos.x() - 0.1) << what.toStdString();
  EXPECT_LE(ink.left(), pos.x() + 1.0) << what.toStdString();
  EXPECT_GE(ink.top(), pos.y() - 0.1) << what.toStdString();
  EXPECT_LE(ink.bottom(), pos.y() + lineHeight + 0.1) << what.toStdString();
}

int PdfPages(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QByteArray pdf = f.readAll();
  if (!pdf.startsWith("%PDF")) return -1;
  return int(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))));
}

using ReportTest = AppDirTest;

// ---- the table "报表"

TEST_F(ReportTest, TableKeepsRowsInOrderWithNumericValues) {
  const std::vector<ReportRow> rows = FourBarRows();
  ReportTable().Replace(rows);
  ExpectSameRows(ReportTable().Rows(), rows);  // another connection sees them
  EXPECT_EQ(double(ReportTable().Rows()[11].value), 0.333333333333333);  // unrounded G text

  ContentDb db;
  QSqlQuery q = db.Exec(QStringLiteral("SELECT DISTINCT typeof(\"数值\") FROM \"报表\""));
  while (q.next()) EXPECT_TRUE(q.value(0) == "real" || q.value(0) == "integer") << q.value(0).toString().toStdString();
}

TEST_F(ReportTest, SecondReportHoldsOnlyItsOwnRows) {
  MakeSimpleReport(kHeader, FourBarRows());
  const TQRFrm second = MakeSimpleReport(kHeader, CrankSliderRows());
  ExpectSameRows(second.Rows(), CrankSliderRows());
  ExpectSameRows(ReportTable().Rows(), CrankSliderRows());
  EXPECT_EQ(TextsAt(second.Pages()[0], 19.1).mid(1),  // after the column title "名称"
            QStringList({"φ1", "s1", "φ2", "s2", "φ3", "s3", "Q1", "Q2", "Q3", "a", "b", "e"}));
}

TEST_F(ReportTest, DatabaseOffersTheNavigatorTable) {
  ContentDb db;
  QSqlQuery q = db.Exec(QStringLiteral("select CID, pid, CName, Pindex, Ctable from vtree order by cid"));
  EXPECT_TRUE(q.next());  // the navigator's entries
}

// ---- the simple report's layout

struct Placed {
  const char* text;
  qreal x, y;
};

TEST_F(ReportTest, SimpleReportHeaderSitsWhereTheLayoutSays) {
  TQRFrm report;
  report.SetHeader(kHeader);
  report.SetRows(FourBarRows());
  const ReportPage page = report.Pages().at(0);
  // title band from 10.6, column header band from 21.2
  const Placed expected[] = {{"设计结果输出", 65.6, 12.7}, {"设计单位：", 6.4, 27.6},
                             {"机械系", 25.4, 27.6},       {"设计者：", 76.2, 27.6},
                             {"张三", 91.0, 27.6},         {"设计日期：", 127.0, 27.6},
                             {"2024-05-01", 146.1, 27.6},  {"名称", 19.1, 40.3},
                             {"数值", 74.3, 40.3},         {"单位", 143.9, 40.3}};
  const QImage sheet = RenderReportPage(page, kDpi);
  for (const Placed& p : expected) {
    const auto pos = PosOf(page, QString::fromUtf8(p.text));
    ASSERT_TRUE(pos) << p.text;
    EXPECT_NEAR(pos->x(), p.x, 1e-9) << p.text;
    EXPECT_NEAR(pos->y(), p.y, 1e-9) << p.text;
    const bool title = p.y < 20;
    ExpectInkAt(sheet, *pos, title ? 7.0 : 5.0, QString::fromUtf8(p.text));
  }
  // the two rules across the page
  for (qreal y : {23.3, 36.0}) {
    EXPECT_FALSE(InkIn(sheet, QRectF(0.5, y - 0.3, 0.5, 0.6)).isEmpty()) << y;
    EXPECT_FALSE(InkIn(sheet, QRectF(189.0, y - 0.3, 0.5, 0.6)).isEmpty()) << y;
  }
}

TEST_F(ReportTest, SimpleReportShowsValuesWithTheMask) {
  TQRFrm report;
  report.SetRows({{"BC杆长度", 1234.5678L, "mm"}, {"a/d", 0.5L, "无"}, {"Q3", -571.25L, "无"},
                  {"big", 1234567.0L, "mm"}, {"m", 1.0L / 3, "无"}});
  const ReportPage page = report.Pages().at(0);
  EXPECT_EQ(TextsAt(page, 74.3),
            QStringList({"数值", "1,234.568", "0.500", "-571.250", "1,234,567.000", "0.333"}));
  // detail bands from 49.5, 10.6 apart; texts 2.1 into the band
  const auto pos = PosOf(page, QStringLiteral("1,234.568"));
  ASSERT_TRUE(pos);
  EXPECT_NEAR(pos->y(), 51.6, 1e-9);
  EXPECT_NEAR(PosOf(page, QStringLiteral("0.500"))->y(), 62.2, 1e-9);
  EXPECT_NEAR(PosOf(page, QStringLiteral("无"))->x(), 143.9, 1e-9);
  ExpectInkAt(RenderReportPage(page, kDpi), *pos, 5.0, QStringLiteral("value"));
}

struct PagingCase {
  int rows;
  int pages;
  friend void PrintTo(const PagingCase& c, std::ostream* os) { *os << c.rows << " rows"; }
};

class SimpleReportPaging : public ReportTest, public ::testing::WithParamInterface<PagingCase> {};

TEST_P(SimpleReportPaging, EveryPageEndsWithItsNumberAndEveryRowAppearsOnce) {
  TQRFrm report;
  report.SetHeader(kHeader);
  report.SetRows(NumberedRows(GetParam().rows));
  const std::vector<ReportPage> pages = report.Pages();
  ASSERT_EQ(int(pages.size()), GetParam().pages);

  QStringList names;
  for (size_t i = 0; i < pages.size(); ++i) {
    const ReportPage& page = pages[i];
    const QString number = QString::number(i + 1);
    EXPECT_EQ(PosOf(page, QStringLiteral("第")), QPointF(78.6, 268.5)) << i;
    EXPECT_EQ(PosOf(page, number), QPointF(84.7, 268.5)) << i;
    EXPECT_EQ(PosOf(page, QStringLiteral("页")), QPointF(88.9, 268.5)) << i;
    EXPECT_EQ(PosOf(page, QStringLiteral("设计结果输出")).has_value(), i == 0);
    EXPECT_TRUE(PosOf(page, QStringLiteral("设计单位：")).has_value()) << i;
    for (const ReportText& t : page.texts) {
      if (t.pos.x() == 19.1 && t.text != QStringLiteral("名称")) {
        names << t.text;
        EXPECT_LE(t.pos.y() - 2.1 + 10.6, 266.4 + 1e-9) << "detail band over the footer";
      }
    }
  }
  QStringList expected;
  for (const ReportRow& r : NumberedRows(GetParam().rows)) expected << r.name;
  EXPECT_EQ(names, expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, SimpleReportPaging,
                         ::testing::Values(PagingCase{0, 1}, PagingCase{19, 1}, PagingCase{20, 1},
                                           PagingCase{21, 2}, PagingCase{41, 2},
                                           PagingCase{42, 3}, PagingCase{50, 3}),
                         [](const auto& info) { return "rows" + std::to_string(info.param.rows); });

TEST_F(ReportTest, FootersArePaintedOnEveryPageOfAPrintedReport) {
  TQRFrm report;
  report.SetHeader(kHeader);
  report.SetRows(NumberedRows(50));
  const std::vector<ReportPage> pages = report.Pages();
  for (size_t i = 0; i < pages.size(); ++i) {
    const QImage sheet = RenderReportPage(pages[i], kDpi);
    for (qreal x : {78.6, 84.7, 88.9}) ExpectInkAt(sheet, QPointF(x, 268.5), 5.0, QString::number(i));
  }
  const QString pdf = m_dir.filePath(QStringLiteral("simple.pdf"));
  {
    QPdfWriter writer(pdf);
    EXPECT_EQ(report.Print(writer), 3);
    EXPECT_EQ(writer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(writer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(writer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
  }
  EXPECT_EQ(PdfPages(pdf), 3);
}

// ---- the detailed report

TEST_F(ReportTest, DetailedReportHeaderSitsWhereTheLayoutSays) {
  TDetailRepFrm report;
  report.SetHeader(kHeader);
  report.SetLog({QStringLiteral("一、设计要求")});
  const ReportPage page = report.Pages().at(0);
  const Placed expected[] = {{"详细报表输出", 80.4, 4.2}, {"设计单位：", 6.4, 21.2},
                             {"机械系", 29.6, 21.2},       {"设计者：", 72.0, 21.2},
                             {"张三", 93.1, 21.2},         {"设计日期：", 133.4, 21.2},
                             {"2024-05-01", 158.8, 21.2},  {"一、设计要求", 6.4, 31.8},
                             {"1", 93.1, 270.6}};
  const QImage sheet = RenderReportPage(page, kDpi);
  for (const Placed& p : expected) {
    const auto pos = PosOf(page, QString::fromUtf8(p.text));
    ASSERT_TRUE(pos) << p.text;
    EXPECT_NEAR(pos->x(), p.x, 1e-9) << p.text;
    EXPECT_NEAR(pos->y(), p.y, 1e-9) << p.text;
    ExpectInkAt(sheet, *pos, p.y < 10 ? 7.0 : 5.0, QString::fromUtf8(p.text));
  }
  EXPECT_EQ(report.Pages().size(), 1u);
}

TEST_F(ReportTest, DetailedReportPrintsOnlyTheLogThatFitsItsArea) {
  QStringList log;
  for (int i = 1; i <= 120; ++i) log << QStringLiteral("    第%1行：φ1=45°").arg(i);
  TDetailRepFrm report;
  report.SetLog(log);
  const QStringList rows = report.LogAreaRows();
  const PrintedLine line = PrintedLineOf(ReportArial(10));
  const int capacity = 1 + int((231.0 - line.height) / line.spacing);
  ASSERT_GT(capacity, 40);
  ASSERT_LT(capacity, 120);
  EXPECT_EQ(rows, log.mid(0, capacity));

  const ReportPage page = report.Pages().at(0);
  const QRectF area = TDetailRepFrm::LogArea();
  EXPECT_EQ(area, QRectF(6.4, 31.8, 178.1, 231.0));
  const auto last = PosOf(page, log[capacity - 1]);
  ASSERT_TRUE(last);
  EXPECT_LE(last->y() + line.height, area.bottom() + 1e-9);
  EXPECT_FALSE(PosOf(page, log[capacity]).has_value());

  // Painted: nothing between the log area and the footer's page number.
  const QImage sheet = RenderReportPage(page, kDpi);
  EXPECT_TRUE(InkIn(sheet, QRectF(0, area.bottom() + 0.1, 190, 270.5 - area.bottom())).isEmpty());
  EXPECT_FALSE(InkIn(sheet, QRectF(6, area.bottom() - 9, 30, 9)).isEmpty());
}

TEST_F(ReportTest, DetailedReportWrapsLongLinesInsideTheArea) {
  const QString longLine = QString(150, QChar(u'长'));
  TDetailRepFrm report;
  report.SetLog({longLine, QString(), QStringLiteral("end")});
  const QStringList rows = report.LogAreaRows();
  ASSERT_GE(rows.size(), 5);  // 150 ideographs of 3.5 mm in 178 mm
  EXPECT_EQ(rows.mid(0, rows.size() - 2).join(QString()), longLine);
  EXPECT_EQ(rows.mid(rows.size() - 2), QStringList({QString(), "end"}));
  const QImage sheet = RenderReportPage(report.Pages().at(0), kDpi);
  const QRectF area = TDetailRepFrm::LogArea();
  const QRectF ink = InkIn(sheet, area.adjusted(-3, 0, 8, 0));
  EXPECT_GE(ink.left(), area.left() - 0.1);
  EXPECT_LE(ink.right(), area.right() + 0.1);
}

// ---- the commands

TEST_F(ReportTest, SimpleReportCommandPreviewsAndSetsTheStatus) {
  Scripted().previewPdf = m_dir.filePath(QStringLiteral("preview.pdf"));
  EXPECT_TRUE(Guarded([] { RunSimpleReport(kHeader, NumberedRows(45)); }));
  EXPECT_TRUE(Scripted().errors.isEmpty());
  EXPECT_EQ(Scripted().previews, QStringList({"Print Preview"}));
  EXPECT_EQ(m_shell.status[0], QStringLiteral("简单报表预览"));
  EXPECT_EQ(PdfPages(Scripted().previewPdf), 3);
  ExpectSameRows(ReportTable().Rows(), NumberedRows(45));
}

TEST_F(ReportTest, DetailedReportCommandWritesTheLogFileAndPreviews) {
  const QStringList log = {QStringLiteral("一、设计要求"), QStringLiteral("    φ1=45°"),
                           QString(), QStringLiteral("    设计人：张三")};
  Scripted().previewPdf = m_dir.filePath(QStringLiteral("detail.pdf"));
  EXPECT_TRUE(Guarded([&] { RunDetailReport(kHeader, log); }));
  EXPECT_EQ(Scripted().previews, QStringList({"Print Preview"}));
  EXPECT_EQ(PdfPages(Scripted().previewPdf), 1);

  QFile file(AppDir() + QStringLiteral("result/Temp.~txt"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), EncodeText(log.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
  EXPECT_EQ(MakeDetailReport(kHeader, log).LogAreaRows(), log);
}

TEST_F(ReportTest, DetailedReportWithoutResultFolderIsAFileErrorWithoutPreview) {
  ASSERT_TRUE(QDir(AppDir() + QStringLiteral("result")).removeRecursively());
  EXPECT_FALSE(Guarded([] { RunDetailReport(kHeader, {QStringLiteral("一、设计要求")}); }));
  ASSERT_EQ(Scripted().errors.size(), 1);
  EXPECT_TRUE(Scripted().errors[0].contains(QStringLiteral("Temp.~txt")));
  EXPECT_TRUE(Scripted().previews.isEmpty());
  EXPECT_THROW(MakeDetailReport(kHeader, {}), EFileError);
}

enum class BrokenDb { Missing, NotADatabase, NoReportTable };
const char* NameOf(BrokenDb kind) {
  switch (kind) {
    case BrokenDb::Missing: return "Missing";
    case BrokenDb::NotADatabase: return "NotADatabase";
    case BrokenDb::NoReportTable: return "NoReportTable";
  }
  return "";
}
void PrintTo(BrokenDb kind, std::ostream* os) { *os << NameOf(kind); }

class SimpleReportDatabaseFailure : public ReportTest,
                                    public ::testing::WithParamInterface<BrokenDb> {};

TEST_P(SimpleReportDatabaseFailure, EndsTheCommandWithoutPreview) {
  const QString path = ContentDb::Path();
  ASSERT_TRUE(QFile::remove(path));
  QByteArray content;
  if (GetParam() != BrokenDb::Missing) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    if (GetParam() == BrokenDb::NotADatabase) file.write("not a database, just some text\n");
    file.close();  // an empty file is a database without tables
    content = GetParam() == BrokenDb::NotADatabase ? QByteArray("not a database, just some text\n")
                                                   : QByteArray();
  }
  EXPECT_FALSE(Guarded([] { RunSimpleReport(kHeader, CrankSliderRows()); }));
  ASSERT_EQ(Scripted().errors.size(), 1);
  EXPECT_TRUE(Scripted().previews.isEmpty());
  EXPECT_EQ(m_shell.status.count(0), 0u);
  EXPECT_THROW(MakeSimpleReport(kHeader, {}), EDatabaseError);
  if (GetParam() == BrokenDb::Missing) {
    EXPECT_TRUE(Scripted().errors[0].contains(path));
    EXPECT_FALSE(QFile::exists(path)) << "the open created the file";
  } else {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), content);
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, SimpleReportDatabaseFailure,
                         ::testing::Values(BrokenDb::Missing, BrokenDb::NotADatabase,
                                           BrokenDb::NoReportTable),
                         [](const auto& info) { return std::string(NameOf(info.param)); });

}  // namespace
