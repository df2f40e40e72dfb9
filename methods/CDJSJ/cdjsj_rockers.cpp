// The transmission-angle window's two crank-rocker types: the largest minimum transmission angle,
// and the travel-speed ratio 1 by the chart or the formulas.
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

// --- Crank-rocker 1 ---

void TCDJSJFrm::buildCrankRocker1() {
  QGroupBox* step1 = AddStepGroup(kRocker1, QStringLiteral("qbyg1step1"), {});
  {
    std::vector<QLineEdit*> e;
    QGroupBox* input = editGroup(QStringLiteral("请输入已知的ψ12及φ12"), {},
                                 {{"φ12", "O12", "205", "°"}, {"ψ12", "W12", "40", "°"}}, e, step1);
    O12 = e[0], W12 = e[1];
    qbyg1step1OK = MakeButton(QStringLiteral("qbyg1step1OK"), QStringLiteral("确定"), step1);
    qbyg1step1Cancel = MakeButton(QStringLiteral("qbyg1step1Cancel"), QStringLiteral("取消"), step1);
    inputStepLayout(
        step1, input,
        PictureGroup(QStringLiteral("各构件位置关系示意图"), yg1image1, QStringLiteral("yg1image1"), step1),
        notesGroup(QStringLiteral("设计参数说明"),
                   {QStringLiteral("　　1、根据已知的φ12及ψ12，由图查得最大的最小传动角MAXγmin及β角。其中β为摇杆在远极限"
                                   "位置时曲柄与机架间的夹角。然后用公式计算各构件相对长度。"),
                    QStringLiteral("　　2、a　曲柄长度；b　连杆长度；c　摇杆长度；d　机架长度；"),
                    QStringLiteral("　　3、γmin　选定的最小传动角；φ12 摇杆C两由极限位置1到极限位置2时\n"
                                   "主动曲柄转过的角度；ψ12 摇杆C两极限位置间的夹角。")},
                   step1),
        qbyg1step1OK, qbyg1step1Cancel);
  }
  WizardStep& sp1 = AddStep(kRocker1, QStringLiteral("qbyg1sp1"), QStringLiteral("初始条件"), step1);
  sp1.pictures = {{yg1image1, QStringLiteral("yg1image1.bmp")}};
  sp1.status = QStringLiteral("输入初始参数");
  sp1.keptLines = 4;
  sp1.firstEdit = O12;
  sp1.calc = qbyg1step1OK;

  QGroupBox* step2 = AddStepGroup(kRocker1, QStringLiteral("qbyg1step2"), {});
  {
    yg1pnl = new ChartView(chartNames("yg1pnl", "yg1image2", "yg1label", "yg1PopupMenu", "N4", "N5", "N7"),
                           {361, 413}, {8, 0, 345, 409}, step2);
    yg1marks = new ChartMarks(*yg1pnl);
    std::vector<QLineEdit*> e;
    QGroupBox* readings = editGroup(QStringLiteral("查询结果"), {},
                                    {{"MAXγmin=", "Rmin", "40", "°"}, {"β=", "B", "60", "°"}}, e, step2);
    Rmin = e[0], B = e[1];
    qbyg1step2ok = MakeButton(QStringLiteral("qbyg1step2ok"), QStringLiteral("确定"), step2);
    qbyg1step2cancel = MakeButton(QStringLiteral("qbyg1step2cancel"), QStringLiteral("取消"), step2);
    chartStepLayout(step2, yg1pnl, readings, {qbyg1step2ok, qbyg1step2cancel});
  }
  WizardStep& sp2 = AddStep(kRocker1, QStringLiteral("qbyg1sp2"), QStringLiteral("由图查得MAXγmin及β角"), step2);
  sp2.status = QStringLiteral("输入MAXγmin及β角的值");
  sp2.keptLines = 6;
  sp2.calc = qbyg1step2ok;

  QGroupBox* step3 = AddStepGroup(kRocker1, QStringLiteral("qbyg1step3"), {});
  {
    QGroupBox* basis = PictureGroup(QStringLiteral("计算依据"), yg1image3, QStringLiteral("yg1image3"), step3);
    std::vector<QLineEdit*> e;
    QGroupBox* results =
        editGroup(QStringLiteral("计算结果"), QStringLiteral("求得a/d、b/d及c/d的值为："),
                  {{"a/d=", "editadivd", "", ""}, {"b/d=", "editbdivd", "", ""}, {"c/d=", "editcdivd", "", ""}}, e,
                  step3);
    editadivd = e[0], editbdivd = e[1], editcdivd = e[2];
    for (QLineEdit* edit : e) edit->setFixedWidth(150);  // 15 digits
    qbyg1step3Exe = MakeButton(QStringLiteral("qbyg1step3Exe"), QStringLiteral("计算"), step3);
    qbyg1step3complish = MakeButton(QStringLiteral("qbyg1step3complish"), QStringLiteral("运动分析"), step3);
    calculationLayout(step3, basis, results, qbyg1step3Exe, qbyg1step3complish);
  }
  WizardStep& sp3 = AddStep(kRocker1, QStringLiteral("qbyg1sp3"), QStringLiteral("确定各杆的相对长度"), step3);
  sp3.pictures = {{yg1image3, QStringLiteral("yg1image3.bmp")}};
  sp3.status = QStringLiteral("设计结果");
  sp3.keptLines = 8;
  sp3.calc = qbyg1step3Exe;
  sp3.confirm = qbyg1step3complish;

  qbyg1step4 = AddAnalysisPanel(kRocker1, AnalysisPanelConfig::TransmissionCrankRocker1(), false);
  WizardStep& sp4 = AddStep(kRocker1, QStringLiteral("qbyg1sp4"), QStringLiteral("运动分析"), qbyg1step4);
  sp4.status = QStringLiteral("对曲柄摇杆机构进行运动分析");
  sp4.keptLines = 10;
  AddStep(kRocker1, QStringLiteral("qbyg1sp5"), QStringLiteral("结束"), nullptr).end = true;

  // The sketch and the formulas run their steps, as their buttons do.
  connect(yg1image1, &PictureBox::clicked, sp1.button, &QToolButton::click);
  connect(yg1image3, &PictureBox::clicked, sp3.button, &QToolButton::click);
  OnClick(qbyg1step1OK, [this] { qbyg1step1OKClick(); });
  OnClick(qbyg1step1Cancel, [this] { qbyg1step1CancelClick(); });
  OnClick(qbyg1step2ok, [this] { qbyg1step2okClick(); });
  OnClick(qbyg1step2cancel, [this] { qbyg1step2cancelClick(); });
  OnClick(qbyg1step3Exe, [this] { qbyg1step3ExeClick(); });
  OnClick(qbyg1step3complish, [this] { qbyg1step3complishClick(); });
}

void TCDJSJFrm::qbyg1step1OKClick() {
  if (AnyEmpty({O12, W12})) {
    ShowMsg(QStringLiteral("请输入φ12及ψ12的值！"));
    return;
  }
  q.qbyg1.O12 = read(O12);
  q.qbyg1.W12 = read(W12);
  AppendLog({QStringLiteral("一、请输入已知的ψ12及φ12"),
             QStringLiteral("   φ12=") + G(q.qbyg1.O12) + QStringLiteral("°，ψ12=") + G(q.qbyg1.W12) +
                 QStringLiteral("°")});
  Slot(kRocker1, 0).group->hide();
  qbyg1step1OK->setEnabled(false);
  qbyg1step1Cancel->setEnabled(true);
  RunStep(kRocker1, 1);
}

void TCDJSJFrm::qbyg1step1CancelClick() {
  O12->clear();
  W12->clear();
  O12->setFocus();
  CutLog(4);
  qbyg1step1Cancel->setEnabled(false);
}

void TCDJSJFrm::qbyg1step2okClick() {
  if (AnyEmpty({Rmin, B})) {
    ShowMsg(QStringLiteral("请输入MAXγmin及β角的值！"));
    return;
  }
  q.qbyg1.Rmin = read(Rmin);
  q.qbyg1.B = read(B);
  AppendLog({QStringLiteral("二、由图查得MAXγmin及β角的值"),
             QStringLiteral("   MAXγmin=") + G(q.qbyg1.Rmin) + QStringLiteral("°，β=") + G(q.qbyg1.B) +
                 QStringLiteral("°")});
  qbyg1step2ok->setEnabled(false);
  qbyg1step2cancel->setEnabled(true);
  RunStep(kRocker1, 2);
}

void TCDJSJFrm::qbyg1step2cancelClick() {
  Rmin->clear();
  B->clear();
  Rmin->setFocus();
  CutLog(6);
}

void TCDJSJFrm::qbyg1step3ExeClick() {
  Extended a = 0, b = 0, c = 0;
  CrankRockerRatios(q.qbyg1.O12, q.qbyg1.W12, q.qbyg1.B, a, b, c);
  FpuCheck();  // φ12 = ψ12 divides by zero: no field is written
  // Each ratio passes through its field: what the field shows is what the design holds.
  editadivd->setText(G(double(a)));
  editbdivd->setText(G(double(b)));
  editcdivd->setText(G(double(c)));
  q.qbyg1.a = read(editadivd);
  q.qbyg1.b = read(editbdivd);
  q.qbyg1.c = read(editcdivd);
  qbyg1step3Exe->setEnabled(false);
  qbyg1step3complish->setEnabled(true);
}

void TCDJSJFrm::qbyg1step3complishClick() {
  AppendLog({QStringLiteral("三、确定各杆的相对长度为："),
             QStringLiteral("   a/d:=") + G(q.qbyg1.a) + QStringLiteral("mm，b/d=") + G(q.qbyg1.b) +
                 QStringLiteral("mm,c/d=") + G(q.qbyg1.c)});
  SetStatus(0, QStringLiteral("进行运动分析"));
  qbyg1step3Exe->setEnabled(false);
  qbyg1step3complish->setEnabled(false);
  EnableReports(true);
  RunStep(kRocker1, 3);
}

// --- Crank-rocker 2, K = 1 ---

void TCDJSJFrm::buildCrankRocker2() {
  QGroupBox* step1 = AddStepGroup(kRocker2, QStringLiteral("qbyg2step1"), {});
  {
    std::vector<QLineEdit*> e;
    QGroupBox* input =
        editGroup(QStringLiteral("输入ψ12、φ12及γmin的值"), {},
                  {{"ψ12", "Edit4", "40", "°"}, {"φ12", "Edit5", "180", "°"}, {"γmin", "Edit6", "50", "°"}}, e, step1);
    Edit4 = e[0], Edit5 = e[1], Edit6 = e[2];
    qbyg2step1ok = MakeButton(QStringLiteral("qbyg2step1ok"), QStringLiteral("确定"), step1);
    qbyg2step1cancel = MakeButton(QStringLiteral("qbyg2step1cancel"), QStringLiteral("取消"), step1);
    inputStepLayout(
        step1, input,
        PictureGroup(QStringLiteral("各构件位置关系示意图"), yg2image1, QStringLiteral("yg2image1"), step1),
        notesGroup(QStringLiteral("参数说明"),
                   {QStringLiteral("　　1、可根据选定的最小传动角，用图确定各杆长度。"),
                    QStringLiteral("　　2、a 曲柄长度；b　连杆长度；c 摇杆长度；d　机架长度；"),
                    QStringLiteral("　　3、γmin　选定的最小传动角；φ12 摇杆C两由极限位置1到极限位置2时主动曲柄转过的角"
                                   "度；ψ12 摇杆C两极限位置间的夹角。")},
                   step1),
        qbyg2step1ok, qbyg2step1cancel);
  }
  WizardStep& sp1 = AddStep(kRocker2, QStringLiteral("qbyg2sp1"), QStringLiteral("初始条件"), step1);
  sp1.pictures = {{yg2image1, QStringLiteral("yg2image1.bmp")}};
  sp1.status = QStringLiteral("输入初始参数");
  sp1.keptLines = 4;
  sp1.firstEdit = Edit4;
  sp1.calc = qbyg2step1ok;

  QGroupBox* step2 = AddStepGroup(kRocker2, QStringLiteral("qbyg2step2"), {});
  {
    auto* column = new QVBoxLayout(step2);
    calculatechose = new RadioGroup(QStringLiteral("选择计算方式"), {QStringLiteral("查图"), QStringLiteral("公式求解")},
                                    2, step2);
    calculatechose->setObjectName(QStringLiteral("calculatechose"));
    qbyg2step2ok = MakeButton(QStringLiteral("qbyg2step2ok"), QStringLiteral("确定"), step2);
    qbyg2step2cancel = MakeButton(QStringLiteral("qbyg2step2cancel"), QStringLiteral("取消"), step2);
    column->addWidget(calculatechose);
    column->addLayout(ButtonRow(qbyg2step2ok, qbyg2step2cancel));
    column->addStretch(1);
  }
  WizardStep& sp2 = AddStep(kRocker2, QStringLiteral("qbyg2sp2"), QStringLiteral("请选择计算方式"), step2);
  sp2.status = QStringLiteral("选择求解方法");
  sp2.keptLines = 6;
  sp2.calc = qbyg2step2ok;

  // Step 3 in the chart way.
  qbyg2step31 = AddStepGroup(kRocker2, QStringLiteral("qbyg2step31"), {});
  {
    yg2pnl = new ChartView(chartNames("yg2pnl", "yg2image31", "yg2label", "yg2PopupMenu", "N8", "N9", "N11"),
                           {369, 441}, {8, 8, 353, 433}, qbyg2step31);
    std::vector<QLineEdit*> e;
    QGroupBox* readings = editGroup(
        QStringLiteral("计算结果"), QStringLiteral("查得a/d、b/d及c/d的值为：　　"),
        {{"a/d=", "Edit10", "0.31", ""}, {"b/d=", "Edit11", "0.54", ""}, {"c/d=", "Edit12", "0.895", ""}}, e,
        qbyg2step31);
    Edit10 = e[0], Edit11 = e[1], Edit12 = e[2];
    qbyg2step31ok = MakeButton(QStringLiteral("qbyg2step31ok"), QStringLiteral("输入完毕"), qbyg2step31);
    qbyg2step31complish = MakeButton(QStringLiteral("qbyg2step31complish"), QStringLiteral("运动分析"), qbyg2step31);
    chartStepLayout(qbyg2step31, yg2pnl, readings, {qbyg2step31ok, qbyg2step31complish});
  }
  qbyg2sp31 = AddStep(kRocker2, QStringLiteral("qbyg2sp31"), QStringLiteral("输出图解结果"), qbyg2step31).button;
  // Step 3 in the formula way: the other button of the same slot.
  qbyg2sp32 = AddStepButton(m_types[kRocker2].buttonPanel, QStringLiteral("qbyg2sp32"),
                            QStringLiteral("输出公式计算结果"));
  qbyg2step32 = AddStepGroup(kRocker2, QStringLiteral("qbyg2step32"), {});
  {
    QGroupBox* basis = PictureGroup(QStringLiteral("计算依据"), yg2image32, QStringLiteral("yg2image32"), qbyg2step32);
    auto* results = new QGroupBox(QStringLiteral("计算结果"), qbyg2step32);
    auto* column = new QVBoxLayout(results);
    column->addWidget(new QLabel(QStringLiteral("求得a/d、b/d及c/d的值为："), results));
    auto* grid = new QGridLayout;
    Edit7 = AddEditRow(grid, 0, 0, QStringLiteral("a/d="), QStringLiteral("Edit7"), QStringLiteral("0.308169"), {});
    Edit8 = AddEditRow(grid, 0, 3, QStringLiteral("b/d="), QStringLiteral("Edit8"), QStringLiteral("0.532088"), {});
    Edit9 = AddEditRow(grid, 0, 6, QStringLiteral("c/d="), QStringLiteral("Edit9"), QStringLiteral("0.901027"), {});
    for (QLineEdit* e : {Edit7, Edit8, Edit9}) e->setFixedWidth(120);
    column->addLayout(grid);
    column->addStretch(1);
    qbyg2step32exe = MakeButton(QStringLiteral("qbyg2step32exe"), QStringLiteral("计算"), qbyg2step32);
    qbyg2step32complish = MakeButton(QStringLiteral("qbyg2step32complish"), QStringLiteral("运动分析"), qbyg2step32);
    calculationLayout(qbyg2step32, basis, results, qbyg2step32exe, qbyg2step32complish);
  }

  qbyg2step4 = AddAnalysisPanel(kRocker2, AnalysisPanelConfig::TransmissionCrankRocker2(), false);
  WizardStep& sp4 = AddStep(kRocker2, QStringLiteral("qbyg2sp4"), QStringLiteral("运动分析"), qbyg2step4);
  sp4.status = QStringLiteral("进行运动分析");
  sp4.keptLines = 10;
  AddStep(kRocker2, QStringLiteral("qbyg2sp5"), QStringLiteral("结束"), nullptr).end = true;
  useWay(0);

  OnClick(qbyg2step1ok, [this] { qbyg2step1okClick(); });
  OnClick(qbyg2step1cancel, [this] { qbyg2step1cancelClick(); });
  OnClick(qbyg2step2ok, [this] { qbyg2step2okClick(); });
  OnClick(qbyg2step2cancel, [this] { qbyg2step2cancelClick(); });
  OnClick(qbyg2step31ok, [this] { qbyg2step31okClick(); });
  OnClick(qbyg2step32exe, [this] { qbyg2step32exeClick(); });
  OnClick(qbyg2step31complish, [this] { qbyg2complishClick(); });
  OnClick(qbyg2step32complish, [this] { qbyg2complishClick(); });
}

void TCDJSJFrm::useWay(int way) {
  q.qbyg2.way = way;
  WizardStep& step = Slot(kRocker2, 2);
  const bool chart = way == 0;
  SetSlotButton(kRocker2, 2, chart ? qbyg2sp31 : qbyg2sp32, chart ? qbyg2step31 : qbyg2step32);
  // The slot's own settings follow its button; the chart is loaded by the step itself.
  step.pictures.clear();
  if (!chart) step.pictures = {{yg2image32, QStringLiteral("yg2image32.bmp")}};
  step.status = chart ? QStringLiteral("设计结果") : QStringLiteral("设计参数确定完毕！");
  step.keptLines = 8;
  step.calc = chart ? qbyg2step31ok : qbyg2step32exe;
  step.confirm = chart ? qbyg2step31complish : qbyg2step32complish;
  (chart ? qbyg2sp32 : qbyg2sp31)->hide();  // only the slot's button ever shows
}

void TCDJSJFrm::qbyg2step1okClick() {
  if (AnyEmpty({Edit4, Edit5, Edit6})) {
    ShowMsg(QStringLiteral("请输入φ12、ψ12及γmin的值！"));
    return;
  }
  q.qbyg2.O12 = read(Edit5);
  q.qbyg2.W12 = read(Edit4);
  q.qbyg2.Rmin = read(Edit6);
  AppendLog({QStringLiteral("一、请输入φ12、ψ12及γmin的值！"),
             QStringLiteral("   φ12=") + G(q.qbyg2.O12) + QStringLiteral("°，ψ12=") + G(q.qbyg2.W12) +
                 QStringLiteral("°，γmin=") + G(q.qbyg2.Rmin) + QStringLiteral("°")});
  qbyg2step1ok->setEnabled(false);
  qbyg2step1cancel->setEnabled(true);
  ShowOnlyGroup(Slot(kRocker2, 1).group);
  RunStep(kRocker2, 1);
}

void TCDJSJFrm::qbyg2step1cancelClick() {
  Edit5->setFocus();
  CutLog(4);
}

void TCDJSJFrm::qbyg2step2okClick() {
  const int way = calculatechose->itemIndex();
  if (way < 0) {
    ShowMsg(QStringLiteral("请选择求解方法！"));
    return;
  }
  useWay(way);
  RunStep(kRocker2, 2);
  AppendLog({QStringLiteral("二、请选择计算方式！"),
             QStringLiteral("   选择的计算方式为") + calculatechose->itemCaption(way)});
  QToolButton* other = way == 0 ? qbyg2sp32 : qbyg2sp31;
  other->hide();
  if (way == 0)
    qbyg2sp32->setEnabled(false);
  else
    qbyg2step32exe->setEnabled(true);
  qbyg2step2ok->setEnabled(false);
  qbyg2step2cancel->setEnabled(true);
}

void TCDJSJFrm::qbyg2step2cancelClick() {
  ShowOnlyGroup(Slot(kRocker2, 0).group);
  Slot(kRocker2, 1).button->setEnabled(false);
  CutLog(6);
}

void TCDJSJFrm::qbyg2step31okClick() {
  q.qbyg2.a1 = read(Edit10);
  q.qbyg2.b1 = read(Edit11);
  q.qbyg2.c1 = read(Edit12);
  AppendLog({QStringLiteral("三、查图结果！"), QStringLiteral("   a/d=") + G(q.qbyg2.a1) + QStringLiteral("mm;b/d=") +
                                                 G(q.qbyg2.b1) + QStringLiteral("mm;c/d=") + G(q.qbyg2.c1) +
                                                 QStringLiteral("mm;")});
  qbyg2step31ok->setEnabled(false);
  qbyg2step31complish->setEnabled(true);
  SetStatus(0, QStringLiteral("设计参数确定完毕！"));
}

void TCDJSJFrm::qbyg2step32exeClick() {
  Extended a = 0, b = 0, c = 0;
  // Where the formulas have no crank-rocker (γmin = 90°, a root of a negative number) the
  // command ends in the arithmetic's invalid operation before any field changes.
  if (!CrankRockerK1Ratios(q.qbyg2.W12, q.qbyg2.Rmin, a, b, c)) std::feraiseexcept(FE_INVALID);
  FpuCheck();
  // Each ratio passes through its field in format G, b/d first as the formulas go.
  Edit8->setText(G(double(b)));
  q.qbyg2.b2 = read(Edit8);
  Edit9->setText(G(double(c)));
  q.qbyg2.c2 = read(Edit9);
  Edit7->setText(G(double(a)));
  q.qbyg2.a2 = read(Edit7);
  qbyg2step32complish->setEnabled(true);
  qbyg2step32exe->setEnabled(false);
  AppendLog({QStringLiteral("三、公式求解结果！"), QStringLiteral("   a/d=") + G(q.qbyg2.a2) +
                                                     QStringLiteral("mm;b/d=") + G(q.qbyg2.b2) +
                                                     QStringLiteral("mm;c/d=") + G(q.qbyg2.c2) + QStringLiteral("mm;")});
  SetStatus(0, QStringLiteral("设计结束"));
}

void TCDJSJFrm::qbyg2complishClick() {
  RunStep(kRocker2, 3);
  EnableReports(true);
  qbyg2step31complish->setEnabled(false);
  qbyg2step32complish->setEnabled(false);
}

