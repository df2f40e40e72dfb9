// The CSV file repeats the HTML page's rows cell for cell for every table kind; the coupler
// point's speed agrees with a finite difference of its positions.
#include "link/tables.h"

#include "base/textfile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr Extended kDeg = kPi / 180;

QByteArray readAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The table rows of a page as cells, the return stroke's caption as a row of its own.
QList<QStringList> htmlRows(const QString& page) {
  QList<QStringList> out;
  for (QString line : page.split(QStringLiteral("\r\n"))) {
    if (line == QStringLiteral("<tr><td colspan=\"9\">回程</td></tr>")) out << QStringList{QStringLiteral("回程")};
    if (!line.startsWith(QStringLiteral("<tr><td>")) || line.size() <= 8 || !line[8].isDigit()) continue;
    line = line.mid(8, line.size() - 18);
    out << line.split(QStringLiteral("</td><td>"));
  }
  return out;
}

struct Case {
  const char* name;
  MotionTableKind kind;
  Linkage linkage;
  MotionSettings settings;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class CsvMatchesHtml : public ::testing::TestWithParam<Case> {};

TEST_P(CsvMatchesHtml, RowForRow) {
  const Case& c = GetParam();
  QTemporaryDir dir;
  const QString html = dir.filePath(QStringLiteral("t.htm")), csv = dir.filePath(QStringLiteral("t.csv"));
  ASSERT_TRUE(WriteMotionTable(html, TableFormat::Html, c.kind, c.linkage, c.settings));
  ASSERT_TRUE(WriteMotionTable(csv, TableFormat::Csv, c.kind, c.linkage, c.settings));

  const QByteArray bytes = readAll(csv);
  ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
  QStringList lines = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
  ASSERT_EQ(lines.takeLast(), QString());
  const QString header = lines.takeFirst();
  EXPECT_TRUE(header.contains(QStringLiteral("(°)"))) << header.toStdString();
  EXPECT_EQ(header.count(u','), MotionHeader(c.kind).size() - 1);

  const QList<QStringList> expected = htmlRows(DecodeText(readAll(html)));
  ASSERT_EQ(lines.size(), expected.size());
  ASSERT_GT(lines.size(), 3);
  for (qsizetype i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].split(u','), expected[i]) << "row " << i;
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, CsvMatchesHtml,
    ::testing::Values(
        Case{"CrankRocker", MotionTableKind::CrankRocker, Linkage::FourBar(LinkageKind::CrankRocker, 30, 100, 80, 110),
             {60 * kDeg, 0.5L * kDeg, 0, 360 * kDeg, 50, 30 * kDeg}},
        Case{"DoubleRocker", MotionTableKind::DoubleRocker,
             Linkage::FourBar(LinkageKind::FourBarByKind, 120, 75, 100, 95), {kDeg, 3 * kDeg, 0, 360 * kDeg, 20, 0}},
        Case{"CrankSlider", MotionTableKind::CrankSlider, Linkage::CrankSlider(30, 100, 10),
             {kDeg, 3 * kDeg, 0, 360 * kDeg}},
        Case{"GuideBar", MotionTableKind::GuideBar, Linkage::GuideBar(40, 100), {kDeg, 3 * kDeg, 0, 360 * kDeg}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(MotionData, CouplerSpeedIsTheRateOfThePointsPath) {
  for (const Linkage& k : {Linkage::FourBar(LinkageKind::CrankRocker, 30, 100, 80, 110),
                           Linkage::FourBar(LinkageKind::CrankRocker, 25, 90, 70, 100)}) {
    MotionSettings s{2.0L, 0.01L * kDeg, 0, 360 * kDeg, 60, 0.4L};
    s.couplerSpeed = true;
    const std::vector<MotionRow> rows = MotionRows(MotionTableKind::CrankRocker, k, s);
    const Extended dt = s.step / s.omega;
    for (std::size_t n = 1; n + 1 < rows.size(); n += 500) {
      const Extended vx = (rows[n + 1].ex - rows[n - 1].ex) / (2 * dt);
      const Extended vy = (rows[n + 1].ey - rows[n - 1].ey) / (2 * dt);
      EXPECT_NEAR(double(rows[n].couplerSpeed), double(std::hypot(vx, vy)), 1e-3 * double(rows[n].couplerSpeed) + 1e-6)
          << "row " << n;
    }
  }
}

}  // namespace
