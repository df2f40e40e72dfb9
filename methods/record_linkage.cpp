// Each method keeps its lengths under its own keys; a record counts as having reached its
// linkage once its step number says the analysis step was entered. Where a record holds only
// the inputs of a length (older records, hand-edited ones), the design routine recomputes it.
#include "methods/record_linkage.h"

#include "design/design_record.h"
#include "base/numfmt.h"
#include "link/kinematics.h"
#include "link/quick_return.h"
#include "link/synthesis.h"

#include <QFileInfo>
#include <cmath>

namespace {

constexpr Extended kLenBE = 50;         // the panel's default distance of E from B
constexpr Extended kStrokeScale = 100;  // stroke ratios are shown at a stroke of 100 mm

class Record {
public:
  explicit Record(const QString& path) : m_record(path) {}
  Extended real(const char* key) const { return m_record.Real(QString::fromLatin1(key)); }
  int integer(const char* key, int def) const { return m_record.Integer(QString::fromLatin1(key), def); }
  QString text(const char* key) const { return m_record.Text(QString::fromLatin1(key)); }

private:
  DesignRecordReader m_record;
};

bool positive(Extended v) { return std::isfinite(static_cast<double>(v)) && v > 0; }

// The four lengths from the ratios and the known link when the record lacks them.
Linkage fourBarFrom(const Record& r, const char* prefix) {
  const QString p = QString::fromLatin1(prefix);
  auto real = [&](const char* key) { return r.real((p + QString::fromLatin1(key)).toLatin1().constData()); };
  Extended a = real("lena"), b = real("lenb"), c = real("lenc"), d = real("lend");
  if (!(positive(a) && positive(b) && positive(c) && positive(d)))
    FourBarLengths(real("m"), real("n"), real("l"), r.integer((p + QStringLiteral("gantype")).toLatin1().constData(), -1),
                   real("ganlen"), a, b, c, d);
  return Linkage::FourBar(LinkageKind::FourBarByKind, a, b, c, d);
}

bool valid(const Linkage& k) {
  switch (k.kind) {
    case LinkageKind::CrankSlider:
      return positive(k.r) && positive(k.l) && std::isfinite(static_cast<double>(k.e));
    case LinkageKind::GuideBar: return positive(k.r) && positive(k.d);
    default: return positive(k.AB) && positive(k.BC) && positive(k.CD) && positive(k.AD);
  }
}

// The step a record must have reached for its linkage, by method and type; 0 for none.
int analysisStep(const QString& method, int type) {
  if (method == QLatin1String("DYWZ")) return type == 0 ? 6 : type == 1 ? 4 : 0;
  if (method == QLatin1String("HSGX")) return type == 0 || type == 1 ? 5 : 0;
  if (method == QLatin1String("JHTX")) return type >= 0 && type <= 2 ? 3 : 0;
  if (method == QLatin1String("JSTX")) return type == 0 || type == 1 ? 3 : 0;
  if (method == QLatin1String("CDJSJ")) return type == 0 || type == 1 ? 4 : type == 2 ? 3 : 0;
  return 0;
}

Linkage linkageOf(const Record& r, const QString& method, int type) {
  if (method == QLatin1String("DYWZ")) {
    if (type == 0) return fourBarFrom(r, "DYWZ");
    Extended a = r.real("DYWZm"), b = r.real("DYWZn"), e = r.real("DYWZl");
    if (!(positive(a) && positive(b))) CrankSliderDimensions(r.real("DYWZP0"), r.real("DYWZP1"), r.real("DYWZP2"), a, b, e);
    return Linkage::CrankSlider(a, b, e);
  }
  if (method == QLatin1String("HSGX")) return fourBarFrom(r, "HSJG");
  if (method == QLatin1String("JHTX")) {
    const Extended a = r.real("JHTXLena"), d = r.real("JHTXLend");
    switch (type) {
      case 0: return Linkage::FourBar(LinkageKind::CrankRocker, a, r.real("JHTXLenb"), r.real("JHTXLenc"), d);
      case 1: return Linkage::CrankSlider(a, r.real("JHTXLenb"), r.real("JHTXe"));
      default: return Linkage::GuideBar(positive(a) ? a : GuideBarCrank(d, r.real("JHTXsta")), d);
    }
  }
  if (method == QLatin1String("JSTX")) {
    const Extended a = r.real("CDJSLena"), b = r.real("CDJSLenb");
    return type == 0 ? Linkage::FourBar(LinkageKind::CrankRocker, a, b, r.real("CDJSLenc"), r.real("CDJSLend"))
                     : Linkage::CrankSlider(a, b, -r.real("CDJSLene"));  // the guide on the design's side
  }
  // CDJSJ: ratios to the frame (crank-rockers) or to the stroke (crank-slider).
  switch (type) {
    case 0:
      return Linkage::FourBar(LinkageKind::CrankRocker, r.real("qbyg1adivd"), r.real("qbyg1bdivd"),
                              r.real("qbyg1cdivd"), 1);
    case 1: {
      const bool chart = r.integer("qbyg2way", 0) != 1;
      return chart ? Linkage::FourBar(LinkageKind::CrankRocker, r.real("qbyg21adivd"), r.real("qbyg21bdivd"),
                                      r.real("qbyg21cdivd"), 1)
                   : Linkage::FourBar(LinkageKind::CrankRocker, r.real("qbyg22adivd"), r.real("qbyg22bdivd"),
                                      r.real("qbyg22cdivd"), 1);
    }
    default:
      return Linkage::CrankSlider(r.real("qbhkadivs") * kStrokeScale, r.real("qbhkbdivs") * kStrokeScale,
                                  r.real("qbhkedivs") * kStrokeScale);
  }
}

}  // namespace

std::optional<RecordLinkage> LinkageFromRecord(const QString& path, QString* error) {
  auto fail = [error](const QString& reason) -> std::optional<RecordLinkage> {
    if (error) *error = reason;
    return std::nullopt;
  };
  QString recordPath = path;
  if (path.endsWith(QStringLiteral(".txt"), Qt::CaseInsensitive))
    recordPath = path.left(path.size() - 4) + QStringLiteral(".des");
  if (!QFileInfo(recordPath).isFile()) return fail(QStringLiteral("找不到设计记录：") + recordPath);

  const Record record(recordPath);
  RecordLinkage out;
  out.method = record.text("DsMethod");
  out.type = record.integer("DsType", -1);
  const int needed = analysisStep(out.method, out.type);
  if (needed == 0) {
    if (analysisStep(out.method, 0) == 0) return fail(QStringLiteral("设计记录的设计方法未知：") + out.method);
    return fail(QStringLiteral("该设计类型没有运动分析：") + recordPath);
  }
  if (record.integer("DsStep", 0) < needed)
    return fail(QStringLiteral("该设计尚未进行到运动分析，没有可分析的机构：") + recordPath);

  out.linkage = linkageOf(record, out.method, out.type);
  if (!valid(out.linkage)) return fail(QStringLiteral("设计记录中的机构尺寸无效：") + recordPath);

  out.x1 = QStringLiteral("0");
  out.x2 = QStringLiteral("360");
  out.step = QStringLiteral("3");
  out.omega = QStringLiteral("1");
  const bool fourBar = out.linkage.kind == LinkageKind::FourBarByKind || out.linkage.kind == LinkageKind::CrankRocker;
  if (fourBar) out.lenBE = kLenBE;
  if (out.linkage.kind == LinkageKind::FourBarByKind) {
    // The panel starts at the input link's range.
    const Linkage& k = out.linkage;
    Extended lower = 0, upper = 0, psiLower = 0, psiUpper = 0;
    try {
      FourBarRange(k.AB, k.BC, k.CD, k.AD, lower, upper, psiLower, psiUpper);
    } catch (...) {
      return fail(QStringLiteral("设计记录中的机构尺寸不能构成四杆机构：") + recordPath);
    }
    out.x1 = FormatR(lower * 180 / kPi, 4);
    out.x2 = FormatR(upper * 180 / kPi, 4);
  }
  return out;
}
