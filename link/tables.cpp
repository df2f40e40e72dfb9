// The four result pages and their CSV twins. Lines go to the file in chunks as they are made,
// so a failure part way leaves the table written up to the last good line, and a long table
// never sits whole in memory. Every line is checked for a floating-point fault before it is
// accepted.
#include "link/tables.h"

#include "base/errors.h"
#include "base/fpu.h"
#include "base/numfmt.h"
#include "base/textfile.h"
#include "link/kinematics.h"
#include "link/motion_data.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <cfenv>
#include <cmath>
#include <functional>
#include <initializer_list>

namespace {

constexpr Extended kToDeg = 180 / kPi;
constexpr qsizetype kChunkChars = 32 * 1024;

class PageWriter {
public:
  PageWriter(QIODevice& out, TableFormat format) : m_out(out), m_format(format) {}

  void open() {
    if (auto* file = qobject_cast<QFile*>(&m_out); file && !file->isOpen() &&
                                                    !file->open(QIODevice::WriteOnly | QIODevice::Truncate))
      throw EFileError(QStringLiteral("无法创建文件“%1”。").arg(file->fileName()));
    // A byte-order mark tells spreadsheets the text is UTF-8.
    if (m_format == TableFormat::Csv) write(QByteArrayLiteral("\xEF\xBB\xBF"));
  }

  // A line whose numbers came out of a faulty operation is not written.
  void line(const QString& text) {
    FpuCheck();
    m_pending += text;
    m_pending += QLatin1String("\r\n");
    if (m_pending.size() >= kChunkChars) flush();
  }

  void close() {
    flush();
    if (auto* file = qobject_cast<QFileDevice*>(&m_out)) {
      if (!file->flush()) fail();
      file->close();
      if (file->error() != QFileDevice::NoError) fail();
    }
  }

  // After a failure: keep what was accepted so far, as far as the device takes it.
  void abandon() noexcept {
    try {
      flush();
    } catch (...) {
    }
    if (auto* file = qobject_cast<QFileDevice*>(&m_out)) file->close();
  }

private:
  void flush() {
    if (m_pending.isEmpty()) return;
    const QByteArray bytes = encode(m_pending);
    m_pending.clear();
    write(bytes);
  }

  QByteArray encode(const QString& text) const {
    if (m_format == TableFormat::Csv) return text.toUtf8();
    // Rows are ASCII, which GB18030 keeps byte for byte; only the page's head needs the codec.
    const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
    return ascii ? text.toLatin1() : EncodeText(text);
  }

  void write(const QByteArray& bytes) {
    if (m_out.write(bytes) != bytes.size()) fail();
  }

  [[noreturn]] void fail() {
    const auto* file = qobject_cast<QFileDevice*>(&m_out);
    throw EFileError(QStringLiteral("写文件“%1”出错。").arg(file ? file->fileName() : QString()));
  }

  QIODevice& m_out;
  TableFormat m_format;
  QString m_pending;
};

// "<tr><td>i</td><td>…</td></tr>" from the row's cells.
QString htmlRow(const QStringList& cells) {
  return QStringLiteral("<tr><td>") + cells.join(QStringLiteral("</td><td>")) + QStringLiteral("</td></tr>");
}

void writeHead(PageWriter& page, const QString& title) {
  page.line(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\" "
                           "\"http://www.w3.org/TR/html4/loose.dtd\">"));
  page.line(QStringLiteral("<html>"));
  page.line(QStringLiteral("<head>"));
  page.line(QStringLiteral(
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"));
  page.line(QStringLiteral("<title>") + title + QStringLiteral("</title>"));
  page.line(QStringLiteral("<link href=\"../web/css/style.css\" rel=\"stylesheet\" type=\"text/css\">"));
  page.line(QStringLiteral("</head>"));
  page.line(QStringLiteral("<body>"));
}

void writeTail(PageWriter& page) {
  page.line(QStringLiteral("</table>"));
  page.line(QStringLiteral("<p>&nbsp;</p><hr align=\"center\" width=\"65%\" size=\"1\">"));
  page.line(QStringLiteral("<p align=\"center\">Kinvora 平面连杆机构设计与运动分析</p>"));
  page.line(QStringLiteral("</body>"));
  page.line(QStringLiteral("</html>"));
}

// Runs one whole table under one guard. The caller's floating-point flags are kept as they
// were, so a fault of the table is reported only by the result.
bool guardedTable(PageWriter& page, const std::function<void()>& body) {
  std::fexcept_t callerFlags;
  std::fegetexceptflag(&callerFlags, FE_ALL_EXCEPT);
  bool ok = false;
  try {
    FpuClear();
    page.open();
    body();
    page.close();
    ok = true;
  } catch (...) {
    page.abandon();
  }
  std::fesetexceptflag(&callerFlags, FE_ALL_EXCEPT);
  return ok;
}

// Lines shared by the two four-bar pages.
const QString& fourBarTableStart() {
  static const QString text = QStringLiteral(
      "<table width=\"75%\" border=\"0\" align=\"center\" cellpadding=\"0\" cellspacing=\"1\">");
  return text;
}

const QString& fourBarHeaderRow() {
  static const QString text = QStringLiteral(
      "<tr><th>i</th><th>φ<sub>1</sub>(°)</th><th>φ<sub>2</sub>(°)</th><th>γ(°)</th>"
      "<th>Ex(mm)</th><th>Ey(mm)</th><th>φ<sub>3</sub>(°)</th><th>ω(°/s)</th>"
      "<th>α(°/s<sup>2</sup>)</th></tr>");
  return text;
}

const QString& fourBarTableCaption() {
  static const QString text = QStringLiteral(
      "<strong>2.机构位置角φ<sub>1</sub>，φ<sub>2</sub>，传动角γ，E点位置坐标（Ex,Ey），"
      "位置角φ<sub>3</sub>及其角速度ω、角加速度α：</strong></p>");
  return text;
}

void writeFourBarIntro(PageWriter& page, const QString& heading, Extended a, Extended b,
                       Extended c, Extended d, Extended lenBE, Extended delta) {
  page.line(QStringLiteral("<p align=\"center\"><font size=4><strong>──────") + heading +
            QStringLiteral("────── </strong></font></p>"));
  page.line(QStringLiteral(
      "<table width=\"80%\" border=\"0\" align=\"center\" cellpadding=\"0\" cellspacing=\"0\">"));
  page.line(QStringLiteral("<tr><td>"));
  page.line(QStringLiteral("<p align=\"left\"><strong>1.机构特征参数：</strong>"));
  page.line(QStringLiteral("<br>　◇机构参数：连架杆a=") + FormatR(a, 4) +
            QStringLiteral("mm, 连杆b=") + FormatR(b, 4) + QStringLiteral("mm, 连架杆c=") +
            FormatR(c, 4) + QStringLiteral("mm, 机架d=") + FormatR(d, 4) +
            QStringLiteral("mm, 连杆BC上E点LenBE=") + FormatR(lenBE, 5) +
            QStringLiteral("mm, δ=") + FormatR(delta * kToDeg, 5) + QStringLiteral("°。"));
}

// "(γ=…°)" after an angle BCD above 90°.
void writeObtuseNote(PageWriter& page, Extended angleBCD) {
  if (angleBCD > 90) page.line(QStringLiteral("(γ=") + FormatR(180 - angleBCD, 5) + QStringLiteral("°)"));
}

// Angle in degrees from the law of cosines.
Extended acosDeg(Extended x) { return std::acos(x) * kToDeg; }

}  // namespace


namespace {

void writeCrankRockerIntro(PageWriter& page, const Linkage& k, const MotionSettings& s) {
  const Extended a = k.AB, b = k.BC, c = k.CD, d = k.AD;
  writeFourBarIntro(page, QStringLiteral("曲柄摇杆机构运动分析结果"), a, b, c, d, s.lenBE, s.delta);
  page.line(QStringLiteral("<br>　◇机构类型：曲柄摇杆机构。杆a的转角范围:φ<sub>1</sub>=0～360°"));
  page.line(QStringLiteral("<br>　◇曲柄AB角速度:") + FormatR(s.omega * kToDeg, 4) + QStringLiteral("°/s"));

  // angle BCD with the crank folded onto (x0) and stretched along (x180) the frame
  const Extended x0 = acosDeg((b * b + c * c - (d - a) * (d - a)) / (2 * b * c));
  page.line(QStringLiteral("<br>　◇φ<sub>1</sub>=0°(杆a与机架重叠共线)时∠BCD=") + FormatR(x0, 5) +
            QStringLiteral("°"));
  writeObtuseNote(page, x0);
  const Extended x180 = acosDeg((b * b + c * c - (d + a) * (d + a)) / (2 * b * c));
  page.line(QStringLiteral("<br>　◇φ<sub>1</sub>=180°(杆a与机架拉直共线)时∠BCD=") + FormatR(x180, 5) +
            QStringLiteral("°"));
  writeObtuseNote(page, x180);
  page.line(QStringLiteral("<br>　◇杆a驱动时最小传动角γ<sub>min</sub>=") + FormatR(std::min(x0, 180 - x180), 5) +
            QStringLiteral("°"));

  // right extreme: crank and coupler stretched in line, |AC| = a + b
  const Extended ab = a + b;
  const Extended phiR = acosDeg((d * d - c * c + ab * ab) / (2 * d * ab));
  const Extended psiR = 180 - acosDeg((c * c + d * d - ab * ab) / (2 * c * d));
  page.line(QStringLiteral("<br>　◇φ<sub>1</sub>=") + FormatR(phiR, 5) +
            QStringLiteral("°时,杆a与连杆拉直共线(摇杆c右极限),φ<sub>3</sub>=") + FormatR(psiR, 5) +
            QStringLiteral("°,∠BCD=") + FormatR(psiR - phiR, 5) + QStringLiteral("°"));
  writeObtuseNote(page, psiR - phiR);

  // left extreme: crank and coupler folded in line, |AC| = b - a
  const Extended ba = b - a;
  const Extended phiL = acosDeg((d * d + ba * ba - c * c) / (2 * d * ba));
  const Extended psiL = 180 - acosDeg((c * c + d * d - ba * ba) / (2 * c * d));
  page.line(QStringLiteral("<br>　◇φ<sub>1</sub>=") + FormatR(phiL + 180, 5) +
            QStringLiteral("°时,杆a与连杆重叠共线(摇杆c左极限),φ<sub>3</sub>=") + FormatR(psiL, 5) +
            QStringLiteral("°,∠BCD=") + FormatR(psiL - phiL, 5) + QStringLiteral("°"));
  writeObtuseNote(page, psiL - phiL);

  const Extended gammaW = std::min({acosDeg((c * c + ab * ab - d * d) / (2 * c * ab)), 180 - x180,
                                    acosDeg((c * c + ba * ba - d * d) / (2 * c * ba))});
  page.line(QStringLiteral("<br>　◇杆a驱动时工作行程(慢行程)的最小传动角γ<sub>min</sub>=") + FormatR(gammaW, 5) +
            QStringLiteral("°"));
  const Extended theta = std::fabs(phiL - phiR);
  page.line(QStringLiteral("<br>　◇摇杆摆角(行程)ψ=") + FormatR(psiL - psiR, 5) + QStringLiteral("°,极位夹角θ=") +
            FormatR(theta, 5) + QStringLiteral("°,行程速比系数K=") + FormatR((180 + theta) / (180 - theta), 6));
  page.line(QStringLiteral("<br></p><p align=\"left\">") + fourBarTableCaption());
  page.line(QStringLiteral("</td><td><img src=\"../web/images/jlsg.gif\"></td></tr>"));
  page.line(QStringLiteral("</table>"));
  page.line(fourBarTableStart());
  page.line(fourBarHeaderRow());
}

void writeDoubleRockerIntro(PageWriter& page, const Linkage& k, const MotionSettings& s) {
  writeFourBarIntro(page, QStringLiteral("双摇杆机构运动分析结果"), k.AB, k.BC, k.CD, k.AD, s.lenBE, s.delta);
  Extended phi1min = 0, phi1max = 0, phi3min = 0, phi3max = 0;
  FourBarRange(k.AB, k.BC, k.CD, k.AD, phi1min, phi1max, phi3min, phi3max);
  if (phi1min > 0 && phi1max < kPi)
    page.line(QStringLiteral("<br>　◇杆a和机架d不能共线，杆a只能处于机架d上方(或下方)。"));
  if (phi1max >= kPi)
    page.line(QStringLiteral("<br>　◇杆a和机架d可以拉直共线，杆a可以通过φ=180°位置进入机架d下方。"));
  if (phi1min <= 0 && phi1max > 0)
    page.line(QStringLiteral("<br>　◇杆a和机架d可以重叠共线，杆a可以通过φ=0°位置进入机架d下方。"));
  page.line(QStringLiteral("<br>　◇机构类型：双摇杆机构。杆a的转角范围:φ=") + FormatR(phi1min * kToDeg, 5) +
            QStringLiteral("～") + FormatR(phi1max * kToDeg, 5) + QStringLiteral("°"));
  page.line(QStringLiteral("<br>　◇AB角速度:±") + FormatR(s.omega * kToDeg, 4) + QStringLiteral("°/s"));
  page.line(QStringLiteral("</p></td><td rowspan=\"2\"><img src=\"../web/images/jlsg.gif\"></td></tr>"));
  page.line(QStringLiteral("<tr><td valign=\"bottom\"><p align=\"left\">") + fourBarTableCaption() +
            QStringLiteral("</td></tr>"));
  page.line(QStringLiteral("</table>"));
  page.line(fourBarTableStart());
  page.line(fourBarHeaderRow());
}

void writeSingleTablePage(PageWriter& page, const QString& headerRow) {
  page.line(QStringLiteral("<p align=\"center\"><strong>────── 分析结果────── </strong></p>"));
  page.line(QStringLiteral(
      "<table width=\"60%\" border=\"0\" align=\"center\" cellpadding=\"0\" cellspacing=\"1\">"));
  page.line(headerRow);
}

QString pageTitle(MotionTableKind kind) {
  switch (kind) {
    case MotionTableKind::CrankRocker: return QStringLiteral("曲柄摇杆机构运动分析结果输出");
    case MotionTableKind::DoubleRocker: return QStringLiteral("双摇杆机构运动分析结果输出");
    case MotionTableKind::CrankSlider: return QStringLiteral("曲柄滑块机构运动分析结果输出");
    case MotionTableKind::GuideBar: return QStringLiteral("导杆机构运动分析结果输出");
  }
  return {};
}

void writePageIntro(PageWriter& page, MotionTableKind kind, const Linkage& k, const MotionSettings& s) {
  switch (kind) {
    case MotionTableKind::CrankRocker: writeCrankRockerIntro(page, k, s); break;
    case MotionTableKind::DoubleRocker: writeDoubleRockerIntro(page, k, s); break;
    case MotionTableKind::CrankSlider:
      // The slider moves in mm: its velocity and acceleration are mm/s and mm/s².
      writeSingleTablePage(page, QStringLiteral(
          "<tr><th>i</th><th>φ<sub>i</sub>(°)</th><th>s<sub>i</sub>(mm)</th>"
          "<th>v<sub>i</sub>(mm/s)</th><th>a<sub>i</sub>(mm/s<sup>2</sup>)</th></tr>"));
      break;
    case MotionTableKind::GuideBar:
      writeSingleTablePage(page, QStringLiteral(
          "<tr><th>i</th><th>φ<sub>i</sub>(°)</th><th>ψ<sub>i</sub>(°)</th>"
          "<th>ω<sub>i</sub>(°/s)</th><th>α<sub>i</sub>(°/s<sup>2</sup>)</th></tr>"));
      break;
  }
}

const QString& returnStrokeCaption() {
  static const QString text = QStringLiteral("回程");
  return text;
}

void writeHtml(PageWriter& page, MotionTableKind kind, const Linkage& k, const MotionSettings& s) {
  writeHead(page, pageTitle(kind));
  writePageIntro(page, kind, k, s);
  ForEachMotionRow(
      kind, k, s, [&](const MotionRow& r) { page.line(htmlRow(MotionCells(kind, r))); },
      [&] { page.line(QStringLiteral("<tr><td colspan=\"9\">") + returnStrokeCaption() + QStringLiteral("</td></tr>")); });
  writeTail(page);
}

// One header line with units, then one line per row; the double rocker's return block is
// announced by a line of its own, as the page does.
void writeCsv(PageWriter& page, MotionTableKind kind, const Linkage& k, const MotionSettings& s) {
  const QString comma = QStringLiteral(",");
  page.line(MotionHeader(kind).join(comma));
  ForEachMotionRow(
      kind, k, s, [&](const MotionRow& r) { page.line(MotionCells(kind, r).join(comma)); },
      [&] { page.line(returnStrokeCaption()); });
}

}  // namespace

bool WriteMotionTable(QIODevice& out, TableFormat format, MotionTableKind kind, const Linkage& linkage,
                      const MotionSettings& settings) {
  PageWriter page(out, format);
  return guardedTable(page, [&] {
    if (format == TableFormat::Csv)
      writeCsv(page, kind, linkage, settings);
    else
      writeHtml(page, kind, linkage, settings);
  });
}

bool WriteMotionTable(const QString& file, TableFormat format, MotionTableKind kind, const Linkage& linkage,
                      const MotionSettings& settings) {
  QFile out(file);
  return WriteMotionTable(out, format, kind, linkage, settings);
}

bool WriteCrankRockerTable(const QString& file, Extended a, Extended b, Extended c, Extended d,
                           Extended omega, Extended step, Extended start, Extended end,
                           Extended lenBE, Extended delta) {
  return WriteMotionTable(file, TableFormat::Html, MotionTableKind::CrankRocker,
                          Linkage::FourBar(LinkageKind::CrankRocker, a, b, c, d),
                          {omega, step, start, end, lenBE, delta});
}

bool WriteDoubleRockerTable(const QString& file, Extended a, Extended b, Extended c, Extended d,
                            Extended omega, Extended step, Extended start, Extended end,
                            Extended lenBE, Extended delta) {
  return WriteMotionTable(file, TableFormat::Html, MotionTableKind::DoubleRocker,
                          Linkage::FourBar(LinkageKind::FourBarByKind, a, b, c, d),
                          {omega, step, start, end, lenBE, delta});
}

bool WriteCrankSliderTable(const QString& file, Extended r, Extended l, Extended e,
                           Extended omega, Extended step, Extended start, Extended end) {
  return WriteMotionTable(file, TableFormat::Html, MotionTableKind::CrankSlider, Linkage::CrankSlider(r, l, e),
                          {omega, step, start, end});
}

bool WriteGuideBarTable(const QString& file, Extended r, Extended d, Extended omega,
                        Extended step, Extended start, Extended end) {
  return WriteMotionTable(file, TableFormat::Html, MotionTableKind::GuideBar, Linkage::GuideBar(r, d),
                          {omega, step, start, end});
}
