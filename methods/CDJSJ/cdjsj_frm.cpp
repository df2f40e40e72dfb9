#include "methods/CDJSJ/cdjsj_frm.h"

#include "analysis/analysis_panel.h"
#include "base/convert.h"
#include "base/fpu.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "link/charts.h"
#include "link/design_check.h"
#include "methods/CDJSJ/chart_marks.h"
#include "methods/CDJSJ/chart_view.h"
#include "methods/CDJSJ/cdjsj_layout.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cfenv>

using namespace cdjsj;

namespace {

WizardPolicy cdjsjPolicy() {
  WizardPolicy p;
  p.startButtonName = QStringLiteral("SpSjks");
  p.startPanelName = QStringLiteral("Panelrightstart");
  p.infoGroupName = QStringLiteral("groupboxsjxx");
  p.infoOkName = QStringLiteral("sjxxok");
  p.infoCancelName = QStringLiteral("sjxxcancel");
  p.typeGroupName = QStringLiteral("groupboxsjlxxz");
  p.typeListName = QStringLiteral("ridioDesignType");
  p.typeOkName = QStringLiteral("sjlxxzok");
  p.typeCancelName = QStringLiteral("sjlxxzcancel");
  p.textExportName = QStringLiteral("MenuItem3");
  p.enter = WizardPolicy::Enter::BothToDepartment;
  p.typeCancel = WizardPolicy::TypeCancel::BackToInformation;
  p.earlyHeader = true;
  p.notesMissingMessage = false;
  p.newSetsStatus = false;
  p.resumeShowsCaption = true;
  p.typeListColumns = 1;  // the captions are too long for two columns
  return p;
}


}  // namespace


TCDJSJFrm::TCDJSJFrm(QWidget* parent)
    : TDesignFrm(QStringLiteral("CDJSJ"), QStringLiteral("按传动角设计"), QStringLiteral("CDJSG"), cdjsjPolicy(),
                 parent) {
  const struct {
    const char* caption;
    const char* label;
    const char* left;
    const char* right;
  } types[] = {
      {"按最小传动角具有最大值的条件设计曲柄摇杆机构", "曲柄摇杆机构1", "Panelleftqbyg1", "Panelrightqbyg1"},
      {"按最小传动角设计行程速比系数K=1(ф12)的曲柄摇杆机构", "曲柄摇杆机构2", "Panelleftqbyg2", "Panelrightqbyg2"},
      {"按最小传动角具有最大值的条件设计偏置曲柄-滑块机构", "偏置曲柄滑块机构", "Panelleftqbhk", "Panelrightqbhk"},
      {"根据最小传动角设计双曲柄机构", "双曲柄机构", "Panelleftsqb", "Panelrightsqb"}};
  const QString explanations[] = {
      QStringLiteral("　　根据已知的φ12及ψ12，由图查得最大的最小传动MAXγmin角及角β。β为摇杆在远极限位置时曲柄与"
                     "机架间的夹角，然后利用计算公式计算各构件相对长度。"),
      QStringLiteral("　　根据选定的最小传动角，查图确定各杆长度，或用给出公式进行求解。"),
      QStringLiteral("　　根据φ12查图得到结果。不适用于φ12＝180度时。曲柄顺时针方向转动时k>1时有急回；反之,k<1。"),
      QStringLiteral("  示例图给出双曲柄机构的两个位置AB1C1D及AB2C2D，此时具有两个最小传动角（γmin1,γmin2）。"
                     "在这两位置之间输入杆AB转180度，输出杆DC转角度。按最小传动角设计双曲柄机构时，用线图分别根据"
                     "给定的ψ及γmin值，求得a/d,b/d及c/d三个相对长度值。")};
  for (int t = 0; t < 4; ++t) {
    AddType(QString::fromUtf8(types[t].caption), explanations[t], QString::fromLatin1(types[t].left),
            QString::fromLatin1(types[t].right));
    SetTypeLabel(t, QString::fromUtf8(types[t].label));
    m_types[t].hideUnreached = true;
    m_types[t].reportsAfterStep = t == kRocker1 || t == kRocker2 ? 3 : 2;
    m_types[t].checkFromStep = t == kRocker1 || t == kRocker2 ? 3 : 2;
  }
  const QString explanationCaptions[] = {
      QStringLiteral("按最小传动角具有最大值的条件设计曲柄摇杆机构"),
      QStringLiteral("按最小传动角设计行程速比系数k=1的曲柄摇杆机构"),
      QStringLiteral("按最小传动角具有最大值的条件设计偏置曲柄-滑块机构"), QStringLiteral("根据最小传动角设计双曲柄机构")};
  const char* explanationNames[] = {"qbyg1sm", "qbyg2sm", "qbhksm", "sqbsm"};
  for (int t = 0; t < 4; ++t) {
    QGroupBox* group = AddStepGroup(t, QString::fromLatin1(explanationNames[t]), explanationCaptions[t]);
    auto* column = new QVBoxLayout(group);
    column->addWidget(MakeNote(explanations[t], group));
    column->addStretch(1);
    QPushButton* go = MakeButton(QString::fromLatin1(explanationNames[t]) + QStringLiteral("ok"),
                                 QStringLiteral("点击继续"), group);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(go);
    row->addStretch(1);
    column->addLayout(row);
    OnClick(go, [this, t] { RunStep(t, 0); });
    m_types[t].preamble = group;
    m_explanation[t] = group;
  }

  buildCrankRocker1();
  buildCrankRocker2();
  buildCrankSlider();
  buildDoubleCrank();
  AddNumericEdits({O12, W12, Rmin, B, editadivd, editbdivd, editcdivd, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9,
                   Edit10, Edit11, Edit12, edit14, Edit13, Edit15, Edit16, Edit17, Edit18, Edit24, Edit25, Edit19,
                   Edit20, Edit21});
}

// --- Steps ---

void TCDJSJFrm::OnStepEntered(int type, int k) {
  if (Slot(type, k).end) {  // the report sets the status
    SimpleReportClick();
    return;
  }
  switch (type) {
    case kRocker1:
      if (k == 1) {
        showChart(yg1pnl, yg1marks, QStringLiteral("yg1image2.bmp"));
        yg1marks->SetReading(CrankRockerReading(q.qbyg1.O12, q.qbyg1.W12));
      } else if (k == 2) {
        for (QLineEdit* e : {editadivd, editbdivd, editcdivd}) e->clear();
      } else if (k == 3) {
        enterCrankRockerAnalysis(qbyg1step4, q.qbyg1.a, q.qbyg1.b, q.qbyg1.c);
      }
      break;
    case kRocker2:
      if (k == 1) {
        for (QToolButton* b : {qbyg2sp31, qbyg2sp32, Slot(kRocker2, 3).button}) b->setEnabled(false);
      } else if (k == 2) {
        for (int later : {3, 4}) Slot(kRocker2, later).button->hide();
        if (q.qbyg2.way == 0) {
          qbyg2sp32->setEnabled(false);
          showChart(yg2pnl, nullptr, QStringLiteral("yg2image31.bmp"));
        } else {
          qbyg2sp31->hide();
          qbyg2sp31->setEnabled(false);
          for (QLineEdit* e : {Edit7, Edit8, Edit9}) e->clear();
        }
      } else if (k == 3) {
        const auto& v = q.qbyg2;
        if (v.way == 0)
          enterCrankRockerAnalysis(qbyg2step4, v.a1, v.b1, v.c1);
        else
          enterCrankRockerAnalysis(qbyg2step4, v.a2, v.b2, v.c2);
      }
      break;
    case kSlider:
      if (k == 1) {
        showChart(qbhkpnl, qbhkmarks, QStringLiteral("qbhkimage2.bmp"));
        qbhkmarks->SetReading(OffsetSliderReading(q.qbhk.O12));
      } else if (k == 2) {
        EnableReports(true);
        // Ratios to a stroke of 1; the panel shows the figure and writes the table at 100 mm.
        qbhkstep3->setLinkage(Linkage::CrankSlider(q.qbhk.as, q.qbhk.bs, q.qbhk.es));
        qbhkstep3->drawClick();
        qbhkstep3->startClick();
      }
      break;
    case kDoubleCrank:
      if (k == 1) {
        sqbstep3ok->setEnabled(true);
        sqbstep3complish->setEnabled(false);
      }
      break;
  }
}

void TCDJSJFrm::enterCrankRockerAnalysis(AnalysisPanel* panel, double a, double b, double c) {
  EnableReports(true);
  panel->setLinkage(Linkage::FourBar(LinkageKind::CrankRocker, a, b, c, 1));
  panel->drawClick();
  panel->startClick();
}

void TCDJSJFrm::showChart(ChartView* view, ChartMarks* marks, const QString& file) {
  // A chart is several times the panel: fitted, the whole of it shows at once (a box at rest
  // would show its top-left corner only).
  if (view->picture()->LoadFile(PicturePath(file))) RestoreChart(*view);
  if (marks) marks->LoadAxes(PicturePath(QFileInfo(file).completeBaseName() + QStringLiteral(".axes")));
}

void TCDJSJFrm::OnAnalysisFinished(int type) {
  if (type == kSlider) SetStatus(0, QStringLiteral("设计结果"));
}

// --- Notes, record, reports ---

QString TCDJSJFrm::NotesPage() const {
  int type = m_designType;
  if (type < 0) {
    if (m_typeFromRecord) return {};  // a record without a type has no page
    type = 0;
  }
  return QStringLiteral("CDJSJ%1.htm").arg(type);
}

RecordFields TCDJSJFrm::RecordFieldsOf() {
  switch (m_designType) {
    case kRocker1:
      return {{"qbyg1O12", &q.qbyg1.O12},   {"qbyg1W12", &q.qbyg1.W12},   {"qbyg1Rmin", &q.qbyg1.Rmin},
              {"qbyg1B", &q.qbyg1.B},       {"qbyg1adivd", &q.qbyg1.a},   {"qbyg1bdivd", &q.qbyg1.b},
              {"qbyg1cdivd", &q.qbyg1.c}};
    case kRocker2:
      return {{"qbyg2O12", &q.qbyg2.O12},   {"qbyg2W12", &q.qbyg2.W12},   {"qbyg2Rmin", &q.qbyg2.Rmin},
              {"qbyg21adivd", &q.qbyg2.a1}, {"qbyg21bdivd", &q.qbyg2.b1}, {"qbyg21cdivd", &q.qbyg2.c1},
              {"qbyg22adivd", &q.qbyg2.a2}, {"qbyg22bdivd", &q.qbyg2.b2}, {"qbyg22cdivd", &q.qbyg2.c2},
              {"qbyg2way", &q.qbyg2.way, 0}};
    case kSlider:
      return {{"qbhkO12", &q.qbhk.O12},     {"qbhkmaxRmin", &q.qbhk.maxRmin}, {"qbhkadivs", &q.qbhk.as},
              {"qbhkbdivs", &q.qbhk.bs},    {"qbhkadivb", &q.qbhk.ab},        {"qbhkedivs", &q.qbhk.es}};
    case kDoubleCrank:
      return {{"sqbw", &q.sqb.w},       {"sqbRmin", &q.sqb.Rmin}, {"sqbadivd", &q.sqb.a},
              {"sqbbdivd", &q.sqb.b},   {"sqbcdivd", &q.sqb.c}};
    default:
      return {};
  }
}

void TCDJSJFrm::OnRecordRead() {
  m_typeFromRecord = true;
  if (m_designType == kRocker2) useWay(q.qbyg2.way == 1 ? 1 : 0);
}

std::vector<ReportRow> TCDJSJFrm::ReportRows() const {
  const QString deg = QStringLiteral("°"), mm = QStringLiteral("mm");
  switch (m_designType) {
    case kRocker1: {
      const auto& v = q.qbyg1;
      return {{QStringLiteral("φ12"), v.O12, deg},        {QStringLiteral("ψ12"), v.W12, deg},
              {QStringLiteral("MAXγmin"), v.Rmin, deg},  {QStringLiteral("β"), v.B, deg},
              {QStringLiteral("a/d"), v.a, mm},          {QStringLiteral("b/d"), v.b, mm},
              {QStringLiteral("c/d"), v.c, mm}};
    }
    case kRocker2: {
      const auto& v = q.qbyg2;
      const bool chart = v.way == 0;
      return {{QStringLiteral("φ12"), v.O12, deg},
              {QStringLiteral("ψ12"), v.W12, deg},
              {QStringLiteral("γmin"), v.Rmin, deg},
              {QStringLiteral("a/d"), chart ? v.a1 : v.a2, mm},
              {QStringLiteral("b/d"), chart ? v.b1 : v.b2, mm},
              {QStringLiteral("c/d"), chart ? v.c1 : v.c2, mm}};
    }
    case kSlider: {
      const auto& v = q.qbhk;
      return {{QStringLiteral("φ12"), v.O12, deg}, {QStringLiteral("MAXγmin"), v.maxRmin, deg},
              {QStringLiteral("a/s"), v.as, mm},   {QStringLiteral("b/s"), v.bs, mm},
              {QStringLiteral("a/b"), v.ab, mm},   {QStringLiteral("e/s"), v.es, mm}};
    }
    case kDoubleCrank: {
      const auto& v = q.sqb;
      return {{QStringLiteral("ψ"), v.w, deg},
              {QStringLiteral("γmin"), v.Rmin, deg},
              {QStringLiteral("a/d"), v.a, mm},
              {QStringLiteral("b/d"), v.b, mm},
              {QStringLiteral("c/d"), v.c, mm}};
    }
    default:
      return {};
  }
}

QString TCDJSJFrm::ProposedFileName() const {
  // The short label, also after a restore that shows the type's full caption.
  if (m_designType < 0 || m_designType >= TypeCount()) return TDesignFrm::ProposedFileName();
  return windowTitle() + u'_' + m_types[m_designType].label + QStringLiteral(".txt");
}

std::optional<DesignCheckResult> TCDJSJFrm::DesignCheckOf() const {
  const auto rocker = [](double a, double b, double c) { return Linkage::FourBar(LinkageKind::CrankRocker, a, b, c, 1); };
  switch (m_designType) {
    case kRocker1: {
      const auto& v = q.qbyg1;
      return CheckTransmissionCrankRocker1(v.O12, v.W12, v.Rmin, rocker(v.a, v.b, v.c));
    }
    case kRocker2: {
      const auto& v = q.qbyg2;
      const Linkage linkage = v.way == 0 ? rocker(v.a1, v.b1, v.c1) : rocker(v.a2, v.b2, v.c2);
      return CheckTransmissionCrankRocker2(v.W12, v.Rmin, v.way == 0, linkage);
    }
    case kSlider:
      return CheckTransmissionCrankSlider(q.qbhk.O12, q.qbhk.maxRmin,
                                          Linkage::CrankSlider(q.qbhk.as, q.qbhk.bs, q.qbhk.es));
    case kDoubleCrank:
      return CheckDoubleCrank(q.sqb.w, q.sqb.Rmin, Linkage::FourBar(LinkageKind::FourBarByKind, q.sqb.a, q.sqb.b, q.sqb.c, 1));
    default:
      return std::nullopt;
  }
}
