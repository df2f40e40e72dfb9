#include "methods/CDJSJ/cdjsj_frm.h"

#include "analysis/analysis_panel.h"
#include "base/convert.h"
#include "base/fpu.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "link/charts.h"
#include "methods/CDJSJ/chart_marks.h"
#include "methods/CDJSJ/chart_view.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cfenv>

namespace {

constexpr int kRocker1 = 0, kRocker2 = 1, kSlider = 2, kDoubleCrank = 3;
const QString kSection = QStringLiteral("DesignInfo");

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
  return p;
}

QString G(double v) { return FormatG(v); }
double read(const QLineEdit* edit) { return double(StrToFloat(edit->text())); }
bool anyEmpty(std::initializer_list<const QLineEdit*> edits) {
  return std::any_of(edits.begin(), edits.end(), [](const QLineEdit* e) { return e->text().isEmpty(); });
}

struct EditSpec {
  const char* label;
  const char* name;
  const char* text;
  const char* unit;
};

// A titled group of labelled edits, one under the other, after an optional caption.
QGroupBox* editGroup(const QString& title, const QString& caption, const std::vector<EditSpec>& specs,
                     std::vector<QLineEdit*>& edits, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* column = new QVBoxLayout(group);
  if (!caption.isEmpty()) column->addWidget(MakeNote(caption, group));
  auto* grid = new QGridLayout;
  grid->setColumnStretch(3, 1);
  int row = 0;
  for (const EditSpec& s : specs)
    edits.push_back(AddEditRow(grid, row++, 0, QString::fromUtf8(s.label), QString::fromLatin1(s.name),
                               QString::fromLatin1(s.text), QString::fromUtf8(s.unit)));
  column->addLayout(grid);
  column->addStretch(1);
  return group;
}

QGroupBox* pictureGroup(const QString& title, PictureBox*& picture, const QString& name, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  picture = new PictureBox(name, group);
  (new QVBoxLayout(group))->addWidget(picture);
  return group;
}

QGroupBox* notesGroup(const QString& title, const QStringList& notes, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* column = new QVBoxLayout(group);
  for (const QString& note : notes) column->addWidget(MakeNote(note, group));
  column->addStretch(1);
  return group;
}

// The first step of a type: the inputs beside the position sketch, the notes under both and the
// two buttons at the bottom.
void inputStepLayout(QGroupBox* step, QGroupBox* input, QGroupBox* sketch, QGroupBox* notes, QPushButton* ok,
                     QPushButton* cancel) {
  auto* grid = new QGridLayout(step);
  grid->addWidget(input, 0, 0);
  grid->addWidget(sketch, 0, 1);
  grid->addWidget(notes, 1, 0, 1, 2);
  grid->addLayout(ButtonRow(ok, cancel), 2, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(1, 1);
}

// A chart on the left; the readings and the buttons, one under the other, on the right.
void chartStepLayout(QGroupBox* step, ChartView* chart, QGroupBox* readings,
                     const std::vector<QPushButton*>& buttons) {
  auto* row = new QHBoxLayout(step);
  row->setContentsMargins(4, 4, 4, 4);
  row->addWidget(chart, 0, Qt::AlignTop);
  auto* column = new QVBoxLayout;
  column->addWidget(readings);
  column->addStretch(1);
  for (QPushButton* b : buttons) column->addWidget(b);
  row->addLayout(column, 1);
}

// A calculation step: "计算依据" with its formula picture over "计算结果", then the buttons.
void calculationLayout(QGroupBox* step, QGroupBox* basis, QGroupBox* results, QPushButton* calc,
                       QPushButton* next) {
  auto* column = new QVBoxLayout(step);
  column->addWidget(basis, 3);
  column->addWidget(results, 2);
  column->addLayout(ButtonRow(calc, next));
}

ChartView::Names chartNames(const char* panel, const char* picture, const char* overlay, const char* menu,
                            const char* in, const char* out, const char* restore) {
  return {QString::fromLatin1(panel), QString::fromLatin1(picture), QString::fromLatin1(overlay),
          QString::fromLatin1(menu),  QString::fromLatin1(in),      QString::fromLatin1(out),
          QString::fromLatin1(restore)};
}

// The record keys of a type, in the order written, with the quantities they hold.
std::vector<std::pair<QString, double*>> recordKeys(TCDJSJFrm::Quantities& q, int type) {
  const auto keys = [](std::initializer_list<std::pair<const char*, double*>> list) {
    std::vector<std::pair<QString, double*>> v;
    for (const auto& [key, value] : list) v.emplace_back(QString::fromLatin1(key), value);
    return v;
  };
  switch (type) {
    case kRocker1:
      return keys({{"qbyg1O12", &q.qbyg1.O12}, {"qbyg1W12", &q.qbyg1.W12}, {"qbyg1Rmin", &q.qbyg1.Rmin},
                   {"qbyg1B", &q.qbyg1.B}, {"qbyg1adivd", &q.qbyg1.a}, {"qbyg1bdivd", &q.qbyg1.b},
                   {"qbyg1cdivd", &q.qbyg1.c}});
    case kRocker2:
      return keys({{"qbyg2O12", &q.qbyg2.O12}, {"qbyg2W12", &q.qbyg2.W12}, {"qbyg2Rmin", &q.qbyg2.Rmin},
                   {"qbyg21adivd", &q.qbyg2.a1}, {"qbyg21bdivd", &q.qbyg2.b1}, {"qbyg21cdivd", &q.qbyg2.c1},
                   {"qbyg22adivd", &q.qbyg2.a2}, {"qbyg22bdivd", &q.qbyg2.b2}, {"qbyg22cdivd", &q.qbyg2.c2}});
    case kSlider:
      return keys({{"qbhkO12", &q.qbhk.O12}, {"qbhkmaxRmin", &q.qbhk.maxRmin}, {"qbhkadivs", &q.qbhk.as},
                   {"qbhkbdivs", &q.qbhk.bs}, {"qbhkadivb", &q.qbhk.ab}, {"qbhkedivs", &q.qbhk.es}});
    case kDoubleCrank:
      return keys({{"sqbw", &q.sqb.w}, {"sqbRmin", &q.sqb.Rmin}, {"sqbadivd", &q.sqb.a}, {"sqbbdivd", &q.sqb.b},
                   {"sqbcdivd", &q.sqb.c}});
    default:
      return {};
  }
}

// The way of type 1 is not among the Part's keys; a record without it opens in the chart way.
const QString kWayKey = QStringLiteral("qbyg2way");

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
  }
  // The captions are too long for the list's two columns: one to a row.
  auto* grid = static_cast<QGridLayout*>(DesignType->layout());
  const QList<QRadioButton*> items = DesignType->findChildren<QRadioButton*>();
  for (QRadioButton* item : items) grid->removeWidget(item);
  for (int i = 0; i < int(items.size()); ++i) grid->addWidget(items[i], i, 0);
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
        pictureGroup(QStringLiteral("各构件位置关系示意图"), yg1image1, QStringLiteral("yg1image1"), step1),
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
    QGroupBox* basis = pictureGroup(QStringLiteral("计算依据"), yg1image3, QStringLiteral("yg1image3"), step3);
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
  if (anyEmpty({O12, W12})) {
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
  if (anyEmpty({Rmin, B})) {
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
        pictureGroup(QStringLiteral("各构件位置关系示意图"), yg2image1, QStringLiteral("yg2image1"), step1),
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
    QGroupBox* basis = pictureGroup(QStringLiteral("计算依据"), yg2image32, QStringLiteral("yg2image32"), qbyg2step32);
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
  if (anyEmpty({Edit4, Edit5, Edit6})) {
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
        pictureGroup(QStringLiteral("各构件位置关系示意图"), qbhkimage1, QStringLiteral("qbhkimage1"), step1),
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
  if (anyEmpty({Edit13, Edit15, Edit16, Edit17, Edit18})) {
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
        pictureGroup(QStringLiteral("各构件位置关系示意图"), sqbimage1, QStringLiteral("sqbimage1"), step1),
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
  if (anyEmpty({Edit24, Edit25})) {
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
  if (anyEmpty({Edit19, Edit20, Edit21})) {
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
  m_step = 3;
  SetStatus(0, QStringLiteral("设计结束"));
  QToolButton* end = Slot(kDoubleCrank, 2).button;
  end->show();
  end->setEnabled(true);
  sqbstep3ok->setEnabled(false);
  sqbstep3complish->setEnabled(false);
  sqbstep3->hide();
  EnableReports(true);
}

void TCDJSJFrm::sqbstep3backClick() { ShowOnlyGroup(Slot(kDoubleCrank, 1).group); }

// --- Steps ---

void TCDJSJFrm::OnStepEntered(int type, int k) {
  if (Slot(type, k).end) {  // "结束" keeps the step number; the report sets the status
    SimpleReportClick();
    return;
  }
  m_step = k + 1;
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
  if (type == kSlider) {
    m_step = 4;
    SetStatus(0, QStringLiteral("设计结果"));
  } else {
    m_step = 5;
  }
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

void TCDJSJFrm::WriteMethodKeys(TIniFile& ini) const {
  for (const auto& [key, value] : recordKeys(const_cast<Quantities&>(q), m_designType)) WriteReal(ini, key, *value);
  if (m_designType == kRocker2) ini.WriteInteger(kSection, kWayKey, q.qbyg2.way);
}

void TCDJSJFrm::ReadMethodKeys(const TIniFile& ini) {
  m_typeFromRecord = true;
  for (const auto& [key, value] : recordKeys(q, m_designType)) *value = double(ReadReal(ini, key));
  if (m_designType == kRocker2) useWay(ini.ReadInteger(kSection, kWayKey, 0) == 1 ? 1 : 0);
}

bool TCDJSJFrm::ReportsOnResume() const {
  return m_designType == kRocker1 || m_designType == kRocker2 ? m_step > 3 : m_step > 2;
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
