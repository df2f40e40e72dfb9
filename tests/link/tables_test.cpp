// The HTML result pages: golden lines, row counts and angles, the fitted double-rocker range,
// the file's bytes, and what is left behind when writing fails part way.
#include "link/tables.h"

#include "base/textfile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <cfenv>
#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr Extended kDeg = kPi / 180;

class TablesTest : public ::testing::Test {
protected:
  QString path() const { return m_dir.filePath(QStringLiteral("temp.htm")); }

  QByteArray bytes() const {
    QFile f(path());
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  }

  // The page's lines without their CR LF.
  QStringList lines() const {
    QString text = DecodeText(bytes());
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n")));
    QStringList out = text.split(QStringLiteral("\r\n"));
    out.removeLast();
    return out;
  }

  static QStringList rows(const QStringList& page) {
    return page.filter(QRegularExpression(QStringLiteral("^<tr><td>\\d")));
  }

  // The cells of a table row after the row number.
  static QStringList cells(const QString& row) {
    QStringList out = row.mid(8, row.size() - 18).split(QStringLiteral("</td><td>"));
    out.removeFirst();
    return out;
  }

  static QStringList column(const QStringList& rowLines, int index) {
    QStringList out;
    for (const QString& r : rowLines) out << cells(r).value(index);
    return out;
  }

  static void expectLinesInOrder(const QStringList& page, const QStringList& expected) {
    qsizetype at = page.indexOf(expected.first());
    ASSERT_GE(at, 0) << "missing: " << expected.first().toStdString();
    for (const QString& line : expected) {
      ASSERT_LT(at, page.size());
      EXPECT_EQ(page[at].toStdString(), line.toStdString());
      ++at;
    }
  }

  QTemporaryDir m_dir;
};

const QStringList kTail = {
    QStringLiteral("</table>"),
    QStringLiteral("<p>&nbsp;</p><hr align=\"center\" width=\"65%\" size=\"1\">"),
    QStringLiteral("<p align=\"center\">Kinvora 平面连杆机构设计与运动分析</p>"),
    QStringLiteral("</body>"),
    QStringLiteral("</html>"),
};

bool writeCrankRocker(const QString& file, Extended start, Extended end, Extended step) {
  return WriteCrankRockerTable(file, 30, 100, 80, 110, 60 * kDeg, step * kDeg, start * kDeg,
                               end * kDeg, 100, 0);
}

TEST_F(TablesTest, CrankRockerPage) {
  ASSERT_TRUE(writeCrankRocker(path(), 0, 360, 3));
  const QStringList page = lines();
  expectLinesInOrder(
      page,
      {QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                      "\"http://www.w3.org/TR/html4/loose.dtd\">"),
       QStringLiteral("<html>"), QStringLiteral("<head>"),
       QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"),
       QStringLiteral("<title>曲柄摇杆机构运动分析结果输出</title>"),
       QStringLiteral("<link href=\"../web/css/style.css\" rel=\"stylesheet\" type=\"text/css\">"),
       QStringLiteral("</head>"), QStringLiteral("<body>"),
       QStringLiteral("<p align=\"center\"><font size=4><strong>──────曲柄摇杆机构运动分析结果"
                      "────── </strong></font></p>")});
  expectLinesInOrder(
      page,
      {QStringLiteral("<br>　◇机构参数：连架杆a=30mm, 连杆b=100mm, 连架杆c=80mm, 机架d=110mm, "
                      "连杆BC上E点LenBE=100mm, δ=0°。"),
       QStringLiteral("<br>　◇机构类型：曲柄摇杆机构。杆a的转角范围:φ<sub>1</sub>=0～360°"),
       QStringLiteral("<br>　◇曲柄AB角速度:60°/s"),
       // the fold angle equals the transmission angle of the position at 0°
       QStringLiteral("<br>　◇φ<sub>1</sub>=0°(杆a与机架重叠共线)时∠BCD=51.31781°"),
       QStringLiteral("<br>　◇φ<sub>1</sub>=180°(杆a与机架拉直共线)时∠BCD=101.53696°"),
       QStringLiteral("(γ=78.46304°)"),
       QStringLiteral("<br>　◇杆a驱动时最小传动角γ<sub>min</sub>=51.31781°"),
       QStringLiteral("<br>　◇φ<sub>1</sub>=37.79488°时,杆a与连杆拉直共线(摇杆c右极限),"
                      "φ<sub>3</sub>=95.21591°,∠BCD=57.42103°"),
       QStringLiteral("<br>　◇φ<sub>1</sub>=226.50339°时,杆a与连杆重叠共线(摇杆c左极限),"
                      "φ<sub>3</sub>=140.59943°,∠BCD=94.09604°"),
       QStringLiteral("(γ=85.90396°)"),
       QStringLiteral("<br>　◇杆a驱动时工作行程(慢行程)的最小传动角γ<sub>min</sub>=57.42103°"),
       QStringLiteral("<br>　◇摇杆摆角(行程)ψ=45.38352°,极位夹角θ=8.70851°,行程速比系数K=1.101681")});

  const QStringList r = rows(page);
  ASSERT_EQ(r.size(), 121);
  // E at the far end of BC is C = (92.5, 78.06)
  EXPECT_EQ(r.first().toStdString(),
            "<tr><td>0</td><td>0.000</td><td>51.318</td><td>51.318</td><td>92.500</td>"
            "<td>78.062</td><td>102.636</td><td>-22.500</td><td>25.939</td></tr>");
  EXPECT_EQ(r.last().toStdString(),
            "<tr><td>120</td><td>360.000</td><td>51.318</td><td>51.318</td><td>92.500</td>"
            "<td>78.062</td><td>102.636</td><td>-22.500</td><td>25.939</td></tr>");
  EXPECT_EQ(page.mid(page.size() - kTail.size()), kTail);
  EXPECT_EQ(page[page.size() - kTail.size() - 1], r.last());
}

TEST_F(TablesTest, RowCountIsTheRoundedNumberOfSteps) {
  struct Case {
    Extended start, end, step;
    qsizetype rows;
    const char* lastAngle;
  };
  for (const Case& c : {Case{0, 10, 30, 1, "0.000"}, Case{0, 10, 3, 4, "9.000"},
                        Case{20, 380, 0.1L, 3601, "380.000"},
                        Case{10, 0, 3, 0, ""}}) {
    ASSERT_TRUE(writeCrankRocker(path(), c.start, c.end, c.step));
    const QStringList page = lines();
    const QStringList r = rows(page);
    EXPECT_EQ(r.size(), c.rows) << double(c.step);
    EXPECT_EQ(column(r, 0).value(r.size() - 1).toStdString(), c.lastAngle);
    EXPECT_EQ(page.mid(page.size() - kTail.size()), kTail);
  }
}

TEST_F(TablesTest, MoreThanAMillionRowsFailWithoutWriting) {
  // A start of -1e7° at a step of 3° would have written for hours.
  EXPECT_FALSE(writeCrankRocker(path(), -1e7L, 360, 3));
}

TEST_F(TablesTest, NoRowsStillWriteTheHeaderRowAndTheTail) {
  ASSERT_TRUE(writeCrankRocker(path(), 90, 0, 3));
  const QStringList page = lines();
  const qsizetype header = page.indexOf(QRegularExpression(QStringLiteral("<tr><th>i</th>.*")));
  ASSERT_GT(header, 0);
  EXPECT_EQ(page.mid(header + 1), kTail);
}

// --- double rocker ---------------------------------------------------------------------

bool writeDoubleRocker(const QString& file, Extended start, Extended end, Extended step) {
  return WriteDoubleRockerTable(file, 120, 75, 100, 95, 60 * kDeg, step * kDeg, start * kDeg,
                                end * kDeg, 50, 0);
}

struct StrokeCase {
  Extended start, end, step;
  QStringList working, back;
};

TEST_F(TablesTest, DoubleRockerFitsTheRangeAndReturns) {
  const QString lo = QStringLiteral("-108.408"), hi = QStringLiteral("108.408");
  for (const StrokeCase& c : {
           StrokeCase{0, 100, 30, {"0.000", "30.000", "60.000", "90.000"},
                      {"100.000", "70.000", "40.000", "10.000"}},
           // the last row of each stroke is held at the end of the range
           StrokeCase{0, 100, 35, {"0.000", "35.000", "70.000", "100.000"},
                      {"100.000", "65.000", "30.000", "0.000"}},
           StrokeCase{-200, 200, 120, {lo, "11.592", hi}, {hi, "-11.592", lo}},
           // a range wholly outside the swing falls back to the whole swing
           StrokeCase{150, 160, 120, {lo, "11.592", hi}, {hi, "-11.592", lo}},
       }) {
    ASSERT_TRUE(writeDoubleRocker(path(), c.start, c.end, c.step));
    const QStringList page = lines();
    const qsizetype turn = page.indexOf(QStringLiteral("<tr><td colspan=\"9\">回程</td></tr>"));
    ASSERT_GT(turn, 0);
    const QStringList working = rows(page.mid(0, turn)), back = rows(page.mid(turn));
    EXPECT_EQ(column(working, 0), c.working) << double(c.step);
    EXPECT_EQ(column(back, 0), c.back) << double(c.step);
    EXPECT_TRUE(working.first().startsWith(QStringLiteral("<tr><td>0</td>")));
    EXPECT_TRUE(back.first().startsWith(QStringLiteral("<tr><td>0</td>")));
    // at an input angle both strokes pass, they pass the same position (phi2 .. phi3)
    for (const QString& w : working)
      for (const QString& b : back)
        if (cells(w)[0] == cells(b)[0]) EXPECT_EQ(cells(w).mid(1, 5), cells(b).mid(1, 5));
  }
}

TEST_F(TablesTest, DoubleRockerBlockAndScientificSpeeds) {
  ASSERT_TRUE(writeDoubleRocker(path(), 0, 100, 30));
  const QStringList page = lines();
  expectLinesInOrder(
      page,
      {QStringLiteral("<br>　◇机构参数：连架杆a=120mm, 连杆b=75mm, 连架杆c=100mm, 机架d=95mm, "
                      "连杆BC上E点LenBE=50mm, δ=0°。"),
       QStringLiteral("<br>　◇杆a和机架d可以重叠共线，杆a可以通过φ=0°位置进入机架d下方。"),
       QStringLiteral("<br>　◇机构类型：双摇杆机构。杆a的转角范围:φ=-108.40848～108.40848°"),
       QStringLiteral("<br>　◇AB角速度:±60°/s"),
       QStringLiteral("</p></td><td rowspan=\"2\"><img src=\"../web/images/jlsg.gif\"></td></tr>")});
  const QRegularExpression fixed(QStringLiteral("^-?\\d+\\.\\d{3}$"));
  const QRegularExpression sci(QStringLiteral("^-?\\d\\.\\d{3}E[+-]\\d{2,}$"));
  for (const QString& r : rows(page)) {
    const QStringList v = cells(r);
    ASSERT_EQ(v.size(), 8);
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(fixed.match(v[i]).hasMatch()) << v[i].toStdString();
    for (int i = 6; i < 8; ++i) EXPECT_TRUE(sci.match(v[i]).hasMatch()) << v[i].toStdString();
  }
  // at 0° the rocker is at a dead centre: the speeds of the zeroed records stay
  EXPECT_EQ(cells(rows(page).first()).mid(6), QStringList({"0.000E+00", "0.000E+00"}));
}

TEST_F(TablesTest, DoubleRockerThroughTheHalfTurnSaysSo) {
  // a + d = b + c: the input link can stretch along the frame
  ASSERT_TRUE(WriteDoubleRockerTable(path(), 100, 40, 110, 50, 1, 0.5L, 0, 2 * kPi, 0, 0));
  const QStringList page = lines();
  EXPECT_TRUE(page.contains(QStringLiteral(
      "<br>　◇杆a和机架d可以拉直共线，杆a可以通过φ=180°位置进入机架d下方。")));
  EXPECT_FALSE(page.contains(QStringLiteral(
      "<br>　◇杆a和机架d可以重叠共线，杆a可以通过φ=0°位置进入机架d下方。")));
}

// --- crank-slider and guide bar ----------------------------------------------------------

TEST_F(TablesTest, CrankSliderRowsInMillimetres) {
  ASSERT_TRUE(WriteCrankSliderTable(path(), 30, 100, 0, 1, 90 * kDeg, 0, 180 * kDeg));
  QStringList page = lines();
  EXPECT_TRUE(page.contains(QStringLiteral("<title>曲柄滑块机构运动分析结果输出</title>")));
  expectLinesInOrder(
      page,
      {QStringLiteral("<p align=\"center\"><strong>────── 分析结果────── </strong></p>"),
       QStringLiteral("<table width=\"60%\" border=\"0\" align=\"center\" cellpadding=\"0\" "
                      "cellspacing=\"1\">"),
       QStringLiteral("<tr><th>i</th><th>φ<sub>i</sub>(°)</th><th>s<sub>i</sub>(mm)</th>"
                      "<th>v<sub>i</sub>(mm/s)</th><th>a<sub>i</sub>(mm/s<sup>2</sup>)</th></tr>"),
       // a = r ω² (1 + λ); at 180° the stroke 2r, and the slider stands still
       QStringLiteral("<tr><td>0</td><td>0.000</td><td>0.000</td><td>0.000</td><td>39.000</td></tr>"),
       QStringLiteral("<tr><td>1</td><td>90.000</td><td>34.606</td><td>30.000</td><td>-9.435</td></tr>"),
       QStringLiteral("<tr><td>2</td><td>180.000</td><td>60.000</td><td>0.000</td><td>-21.000</td></tr>"),
       kTail.first()});

  ASSERT_TRUE(WriteCrankSliderTable(path(), 30, 100, 10, 1, 30 * kDeg, 0, 10 * kDeg));
  page = lines();
  // the offset slider at φ = 0 is short of its farthest position, and already moving back
  EXPECT_EQ(rows(page), QStringList({QStringLiteral(
                            "<tr><td>0</td><td>0.000</td><td>0.116</td><td>-3.015</td>"
                            "<td>39.137</td></tr>")}));
}

TEST_F(TablesTest, GuideBarRowsInDegrees) {
  ASSERT_TRUE(WriteGuideBarTable(path(), 40, 100, 1, 90 * kDeg, 0, 90 * kDeg));
  const QStringList page = lines();
  EXPECT_TRUE(page.contains(QStringLiteral("<title>导杆机构运动分析结果输出</title>")));
  expectLinesInOrder(
      page,
      {QStringLiteral("<tr><th>i</th><th>φ<sub>i</sub>(°)</th><th>ψ<sub>i</sub>(°)</th>"
                      "<th>ω<sub>i</sub>(°/s)</th><th>α<sub>i</sub>(°/s<sup>2</sup>)</th></tr>"),
       // atan(0.4), -r²/(r²+d²) and -r/(d+r) rad/s in degrees
       QStringLiteral("<tr><td>0</td><td>0.000</td><td>21.801</td><td>-7.903</td><td>-14.307</td></tr>"),
       QStringLiteral("<tr><td>1</td><td>90.000</td><td>0.000</td><td>-16.370</td><td>0.000</td></tr>"),
       kTail.first()});
}

// --- bytes and failures ------------------------------------------------------------------

TEST_F(TablesTest, BytesAreGb18030WithCrLf) {
  ASSERT_TRUE(writeCrankRocker(path(), 0, 30, 3));
  const QByteArray raw = bytes();
  QStringDecoder decoder("GB18030");
  const QString text = decoder.decode(raw);
  EXPECT_FALSE(decoder.hasError());
  EXPECT_EQ(raw.count('\n'), raw.count("\r\n"));
  EXPECT_EQ(raw.count('\r'), raw.count("\r\n"));
  EXPECT_TRUE(raw.contains("<title>\xC7\xFA\xB1\xFA"));  // 曲柄 in code page 936
  EXPECT_TRUE(raw.contains("<th>\xA6\xD5<sub>1</sub>(\xA1\xE3)</th>"));  // φ, °
  EXPECT_FALSE(text.contains(u'\uFFFD'));
}

TEST_F(TablesTest, MissingFolderFails) {
  const QString file = m_dir.filePath(QStringLiteral("result/temp.htm"));
  EXPECT_FALSE(writeCrankRocker(file, 0, 360, 3));
  EXPECT_FALSE(WriteGuideBarTable(file, 40, 100, 1, 0.1L, 0, 1));
  EXPECT_FALSE(QFile::exists(file));
}

TEST_F(TablesTest, FullDiskFails) {
  if (!QFile::exists(QStringLiteral("/dev/full"))) GTEST_SKIP() << "no /dev/full";
  EXPECT_FALSE(writeCrankRocker(QStringLiteral("/dev/full"), 0, 360, 0.1L));
}

TEST_F(TablesTest, NumericFaultKeepsTheRowsBeforeIt) {
  // a crank longer than the rod: the root fails from about 56° on
  ASSERT_FALSE(WriteCrankSliderTable(path(), 120, 100, 0, 1, 30 * kDeg, 0, 90 * kDeg));
  const QStringList page = lines();
  const QStringList r = rows(page);
  ASSERT_EQ(column(r, 0), QStringList({"0.000", "30.000"}));
  EXPECT_EQ(page.last(), r.last());
  EXPECT_FALSE(DecodeText(bytes()).contains(QStringLiteral("nan"), Qt::CaseInsensitive));
}

TEST_F(TablesTest, NumericFaultInTheCharacteristicsStopsThere) {
  // b = a: the folded extreme position is undefined, everything before it is written
  ASSERT_FALSE(WriteCrankRockerTable(path(), 30, 30, 80, 80, 1, 0.1L, 0, 1, 0, 0));
  const QStringList page = lines();
  EXPECT_TRUE(page.last().contains(QStringLiteral("(摇杆c右极限)"))) << page.last().toStdString();
}

TEST_F(TablesTest, ZeroStepFailsAfterTheHeaderRow) {
  ASSERT_FALSE(WriteGuideBarTable(path(), 40, 100, 1, 0, 0, 1));
  EXPECT_TRUE(lines().last().startsWith(QStringLiteral("<tr><th>i</th>")));
  ASSERT_FALSE(writeDoubleRocker(path(), 0, 100, 0));
  EXPECT_TRUE(lines().last().startsWith(QStringLiteral("<tr><th>i</th>")));
}

TEST_F(TablesTest, UnclosableDoubleRockerFailsInTheRange) {
  EXPECT_FALSE(WriteDoubleRockerTable(path(), 1, 1, 1, 10, 1, 0.1L, 0, 1, 0, 0));
}

TEST_F(TablesTest, CallersFloatingPointFlagsAreKept) {
  std::feclearexcept(FE_ALL_EXCEPT);
  std::feraiseexcept(FE_DIVBYZERO);
  EXPECT_FALSE(WriteCrankSliderTable(path(), 120, 100, 0, 1, 30 * kDeg, 0, 90 * kDeg));
  EXPECT_TRUE(std::fetestexcept(FE_DIVBYZERO));
  EXPECT_FALSE(std::fetestexcept(FE_INVALID));
  std::feclearexcept(FE_ALL_EXCEPT);
  EXPECT_TRUE(writeCrankRocker(path(), 0, 360, 3));
  EXPECT_FALSE(std::fetestexcept(FE_ALL_EXCEPT & ~FE_INEXACT & ~FE_UNDERFLOW));
}

}  // namespace
