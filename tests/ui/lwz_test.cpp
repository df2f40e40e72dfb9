// The coupler-position window: each type run to the end against pivots found here from the poses.
#include "analysis/analysis_panel.h"
#include "base/inifile.h"
#include "design/check_page.h"
#include "link/design_check.h"
#include "methods/LWZ/lwz_frm.h"
#include "support/design_window_fixture.h"

#include <cmath>

namespace {

struct Pose {
  double x, y, deg;
};
struct TypeCase {
  const char* name;
  int type;
  int count;
  Pose pose[3];
  double bx, by, cx, cy;  // B and C in the coupler's frame
  double y0;              // NaN: no pivot line
  bool reachedInOrder;    // the check's verdict on the defaults
};
void PrintTo(const TypeCase& c, std::ostream* os) { *os << c.name; }

const TypeCase kTypes[] = {
    {"twoOnLine", 0, 2, {{30.3, 17.5, 28.5}, {-17.5, 30.3, 23.0}, {}}, 0, 0, 110, 0, 0.0, false},
    {"threeOfBC", 1, 3, {{30.3, 17.5, 28.5}, {9.1, 33.8, 21.5}, {-17.5, 30.3, 23.0}}, 0, 0, 110, 0, NAN, true},
    {"threeOfPlane", 2, 3, {{78.6, 43.7, 28.5}, {60.3, 54.0, 21.5}, {33.1, 51.8, 23.0}}, -55, 0, 55, 0, NAN, false},
};

QPointF at(const Pose& p, double lx, double ly) {
  const double a = p.deg * M_PI / 180;
  return {p.x + lx * std::cos(a) - ly * std::sin(a), p.y + lx * std::sin(a) + ly * std::cos(a)};
}

QPointF shownPoint(const QString& text) {
  const QStringList xy = text.section(u'(', 1).section(u')', 0, 0).split(QStringLiteral(", "));
  return {xy.value(0).toDouble(), xy.value(1).toDouble()};
}
double shownLength(const QString& text) { return text.section(u'：', 1).section(u' ', 0, 0).toDouble(); }

const CheckRow* row(const DesignCheckResult& r, const QString& item) {
  for (const CheckRow& c : r.rows)
    if (c.item == item) return &c;
  return nullptr;
}

class LWZTest : public DesignWindowTest<TLWZFrm> {
protected:
  void clicks(std::initializer_list<const char*> names) {
    for (const char* name : names) click(QString::fromLatin1(name));
  }
  void toAnalysis(int type) {
    startDesign(type);
    clicks({"lwzexe1", "lwzok1", "lwzexe2", "lwzok2", "lwzexe3", "lwzok3"});
  }
};

class LWZTypeTest : public LWZTest, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(LWZTypeTest, RunsFromItsDefaultsToTheEnd) {
  const TypeCase& c = GetParam();
  startDesign(c.type);
  EXPECT_EQ(text("edtX2").toDouble(), c.pose[1].x);
  EXPECT_EQ(shown("edtX3"), c.count == 3);
  EXPECT_EQ(shown("edtBx"), c.type == 2);
  clicks({"lwzexe1", "lwzok1"});
  EXPECT_EQ(logCount(), 9);
  EXPECT_EQ(m_frm->StepNumber(), 2);
  clicks({"lwzexe2"});
  EXPECT_FALSE(m_frm->imgConstruction->image().isNull());
  const QPointF A = shownPoint(text("lblA")), D = shownPoint(text("lblD"));  // "A=(x, y) mm"
  // Each fixed pivot is equally far from every position of its moving pivot.
  const QPointF B1 = at(c.pose[0], c.bx, c.by), C1 = at(c.pose[0], c.cx, c.cy);
  for (int i = 1; i < c.count; ++i) {
    EXPECT_NEAR(QLineF(A, at(c.pose[i], c.bx, c.by)).length(), QLineF(A, B1).length(), 2e-3) << i;
    EXPECT_NEAR(QLineF(D, at(c.pose[i], c.cx, c.cy)).length(), QLineF(D, C1).length(), 2e-3) << i;
  }
  if (!std::isnan(c.y0)) EXPECT_TRUE(A.y() == c.y0 && D.y() == c.y0);
  clicks({"lwzok2", "lwzexe3"});
  EXPECT_NEAR(shownLength(text("LenAB")), QLineF(A, B1).length(), 2e-3);
  EXPECT_NEAR(shownLength(text("LenBC")), QLineF(B1, C1).length(), 1e-3);
  EXPECT_NEAR(shownLength(text("LenCD")), QLineF(D, C1).length(), 2e-3);
  EXPECT_NEAR(shownLength(text("LenAD")), QLineF(A, D).length(), 2e-3);
  click("lwzok3");
  EXPECT_EQ(logCount(), 19);
  EXPECT_EQ(m_frm->LogLines()[10], QStringLiteral("    ") + text("lblA"));
  EXPECT_TRUE(m_frm->ReportMenuEnabled());
  EXPECT_NEAR(double(m_frm->lwzstep4->linkage().AD), QLineF(A, D).length(), 2e-3);

  const auto& check = m_frm->checkPage()->result();
  ASSERT_TRUE(check.has_value());
  for (const char* item : {"装配构形", "运动连续性", "位置1", "位置2", "位置3"})
    if (c.reachedInOrder) EXPECT_EQ(row(*check, QString::fromUtf8(item))->verdict, CheckVerdict::Met) << item;
  click("jlsgcmp");
  EXPECT_EQ(Scripted().previews.size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Types, LWZTypeTest, ::testing::ValuesIn(kTypes),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Records reopened at every step ---

class LWZResumeTest : public LWZTest, public ::testing::WithParamInterface<std::tuple<int, int>> {};

TEST_P(LWZResumeTest, ReopensAtTheStepWithTheSameDesign) {
  const auto [type, step] = GetParam();
  toAnalysis(type);
  const GuidanceDesign saved = m_frm->Design();
  const QString log = AppDir() + QStringLiteral("result/r.txt");
  Scripted().saveResults = {log};
  ASSERT_TRUE(m_frm->saveas1Click());
  TIniFile ini(AppDir() + QStringLiteral("result/r.des"));
  ini.WriteInteger(QStringLiteral("DesignInfo"), QStringLiteral("DsStep"), step);
  ini.Save();
  m_frm->hide();
  m_frm->show();
  Scripted().clear();

  m_frm->LoadDesignRecord(log);
  EXPECT_EQ(m_frm->DesignTypeIndex(), type);
  EXPECT_EQ(m_frm->StepNumber(), step);
  EXPECT_EQ(Scripted().previews.size(), step == 5 ? 1 : 0);
  EXPECT_NEAR(double(m_frm->Design().A.x), double(saved.A.x), 1e-9);
  EXPECT_NEAR(double(m_frm->Design().D.y), double(saved.D.y), 1e-9);
  EXPECT_NEAR(double(m_frm->Design().CD), double(saved.CD), 1e-9);
  EXPECT_EQ(m_frm->checkPage()->result().has_value(), step >= 4);
}

INSTANTIATE_TEST_SUITE_P(Steps, LWZResumeTest, ::testing::Combine(::testing::Range(0, 3), ::testing::Range(1, 6)));

// --- Failures leave the design as it was ---

TEST_F(LWZTest, CollinearPivotPositionsAreNamedAndChangeNothing) {
  startDesign(1);
  type("edtX3", QStringLiteral("-12.1"));  // B3 = B1 + 2(B2 − B1)
  type("edtY3", QStringLiteral("50.1"));
  clicks({"lwzexe1", "lwzok1", "lwzexe2"});
  EXPECT_EQ(Scripted().messages,
            QStringList{QStringLiteral("B1、B2、B3三点共线（或有两点重合），不能作圆，请修改连杆位置！")});
  EXPECT_EQ(text("lblA"), QStringLiteral("A="));
  EXPECT_TRUE(enabled("lwzexe2") && !enabled("lwzok2") && logCount() == 9);
}

TEST_F(LWZTest, TextThatIsNoNumberKeepsTheDesign) {
  toAnalysis(1);
  const Extended x2 = m_frm->Input().pose[1].x;
  Scripted().answers = {MsgAnswer::Ok};
  click("lwzsp1");
  for (const char* edit : {"edtX2", "edtAng3", "edtBC"}) {
    type(edit, QStringLiteral("3O"));
    click("lwzexe1");
    type(edit, QStringLiteral("1"));
  }
  EXPECT_EQ(Scripted().errors.size(), 3);
  EXPECT_EQ(m_frm->Input().pose[1].x, x2);
  EXPECT_FALSE(enabled("lwzok1"));
}

}  // namespace
