// The transmission-angle window's offset crank-slider and double crank.
#include "methods/CDJSJ/cdjsj_frm.h"

#include "analysis/analysis_panel.h"
#include "base/convert.h"
#include "base/fpu.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "link/charts.h"
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

// --- Offset crank-slider ---

void TCDJSJFrm::buildCrankSlider() {
  QGroupBox* step1 = AddStepGroup(kSlider, QStringLiteral("qbhkstep1"), {});
  {
    std::vector<QLineEdit*> e;
    QGroupBox* input = editGroup(QStringLiteral("请输入φ12的值"), {}, {{"φ12", "edit14", "180", "°"}}, e, step1);
    edit14 = e[0];
    qbhkstep1ok = MakeButton(QStringLiteral("qbhkstep1ok"), QStringLiteral("确定"), step1);
    qbhkstep1cancel = MakeButton(QStringLiteral("qbhkstep1cancel"), QStringLiteral("取消"), step1);
    inputStepLayout(
        step1, input,
        PictureGroup(QStringLiteral("各构件位置关系示意图"), qbhkimage1, QStringLiteral("qbhkimage1"), step1),
        notesGroup(QStringLiteral("参数说明："),
                   {QStringLiteral("　　1、根据φ12，查图确定相关数据。不适用于φ12＝180度时。曲柄顺时针转动时k>1有急回；"
                                   "反之，k<1。"),
                    QStringLiteral("　　2、a 曲柄长度；b 连杆长度；e　偏心距；s　滑块行程；γmin　选定的最小传动角；φ12"
                                   "　摇杆C两由极限位置1到极限位置2时主动曲柄转过的角度。")},
                   step1),
        qbhkstep1ok, qbhkstep1cancel);
  }
  WizardStep& sp1 = AddStep(kSlider, QStringLiteral("qbhksp1"), QStringLiteral("初始条件"), step1);
  sp1.pictures = {{qbhkimage1, QStringLiteral("qbhkimage1.bmp")}};
  sp1.status = QStringLiteral("输入初始参数");
  sp1.keptLines = 4;
  sp1.firstEdit = edit14;
  sp1.calc = qbhkstep1ok;

  qbhkstep3 = AddAnalysisPanel(kSlider, AnalysisPanelConfig::TransmissionCrankSlider(), false);
  QGroupBox* step2 = AddStepGroup(kSlider, QStringLiteral("qbhkstep2"), {});
  {
    qbhkpnl = new ChartView(chartNames("qbhkpnl", "qbhkimage2", "qbhklabel", "qbhkPopupMenu", "N12", "N13", "N15"),
                            {557, 298}, {0, 0, 557, 298}, step2);
    qbhkpnl->menuOnPicture();
    qbhkmarks = new ChartMarks(*qbhkpnl);
    auto* readings = new QGroupBox(QStringLiteral("查图"), step2);
    auto* column = new QVBoxLayout(readings);
    column->addWidget(new QLabel(QStringLiteral("查得MAXγmin,a/s、b/s,a/b及e/s的值为（请读者输入）："), readings));
    auto* grid = new QGridLayout;
    Edit13 = AddEditRow(grid, 0, 0, QStringLiteral("MAXγmin="), QStringLiteral("Edit13"), QStringLiteral("43"),
                        QStringLiteral("°"));
    Edit15 = AddEditRow(grid, 0, 3, QStringLiteral("a/s="), QStringLiteral("Edit15"), QStringLiteral("0.465"), {});
    Edit16 = AddEditRow(grid, 0, 6, QStringLiteral("b/s="), QStringLiteral("Edit16"), QStringLiteral("1.150"), {});
    Edit17 = AddEditRow(grid, 1, 0, QStringLiteral("a/b="), QStringLiteral("Edit17"), QStringLiteral("0.406"), {});
    Edit18 = AddEditRow(grid, 1, 3, QStringLiteral("e/s="), QStringLiteral("Edit18"), QStringLiteral("0.378"), {});
    column->addLayout(grid);
    qbhkstep2ok = MakeButton(QStringLiteral("qbhkstep2ok"), QStringLiteral("确定"), step2);
    qbhkstep2complish = MakeButton(QStringLiteral("qbhkstep2complish"), QStringLiteral("运动分析"), step2);
    auto* layout = new QVBoxLayout(step2);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(qbhkpnl, 0, Qt::AlignHCenter);
    layout->addWidget(readings);
    layout->addLayout(ButtonRow(qbhkstep2ok, qbhkstep2complish));
  }
  WizardStep& sp2 = AddStep(kSlider, QStringLiteral("qbhksp2"), QStringLiteral("输出计算结果"), step2);
  sp2.status = QStringLiteral("设计结果");
  sp2.keptLines = 6;
  sp2.calc = qbhkstep2ok;
  sp2.confirm = qbhkstep2complish;
  sp2.stops = std::vector<MechanismAnimation*>{&qbhkstep3->animation()};

  WizardStep& sp3 = AddStep(kSlider, QStringLiteral("qbhksp3"), QStringLiteral("运动分析"), qbhkstep3);
  sp3.status = QStringLiteral("运动分析");
  sp3.keptLines = 8;
  AddStep(kSlider, QStringLiteral("qbhksp4"), QStringLiteral("结束"), nullptr).end = true;

  OnClick(qbhkstep1ok, [this] { qbhkstep1okClick(); });
  OnClick(qbhkstep1cancel, [this] { qbhkstep1cancelClick(); });
  OnClick(qbhkstep2ok, [this] { qbhkstep2okClick(); });
  OnClick(qbhkstep2complish, [this] { qbhkstep2complishClick(); });
}

void TCDJSJFrm::qbhkstep1okClick() {
  if (edit14->text().isEmpty()) {
    ShowMsg(QStringLiteral("请输入φ12的值！"));
    return;
  }
  q.qbhk.O12 = read(edit14);
  AppendLog({QStringLiteral("一、请输入φ12的值："), QStringLiteral("   φ12=") + G(q.qbhk.O12) + QStringLiteral("°")});
  ShowOnlyGroup(Slot(kSlider, 1).group);
  qbhkstep1ok->setEnabled(false);
  qbhkstep1cancel->setEnabled(true);
  RunStep(kSlider, 1);
}

void TCDJSJFrm::qbhkstep1cancelClick() {
  CutLog(4);
  ShowOnlyGroup(m_explanation[kSlider]);
}

void TCDJSJFrm::qbhkstep2okClick() {
  if (AnyEmpty({Edit13, Edit15, Edit16, Edit17, Edit18})) {
    ShowMsg(QStringLiteral("请输入MAXγmin、a/s、b/s、a/b及e/s的值！"));
    return;
  }
  q.qbhk.maxRmin = read(Edit13);
  q.qbhk.as = read(Edit15);
  q.qbhk.bs = read(Edit16);
  q.qbhk.ab = read(Edit17);
  q.qbhk.es = read(Edit18);
  qbhkstep2ok->setEnabled(false);
  qbhkstep2complish->setEnabled(true);
  AppendLog({QStringLiteral("二、输出计算结果："),
             QStringLiteral("   MAXγmin=") + G(q.qbhk.maxRmin) + QStringLiteral("°;a/s=") + G(q.qbhk.as) +
                 QStringLiteral("mm;b/s=") + G(q.qbhk.bs) + QStringLiteral("mm;a/b=") + G(q.qbhk.ab) +
                 QStringLiteral("mm;e/s=") + G(q.qbhk.es) + QStringLiteral("mm;")});
  SetStatus(0, QStringLiteral("计算相关参数"));
}

void TCDJSJFrm::qbhkstep2complishClick() {
  SetStatus(0, QStringLiteral("进入运动分析！"));
  RunStep(kSlider, 2);
  EnableReports(true);
  qbhkstep2complish->setEnabled(false);
}

// --- Double crank ---

void TCDJSJFrm::buildDoubleCrank() {
  const std::vector<MechanismAnimation*> none;  // its steps leave the animations alone
  QGroupBox* step1 = AddStepGroup(kDoubleCrank, QStringLiteral("sqbstep1"), {});
  {
    std::vector<QLineEdit*> e;
    QGroupBox* input = editGroup(QStringLiteral("请输入ψ及γmin的值"), {},
                                 {{"ψ=", "Edit24", "100", "°"}, {"γmin=", "Edit25", "35", "°"}}, e, step1);
    Edit24 = e[0], Edit25 = e[1];
    sqbstep1ok = MakeButton(QStringLiteral("sqbstep1ok"), QStringLiteral("确定"), step1);
    sqbstep1cancel = MakeButton(QStringLiteral("sqbstep1cancel"), QStringLiteral("取消"), step1);
    inputStepLayout(
        step1, input,
        PictureGroup(QStringLiteral("各构件位置关系示意图"), sqbimage1, QStringLiteral("sqbimage1"), step1),
        notesGroup(QStringLiteral("参数说明"),
                   {QStringLiteral("　　1、如图表示出双曲柄机构的两个位置AB1C1D及AB2C2D，此时具有两个最小传动角（γmin1,"
                                   "γmin2）。"),
                    QStringLiteral("　　2、在这两位置之间输入杆AB转180度，输出杆DC转ψ角度。"),
                    QStringLiteral("　　3、为了达到最佳传动条件，给定ψ时，要求两个传动角的最小值相等。"),
                    QStringLiteral("　　4、按最小传动角设计双曲柄机构时，用下面(a)、(b)、(c)线图分别根据给定的ψ及γmin值，"
                                   "求得a/d，b/d及c/d三个相对长度值。")},
                   step1),
        sqbstep1ok, sqbstep1cancel);
  }
  WizardStep& sp1 = AddStep(kDoubleCrank, QStringLiteral("sqbsp1"), QStringLiteral("初始条件"), step1);
  sp1.pictures = {{sqbimage1, QStringLiteral("sqbimage1.bmp")}};
  sp1.status = QStringLiteral("输入初始参数");
  sp1.keptLines = 4;
  sp1.firstEdit = Edit24;
  sp1.calc = sqbstep1ok;
  sp1.stops = none;

  QGroupBox* step2 = AddStepGroup(kDoubleCrank, QStringLiteral("sqbstep2"), QStringLiteral("查取数据"));
  {
    auto* column = new QVBoxLayout(step2);
    RadioGroupsqb = new RadioGroup({}, {QStringLiteral("查取a/d"), QStringLiteral("查取b/d"), QStringLiteral("查取c/d")},
                                   3, step2);
    RadioGroupsqb->setObjectName(QStringLiteral("RadioGroupsqb"));
    sqbstep2ok = MakeButton(QStringLiteral("sqbstep2ok"), QStringLiteral("确定"), step2);
    sqbstep2cancel = MakeButton(QStringLiteral("sqbstep2cancel"), QStringLiteral("取消"), step2);
    column->addWidget(RadioGroupsqb);
    column->addLayout(ButtonRow(sqbstep2ok, sqbstep2cancel));
    column->addStretch(1);
  }
  WizardStep& sp2 = AddStep(kDoubleCrank, QStringLiteral("sqbsp2"), QStringLiteral("查取数据"), step2);
  sp2.status = QStringLiteral("查取数据");
  sp2.keptLines = 6;
  sp2.calc = sqbstep2ok;
  sp2.stops = none;

  sqbstep3 = AddStepGroup(kDoubleCrank, QStringLiteral("sqbstep3"), {});
  {
    sqbpnl = new ChartView(chartNames("sqbpnl", "sqbimage2", "sqblabel", "sqbPopupMenu", "N16", "N17", "N19"),
                           {409, 441}, {0, 0, 409, 441}, sqbstep3);
    std::vector<QLineEdit*> e;
    QGroupBox* readings = editGroup(
        QStringLiteral("计算结果"), QStringLiteral("查得a/d、b/d及c/d的值为："),
        {{"a/d=", "Edit19", "2.1", ""}, {"b/d=", "Edit20", "1.9", ""}, {"c/d=", "Edit21", "1.37", ""}}, e, sqbstep3);
    Edit19 = e[0], Edit20 = e[1], Edit21 = e[2];
    sqbstep3ok = MakeButton(QStringLiteral("sqbstep3ok"), QStringLiteral("输入完毕"), sqbstep3);
    sqbstep3complish = MakeButton(QStringLiteral("sqbstep3complish"), QStringLiteral("完成"), sqbstep3);
    sqbstep3back = MakeButton(QStringLiteral("sqbstep3back"), QStringLiteral("返回查图"), sqbstep3);
    chartStepLayout(sqbstep3, sqbpnl, readings, {sqbstep3ok, sqbstep3complish, sqbstep3back});
  }
  WizardStep& sp3 = AddStep(kDoubleCrank, QStringLiteral("sqbsp3"), QStringLiteral("结束"), nullptr);
  sp3.end = true;
  sp3.stops = none;

  OnClick(sqbstep1ok, [this] { sqbstep1okClick(); });
  OnClick(sqbstep1cancel, [this] { sqbstep1cancelClick(); });
  OnClick(sqbstep2ok, [this] { sqbstep2okClick(); });
  OnClick(sqbstep2cancel, [this] { sqbstep2cancelClick(); });
  OnClick(sqbstep3ok, [this] { sqbstep3okClick(); });
  OnClick(sqbstep3complish, [this] { sqbstep3complishClick(); });
  OnClick(sqbstep3back, [this] { sqbstep3backClick(); });
}

void TCDJSJFrm::sqbstep1okClick() {
  if (AnyEmpty({Edit24, Edit25})) {
    ShowMsg(QStringLiteral("请输入ψ及γmin的值!"));
    return;
  }
  q.sqb.w = read(Edit24);
  q.sqb.Rmin = read(Edit25);
  AppendLog({QStringLiteral("一、请输入ψ及γmin的值"), QStringLiteral("  ψ=") + G(q.sqb.w) + QStringLiteral("°;γmin=") +
                                                           G(q.sqb.Rmin) + QStringLiteral("°。")});
  RunStep(kDoubleCrank, 1);
}

void TCDJSJFrm::sqbstep1cancelClick() {
  Edit24->clear();
  Edit25->clear();
  ShowOnlyGroup(m_explanation[kDoubleCrank]);
  Slot(kDoubleCrank, 0).button->setEnabled(false);
  CutLog(4);
}

void TCDJSJFrm::sqbstep2okClick() {
  const int chart = RadioGroupsqb->itemIndex();
  if (chart < 0) {
    ShowMsg(QStringLiteral("请查询相关数据"));
    return;
  }
  m_sqbChart = chart;
  ShowOnlyGroup(sqbstep3);
  showChart(sqbpnl, nullptr, QStringLiteral("sqbimage%1.bmp").arg(chart + 2));
}

void TCDJSJFrm::sqbstep2cancelClick() { ShowOnlyGroup(Slot(kDoubleCrank, 0).group); }

void TCDJSJFrm::sqbstep3okClick() {
  if (AnyEmpty({Edit19, Edit20, Edit21})) {
    ShowMsg(QStringLiteral("请输入a/d,b/d,c/d的值!"));
    return;
  }
  q.sqb.a = read(Edit19);
  q.sqb.b = read(Edit20);
  q.sqb.c = read(Edit21);
  sqbstep3ok->setEnabled(false);
  sqbstep3complish->setEnabled(true);
}

void TCDJSJFrm::sqbstep3complishClick() {
  AppendLog({QStringLiteral("二、输入计算结果为："), QStringLiteral("  a/d=") + G(q.sqb.a) + QStringLiteral("mm;b/d=") +
                                                         G(q.sqb.b) + QStringLiteral("mm;c/d=") + G(q.sqb.c) +
                                                         QStringLiteral("mm.")});
  SetStatus(0, QStringLiteral("设计结束"));
  OfferEnd(kDoubleCrank);
  refreshDesignCheck();  // the lengths are known: there is no analysis to wait for
  sqbstep3ok->setEnabled(false);
  sqbstep3complish->setEnabled(false);
  sqbstep3->hide();
  EnableReports(true);
}

void TCDJSJFrm::sqbstep3backClick() { ShowOnlyGroup(Slot(kDoubleCrank, 1).group); }

