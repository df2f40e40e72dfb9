// The four result pages. Lines go to the file in chunks as they are made, so a failure part
// way leaves the page written up to the last good line, and a long table never sits whole in
// memory. Every line is checked for a floating-point fault before it is accepted.
#include "link/tables.h"

#include "base/errors.h"
#include "base/fpu.h"
#include "base/numfmt.h"
#include "base/textfile.h"
#include "link/kinematics.h"

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
// More rows than any disk holds; beyond it the step count is not a number of rows at all.
// A million rows take a few seconds and some 50 MB; a range or step typed past that would keep
// the program busy for hours, so it fails as an overflow instead.
constexpr Extended kMaxSteps = 1e6L;

class PageWriter {
public:
  explicit PageWriter(const QString& path) : m_file(path) {}

  void open() {
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate))
      throw EFileError(QStringLiteral("无法创建文件“%1”。").arg(m_file.fileName()));
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
    if (!m_file.flush()) fail();
    m_file.close();
    if (m_file.error() != QFileDevice::NoError) fail();
  }

  // After a failure: keep what was accepted so far, as far as the file takes it.
  void abandon() noexcept {
    try {
      flush();
    } catch (...) {
    }
    m_file.close();
  }

private:
  void flush() {
    if (m_pending.isEmpty()) return;
    const QByteArray bytes = EncodeText(m_pending);
    m_pending.clear();
    if (m_file.write(bytes) != bytes.size()) fail();
  }

  [[noreturn]] void fail() {
    throw EFileError(QStringLiteral("写文件“%1”出错。").arg(m_file.fileName()));
  }

  QFile m_file;
  QString m_pending;
};

QString fixed3(Extended v) { return FormatFixed(v, 3); }
QString sci3(Extended v) { return FormatExp(v, 3); }

QString row(long long i, std::initializer_list<QString> cells) {
  QString out = QStringLiteral("<tr><td>") + QString::number(i) + QStringLiteral("</td>");
  for (const QString& cell : cells) out += QStringLiteral("<td>") + cell + QStringLiteral("</td>");
  out += QStringLiteral("</tr>");
  return out;
}

// n of the rows 0 … n; negative when end lies before start.
long long stepCount(Extended start, Extended end, Extended step) {
  const Extended q = (end - start) / step;
  FpuCheck();  // a zero step
  if (!(std::fabs(q) <= kMaxSteps)) {
    std::feraiseexcept(FE_OVERFLOW);
    FpuCheck();
  }
  return static_cast<long long>(std::nearbyint(q));  // halves to even
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

// Writes one whole page under one guard. The caller's floating-point flags are kept as they
// were, so a fault of the page is reported only by the result.
bool writePage(const QString& path, const QString& title,
               const std::function<void(PageWriter&)>& body) {
  std::fexcept_t callerFlags;
  std::fegetexceptflag(&callerFlags, FE_ALL_EXCEPT);
  PageWriter page(path);
  bool ok = false;
  try {
    FpuClear();
    page.open();
    writeHead(page, title);
    body(page);
    writeTail(page);
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

bool WriteCrankRockerTable(const QString& file, Extended a, Extended b, Extended c, Extended d,
                           Extended omega, Extended step, Extended start, Extended end,
                           Extended lenBE, Extended delta) {
  return writePage(file, QStringLiteral("曲柄摇杆机构运动分析结果输出"), [&](PageWriter& page) {
    writeFourBarIntro(page, QStringLiteral("曲柄摇杆机构运动分析结果"), a, b, c, d, lenBE, delta);
    page.line(QStringLiteral("<br>　◇机构类型：曲柄摇杆机构。杆a的转角范围:φ<sub>1</sub>=0～360°"));
    page.line(QStringLiteral("<br>　◇曲柄AB角速度:") + FormatR(omega * kToDeg, 4) +
              QStringLiteral("°/s"));

    // angle BCD with the crank folded onto (x0) and stretched along (x180) the frame
    const Extended x0 = acosDeg((b * b + c * c - (d - a) * (d - a)) / (2 * b * c));
    page.line(QStringLiteral("<br>　◇φ<sub>1</sub>=0°(杆a与机架重叠共线)时∠BCD=") +
              FormatR(x0, 5) + QStringLiteral("°"));
    writeObtuseNote(page, x0);
    const Extended x180 = acosDeg((b * b + c * c - (d + a) * (d + a)) / (2 * b * c));
    page.line(QStringLiteral("<br>　◇φ<sub>1</sub>=180°(杆a与机架拉直共线)时∠BCD=") +
              FormatR(x180, 5) + QStringLiteral("°"));
    writeObtuseNote(page, x180);
    page.line(QStringLiteral("<br>　◇杆a驱动时最小传动角γ<sub>min</sub>=") +
              FormatR(std::min(x0, 180 - x180), 5) + QStringLiteral("°"));

    // right extreme: crank and coupler stretched in line, |AC| = a + b
    const Extended ab = a + b;
    const Extended phiR = acosDeg((d * d - c * c + ab * ab) / (2 * d * ab));
    const Extended psiR = 180 - acosDeg((c * c + d * d - ab * ab) / (2 * c * d));
    page.line(QStringLiteral("<br>　◇φ<sub>1</sub>=") + FormatR(phiR, 5) +
              QStringLiteral("°时,杆a与连杆拉直共线(摇杆c右极限),φ<sub>3</sub>=") +
              FormatR(psiR, 5) + QStringLiteral("°,∠BCD=") + FormatR(psiR - phiR, 5) +
              QStringLiteral("°"));
    writeObtuseNote(page, psiR - phiR);

    // left extreme: crank and coupler folded in line, |AC| = b - a
    const Extended ba = b - a;
    const Extended phiL = acosDeg((d * d + ba * ba - c * c) / (2 * d * ba));
    const Extended psiL = 180 - acosDeg((c * c + d * d - ba * ba) / (2 * c * d));
    page.line(QStringLiteral("<br>　◇φ<sub>1</sub>=") + FormatR(phiL + 180, 5) +
              QStringLiteral("°时,杆a与连杆重叠共线(摇杆c左极限),φ<sub>3</sub>=") +
              FormatR(psiL, 5) + QStringLiteral("°,∠BCD=") + FormatR(psiL - phiL, 5) +
              QStringLiteral("°"));
    writeObtuseNote(page, psiL - phiL);

    const Extended gammaW =
        std::min({acosDeg((c * c + ab * ab - d * d) / (2 * c * ab)), 180 - x180,
                  acosDeg((c * c + ba * ba - d * d) / (2 * c * ba))});
    page.line(QStringLiteral("<br>　◇杆a驱动时工作行程(慢行程)的最小传动角γ<sub>min</sub>=") +
              FormatR(gammaW, 5) + QStringLiteral("°"));
    const Extended theta = std::fabs(phiL - phiR);
    page.line(QStringLiteral("<br>　◇摇杆摆角(行程)ψ=") + FormatR(psiL - psiR, 5) +
              QStringLiteral("°,极位夹角θ=") + FormatR(theta, 5) +
              QStringLiteral("°,行程速比系数K=") + FormatR((180 + theta) / (180 - theta), 6));
    page.line(QStringLiteral("<br></p><p align=\"left\">") + fourBarTableCaption());
    page.line(QStringLiteral("</td><td><img src=\"../web/images/jlsg.gif\"></td></tr>"));
    page.line(QStringLiteral("</table>"));
    page.line(fourBarTableStart());
    page.line(fourBarHeaderRow());

    const long long n = stepCount(start, end, step);
    for (long long i = 0; i <= n; ++i) {
      const Extended phi1 = start + i * step;
      Extended gamma, phi2, phi3, omega3, eps3, ex, ey;
      FourBarAt(phi1, omega, a, b, c, d, delta, lenBE, gamma, phi2, phi3, omega3, eps3, ex, ey);
      page.line(row(i, {fixed3(phi1 * kToDeg), fixed3(phi2 * kToDeg), fixed3(gamma * kToDeg),
                             fixed3(ex), fixed3(ey), fixed3(phi3 * kToDeg),
                             fixed3(omega3 * kToDeg), fixed3(eps3 * kToDeg)}));
    }
  });
}

bool WriteDoubleRockerTable(const QString& file, Extended a, Extended b, Extended c, Extended d,
                            Extended omega, Extended step, Extended start, Extended end,
                            Extended lenBE, Extended delta) {
  return writePage(file, QStringLiteral("双摇杆机构运动分析结果输出"), [&](PageWriter& page) {
    writeFourBarIntro(page, QStringLiteral("双摇杆机构运动分析结果"), a, b, c, d, lenBE, delta);
    Extended phi1min = 0, phi1max = 0, phi3min = 0, phi3max = 0;
    FourBarRange(a, b, c, d, phi1min, phi1max, phi3min, phi3max);
    if (phi1min > 0 && phi1max < kPi)
      page.line(QStringLiteral("<br>　◇杆a和机架d不能共线，杆a只能处于机架d上方(或下方)。"));
    if (phi1max >= kPi)
      page.line(QStringLiteral("<br>　◇杆a和机架d可以拉直共线，杆a可以通过φ=180°位置进入机架d下方。"));
    if (phi1min <= 0 && phi1max > 0)
      page.line(QStringLiteral("<br>　◇杆a和机架d可以重叠共线，杆a可以通过φ=0°位置进入机架d下方。"));
    page.line(QStringLiteral("<br>　◇机构类型：双摇杆机构。杆a的转角范围:φ=") +
              FormatR(phi1min * kToDeg, 5) + QStringLiteral("～") +
              FormatR(phi1max * kToDeg, 5) + QStringLiteral("°"));
    page.line(QStringLiteral("<br>　◇AB角速度:±") + FormatR(omega * kToDeg, 4) +
              QStringLiteral("°/s"));
    page.line(QStringLiteral("</p></td><td rowspan=\"2\"><img src=\"../web/images/jlsg.gif\"></td></tr>"));
    page.line(QStringLiteral("<tr><td valign=\"bottom\"><p align=\"left\">") +
              fourBarTableCaption() + QStringLiteral("</td></tr>"));
    page.line(QStringLiteral("</table>"));
    page.line(fourBarTableStart());
    page.line(fourBarHeaderRow());

    // Only the reachable swing is tabulated.
    start = std::max(start, phi1min);
    end = std::min(end, phi1max);
    if (start > end) {
      start = phi1min;
      end = phi1max;
    }
    const long long n = stepCount(start, end, step);

    // One set of records for both strokes: a singular row repeats the previous speeds.
    TBarState input{}, coupler{}, output{};
    input.Len = a;
    input.Omega = omega;
    coupler.Len = b;
    output.Len = c;
    const auto writeRow = [&](long long i, Extended phi1) {
      input.Angle = phi1;
      SolveDyad(false, input, coupler, output, d);
      Extended ex, ey;
      CouplerPoint(coupler, delta, lenBE, ex, ey);
      Extended gamma = std::fabs(output.Angle - coupler.Angle);
      if (gamma > kPi) gamma -= kPi;
      if (gamma > kPi / 2) gamma = kPi - gamma;
      page.line(row(i, {fixed3(phi1 * kToDeg), fixed3(coupler.Angle * kToDeg),
                             fixed3(gamma * kToDeg), fixed3(ex), fixed3(ey),
                             fixed3(output.Angle * kToDeg), sci3(output.Omega * kToDeg),
                             sci3(output.Epsilon * kToDeg)}));
    };
    for (long long i = 0; i <= n; ++i) {
      Extended phi1 = start + i * step;
      if (i == n && phi1 > end) phi1 = end;
      writeRow(i, phi1);
    }
    page.line(QStringLiteral("<tr><td colspan=\"9\">回程</td></tr>"));
    for (long long i = 0; i <= n; ++i) {
      Extended phi1 = end - i * step;
      if (i == n && phi1 < start) phi1 = start;
      writeRow(i, phi1);
    }
  });
}

namespace {

void writeSingleTablePage(PageWriter& page, const QString& headerRow) {
  page.line(QStringLiteral("<p align=\"center\"><strong>────── 分析结果────── </strong></p>"));
  page.line(QStringLiteral(
      "<table width=\"60%\" border=\"0\" align=\"center\" cellpadding=\"0\" cellspacing=\"1\">"));
  page.line(headerRow);
}

}  // namespace

bool WriteCrankSliderTable(const QString& file, Extended r, Extended l, Extended e,
                           Extended omega, Extended step, Extended start, Extended end) {
  return writePage(file, QStringLiteral("曲柄滑块机构运动分析结果输出"), [&](PageWriter& page) {
    // The slider moves in mm: its velocity and acceleration are mm/s and mm/s².
    writeSingleTablePage(page, QStringLiteral(
        "<tr><th>i</th><th>φ<sub>i</sub>(°)</th><th>s<sub>i</sub>(mm)</th>"
        "<th>v<sub>i</sub>(mm/s)</th><th>a<sub>i</sub>(mm/s<sup>2</sup>)</th></tr>"));
    const long long n = stepCount(start, end, step);
    for (long long i = 0; i <= n; ++i) {
      const Extended phi = start + i * step;
      Extended s, v, a;
      CrankSliderAt(phi, omega, r, l, e, s, v, a);
      page.line(row(i, {fixed3(phi * kToDeg), fixed3(s), fixed3(v), fixed3(a)}));
    }
  });
}

bool WriteGuideBarTable(const QString& file, Extended r, Extended d, Extended omega,
                        Extended step, Extended start, Extended end) {
  return writePage(file, QStringLiteral("导杆机构运动分析结果输出"), [&](PageWriter& page) {
    writeSingleTablePage(page, QStringLiteral(
        "<tr><th>i</th><th>φ<sub>i</sub>(°)</th><th>ψ<sub>i</sub>(°)</th>"
        "<th>ω<sub>i</sub>(°/s)</th><th>α<sub>i</sub>(°/s<sup>2</sup>)</th></tr>"));
    const long long n = stepCount(start, end, step);
    for (long long i = 0; i <= n; ++i) {
      const Extended phi = start + i * step;
      Extended psi, omega2, alpha2;
      GuideBarAt(phi, omega, r, d, psi, omega2, alpha2);
      page.line(row(i, {fixed3(phi * kToDeg), fixed3(psi * kToDeg),
                             fixed3(omega2 * kToDeg), fixed3(alpha2 * kToDeg)}));
    }
  });
}
