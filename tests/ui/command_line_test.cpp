// The real program's --export: its failures (one line on stderr, a non-zero status, nothing
// written), and for a record of each window kind a CSV whose rows equal the panel's table.
#include "base/textfile.h"
#include "link/tables.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr Extended kDeg = kPi / 180;

struct Outcome {
  int status = -1;
  QByteArray out, err;
};

Outcome kinvora(const QStringList& args) {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.remove(QStringLiteral("DISPLAY"));  // it must not need one
  env.remove(QStringLiteral("QT_QPA_PLATFORM"));
  p.setProcessEnvironment(env);
  p.start(QStringLiteral(KV_TEST_APPDIR "kinvora"), args);
  EXPECT_TRUE(p.waitForFinished(30000));
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
          p.readAllStandardError()};
}

class CommandLine : public ::testing::Test {
protected:
  QString record(const QString& name, const QByteArray& body) const {
    const QString path = m_dir.filePath(name + QStringLiteral(".des"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[DesignInfo]\r\n" + body);
    return path;
  }
  QString out() const { return m_dir.filePath(QStringLiteral("out.csv")); }
  QTemporaryDir m_dir;
};

struct Failure {
  const char* why;
  QByteArray record;  // empty: no such file
  QStringList extra;
};

TEST_F(CommandLine, FailuresSayOneLineAndWriteNothing) {
  const QByteArray rocker = "DsMethod=JHTX\r\nDsStep=4\r\nDsType=0\r\nJHTXLena=30\r\nJHTXLenb=100\r\n"
                            "JHTXLenc=80\r\nJHTXLend=110\r\n";
  const Failure cases[] = {
      {"no such file", {}, {}},
      {"not reached", "DsMethod=JHTX\r\nDsStep=2\r\nDsType=0\r\nJHTXLena=30\r\n", {}},
      {"no analysis in the type", "DsMethod=CDJSJ\r\nDsStep=3\r\nDsType=3\r\n", {}},
      {"unknown method", "DsMethod=XYZ\r\nDsStep=9\r\n", {}},
      {"range backwards", rocker, {"--range", "10:0:1"}},
      {"zero step", rocker, {"--range", "0:360:0"}},
      {"too many rows", rocker, {"--range", "0:360:0.01"}},
      {"not a number", rocker, {"--range", "a:360:1"}},
      {"bad format", rocker, {"--format", "xls"}},
      {"zero speed", rocker, {"--omega", "0"}},
  };
  for (const Failure& c : cases) {
    const QString path = c.record.isEmpty() ? m_dir.filePath(QStringLiteral("none.des")) : record(QStringLiteral("r"), c.record);
    QStringList args = {QStringLiteral("--export"), path, QStringLiteral("--output"), out()};
    if (!c.extra.contains(QStringLiteral("--format"))) args << QStringLiteral("--format") << QStringLiteral("csv");
    args << c.extra;
    const Outcome r = kinvora(args);
    EXPECT_NE(r.status, 0) << c.why;
    EXPECT_EQ(r.err.count('\n'), 1) << c.why << ": " << r.err.toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << c.why;
    EXPECT_FALSE(QFile::exists(out())) << c.why;
  }
}

struct Kind {
  const char* name;
  QByteArray record;
  const char* range;
  std::function<bool(const QString&, Extended step, Extended start, Extended end)> page;
};

TEST_F(CommandLine, CsvRowsEqualThePanelsTable) {
  const Kind kinds[] = {
      {"four-bar", "DsMethod=DYWZ\r\nDsStep=6\r\nDsType=0\r\nDYWZlena=30\r\nDYWZlenb=100\r\nDYWZlenc=80\r\nDYWZlend=110\r\n",
       "0:360:0.1",
       [](const QString& f, Extended step, Extended start, Extended end) {
         return WriteCrankRockerTable(f, 30, 100, 80, 110, kDeg, step, start, end, 50, 0);
       }},
      {"double rocker", "DsMethod=HSGX\r\nDsStep=5\r\nDsType=0\r\nHSJGlena=120\r\nHSJGlenb=75\r\nHSJGlenc=100\r\nHSJGlend=95\r\n",
       "0:360:3",
       [](const QString& f, Extended step, Extended start, Extended end) {
         return WriteDoubleRockerTable(f, 120, 75, 100, 95, kDeg, step, start, end, 50, 0);
       }},
      {"crank-slider", "DsMethod=DYWZ\r\nDsStep=4\r\nDsType=1\r\nDYWZm=30\r\nDYWZn=100\r\nDYWZl=10\r\n", "0:360:3",
       [](const QString& f, Extended step, Extended start, Extended end) {
         return WriteCrankSliderTable(f, 30, 100, 10, kDeg, step, start, end);
       }},
      {"guide bar", "DsMethod=JHTX\r\nDsStep=3\r\nDsType=2\r\nJHTXLena=40\r\nJHTXLend=100\r\n", "0:360:3",
       [](const QString& f, Extended step, Extended start, Extended end) {
         return WriteGuideBarTable(f, 40, 100, kDeg, step, start, end);
       }},
  };
  for (const Kind& k : kinds) {
    const QStringList range = QString::fromLatin1(k.range).split(u':');
    const Outcome r = kinvora({QStringLiteral("--export"), record(QStringLiteral("k"), k.record), QStringLiteral("--format"),
                           QStringLiteral("csv"), QStringLiteral("--range"), QString::fromLatin1(k.range)});
    ASSERT_EQ(r.status, 0) << k.name << ": " << r.err.toStdString();
    const QString page = m_dir.filePath(QStringLiteral("page.htm"));
    ASSERT_TRUE(k.page(page, range[2].toDouble() * kDeg, range[0].toDouble() * kDeg, range[1].toDouble() * kDeg));
    QFile f(page);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QStringList expected;
    for (QString line : DecodeText(f.readAll()).split(QStringLiteral("\r\n")))
      if (line.startsWith(QStringLiteral("<tr><td>")) && line.size() > 8 && line[8].isDigit())
        expected << line.mid(8, line.size() - 18).replace(QStringLiteral("</td><td>"), QStringLiteral(","));
    QStringList rows = QString::fromUtf8(r.out.mid(3)).split(QStringLiteral("\r\n")).filter(QRegularExpression(QStringLiteral("^\\d")));
    EXPECT_EQ(rows, expected) << k.name;
    if (QString::fromLatin1(k.name) == QStringLiteral("four-bar")) EXPECT_EQ(rows.size(), 3601);
  }
}

}  // namespace
