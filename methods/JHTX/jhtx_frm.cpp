#include "methods/JHTX/jhtx_frm.h"

#include "analysis/analysis_panel.h"
#include "base/convert.h"
#include "base/desktop.h"
#include "base/fpu.h"
#include "base/inifile.h"
#include "base/numfmt.h"
#include "design/start_value_panel.h"
#include "link/quick_return.h"

#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <cmath>
#include <functional>
#include <map>

// Clicks into an edit and its loss of focus as commands, inside the handler guard.
class TJHTXFrm::EditEvents : public QObject {
public:
  using QObject::QObject;

  void watch(QLineEdit* edit, std::function<void()> click, std::function<void()> exit) {
    m_handlers[edit] = {std::move(click), std::move(exit)};
    edit->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const auto found = m_handlers.find(watched);
    if (found == m_handlers.end()) return false;
    if (event->type() == QEvent::MouseButtonPress && found->second.click) {
      Guarded(found->second.click);
    } else if (event->type() == QEvent::FocusOut && found->second.exit) {
      // Another window taking the focus (a message, another program) leaves nothing.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Guarded(found->second.exit);
    }
    return false;
  }

private:
  struct Handlers {
    std::function<void()> click, exit;
  };
  std::map<QObject*, Handlers> m_handlers;
};

namespace {


QString fixed3(Extended v) { return QString::asprintf("%.3f", double(v)); }

struct Field {
  const char* caption;  // the edit stands in the blanks before the unit: "摆角Ψ=            °"
  const char* name;
  const char* text;
  int row, column;
};

QLineEdit* addField(QGridLayout* grid, const Field& f) {
  static const QRegularExpression blanks(QStringLiteral(" {2,}"));
  const QString caption = QString::fromUtf8(f.caption);
  const QRegularExpressionMatch gap = blanks.match(caption);
  const QString label = gap.hasMatch() ? caption.left(gap.capturedStart()) : caption;
  const QString unit = gap.hasMatch() ? caption.mid(gap.capturedEnd()).trimmed() : QString();
  return AddEditRow(grid, f.row, f.column * 3, label, QString::fromLatin1(f.name), QString::fromLatin1(f.text), unit);
}

// The input step of a type: the edits, the position sketch and the notes, and the two buttons.
// `wide` puts the edits across the whole group, the sketch and the notes under them.
std::vector<QLineEdit*> inputStep(QGroupBox* step, const std::vector<Field>& fields, PictureBox*& sketchPicture,
                                  const QString& sketchName, const QStringList& notes, QPushButton* ok,
                                  QPushButton* cancel, bool wide) {
  auto* layout = new QGridLayout(step);
  auto* input = new QGroupBox(QStringLiteral("请输入初始参数"), step);
  auto* grid = new QGridLayout(input);
  std::vector<QLineEdit*> edits;
  for (const Field& f : fields) {
    edits.push_back(addField(grid, f));
    if (!wide) continue;
    // Three edits in a row: narrower edits, and each unit apart from the next label.
    edits.back()->setFixedWidth(64);
    grid->setColumnMinimumWidth(f.column * 3 + 2, 28);
  }
  grid->setRowStretch(grid->rowCount(), 1);
  auto* sketch = new QGroupBox(QStringLiteral("位置关系示意图"), step);
  sketchPicture = new PictureBox(sketchName, sketch);
  (new QVBoxLayout(sketch))->addWidget(sketchPicture);
  auto* notesBox = new QGroupBox(QStringLiteral("参数说明："), step);
  auto* noteColumn = new QVBoxLayout(notesBox);
  for (const QString& note : notes) noteColumn->addWidget(MakeNote(note, notesBox));
  noteColumn->addStretch(1);
  if (wide) {
    layout->addWidget(input, 0, 0, 1, 2);
    layout->addWidget(sketch, 1, 0);
    layout->addWidget(notesBox, 1, 1);
    layout->setRowStretch(1, 1);
  } else {
    layout->addWidget(input, 0, 0);
    layout->addWidget(sketch, 0, 1);
    layout->addWidget(notesBox, 1, 0, 1, 2);
  }
  layout->addLayout(ButtonRow(ok, cancel), 2, 0, 1, 2);
  return edits;
}

// "计算依据" holding the formula picture of a calculation step.
QGroupBox* basisGroup(QWidget* step, PictureBox*& picture, const QString& name) {
  auto* basis = new QGroupBox(QStringLiteral("计算依据"), step);
  picture = new PictureBox(name, basis);
  (new QVBoxLayout(basis))->addWidget(picture);
  return basis;
}

const QString kMessage = QStringLiteral(
    "  本方程属于非线性方程组，本程序采用拟Newton法求解。可点击‘初值设置’按钮对初值进行设置，也可单击\"计算\"按钮按默认迭代初值进行计算。");

}  // namespace

TJHTXFrm::TJHTXFrm(QWidget* parent)
    : TDesignFrm(QStringLiteral("JHTX"), QStringLiteral("按从动件的急回特性设计"), QStringLiteral("JHTX"),
                 WizardPolicy{}, parent),
      m_events(new EditEvents(this)) {
  AddType(QStringLiteral("曲柄摇杆机构的设计"),
          QStringLiteral("设计类型说明：已知摇杆长度C，摆角ψ及行程速比系数K，设计曲柄摇杆机构"),
          QStringLiteral("pnlType1"), QStringLiteral("RightPnlType1"));
  AddType(QStringLiteral("曲柄滑块机构的设计"),
          QStringLiteral("设计类型说明：已知滑块的冲程H、偏距e及行程速比系数K，设计曲柄滑块机构"),
          QStringLiteral("pnlType2"), QStringLiteral("RightPnlType2"));
  AddType(QStringLiteral("导杆机构的设计"), QStringLiteral("设计类型说明：已知机架长度d，行程速比系数K，设计导杆机构"),
          QStringLiteral("PnlType3"), QStringLiteral("RightPnlType3"));
  for (int type : {kRocker, kSlider, kGuideBar}) {
    m_types[type].notesPage = QStringLiteral("JHTX%1.htm").arg(type);
    m_types[type].reportsAfterStep = 2;
    m_types[type].checkFromStep = 2;
  }
  buildCrankRocker();
  buildCrankSlider();
  buildGuideBar();
  // The accuracy takes any text, such as "1e-7".
  AddNumericEdits({bj, xcsb, jwjj, Ygcd, cdj, IniSelect->Start(0), IniSelect->Start(1), IniSelect->Start(2),
                   IniSelect->Start(3), IniSelect->txtmax, chcheng, kkk, sta, gamamin, adivb, tp3L4, tp3kkk, tp3sta});
}

void TJHTXFrm::couple(QLineEdit* kEdit, QLineEdit* thetaEdit) {
  const auto editable = [](QLineEdit* on, QLineEdit* off) {
    on->setReadOnly(false);
    on->setPalette(QPalette());
    off->setReadOnly(true);
    QPalette faded = off->palette();
    faded.setColor(QPalette::Base, faded.color(QPalette::Button));
    off->setPalette(faded);
  };
  editable(kEdit, thetaEdit);
  m_events->watch(
      kEdit, [=] { editable(kEdit, thetaEdit); },
      [=] {
        const Extended theta = ThetaFromK(StrToFloat(kEdit->text()));
        FpuCheck();
        thetaEdit->setText(fixed3(theta));
      });
  m_events->watch(
      thetaEdit, [=] { editable(thetaEdit, kEdit); },
      [=] {
        const Extended theta = StrToFloat(thetaEdit->text());
        // K would be infinite: say so rather than fail on the division.
        if (theta == 180) {
          ShowMsg(QStringLiteral("极位夹角θ不能等于180°！"));
          return;
        }
        const Extended K = KFromTheta(theta);
        FpuCheck();
        kEdit->setText(fixed3(K));
      });
}

// --- The steps every type has ---

namespace {
QString stepButton(int type, int step) { return QStringLiteral("type%1sp%2").arg(type + 1).arg(step); }
}  // namespace

void TJHTXFrm::addInputStep(int type, QWidget* group, PictureBox* sketch, const QString& picture,
                            QLineEdit* firstEdit) {
  WizardStep& step = AddStep(type, stepButton(type, 1), QStringLiteral("初始条件"), group);
  step.pictures = {{sketch, picture}};
  step.status = QStringLiteral("输入初始参数");
  step.keptLines = 0;
  step.firstEdit = firstEdit;
}

void TJHTXFrm::addCalculationStep(int type, const QString& caption, QWidget* group, PictureBox* basis,
                                  const QString& picture, int keptLines, QPushButton* calc, QPushButton* confirm,
                                  const std::vector<QLabel*>& results) {
  WizardStep& step = AddStep(type, stepButton(type, 2), caption, group);
  step.pictures = {{basis, picture}};
  step.status = caption;
  step.keptLines = keptLines;
  step.calc = calc;
  step.confirm = confirm;
  for (QLabel* label : results) AddResult(step, label);
}

AnalysisPanel* TJHTXFrm::addAnalysisSteps(int type, const AnalysisPanelConfig& config, bool finishRunsEnd,
                                          int keptLines) {
  AnalysisPanel* panel = AddAnalysisPanel(type, config, finishRunsEnd);
  WizardStep& analysis = AddStep(type, stepButton(type, 3), QStringLiteral("运动分析"), panel);
  analysis.status = QStringLiteral("运动分析");
  analysis.keptLines = keptLines;
  WizardStep& end = AddStep(type, stepButton(type, 4), QStringLiteral("结束"), nullptr);
  end.status = QStringLiteral("设计结束");
  end.end = true;
  return panel;
}

// --- Crank-rocker ---

void TJHTXFrm::buildCrankRocker() {
  QGroupBox* step1 = AddStepGroup(kRocker, QStringLiteral("type1step1"), {});
  Param1OK = MakeButton(QStringLiteral("Param1OK"), QStringLiteral("确定"), step1);
  Param1Cancel = MakeButton(QStringLiteral("Param1Cancel"), QStringLiteral("取消"), step1);
  const std::vector<QLineEdit*> edits = inputStep(
      step1,
      {{"摆角Ψ=            °", "bj", "45", 0, 0},
       {"行程速比系数K=", "xcsb", "1.400", 1, 0},
       {"极位夹角θ=            °", "jwjj", "30.000", 2, 0},
       {"摇杆c 长度=           mm", "Ygcd", "45", 3, 0},
       {"传动角γmin=           ° ", "cdj", "40", 4, 0}},
      type1Imgsyt, QStringLiteral("type1Imgsyt"),
      {QStringLiteral("　1. ψ为摇杆摆角，必须输入，0<ψ<180°。"),
       QStringLiteral("　2. 行程速比系数K和极位夹角θ任选其一。K=(180°+θ)/(180°-θ)≥1，一般取1≤K≤2 。"),
       QStringLiteral("　3.  摇杆长c在未知时，可以任选，设计完后，各杆长成比例放大或缩小，不影响ψ和K值。 "),
       QStringLiteral("　4.  最小传动角γmin是表征机构传力性能的重要指标，其值越大越好，一般要求≥35°-45°。"
                      "整个循环的最小传动角γmin一定发生在曲柄AB与机架AD拉直共线和重叠共线的两个位置上。")},
      Param1OK, Param1Cancel, false);
  bj = edits[0], xcsb = edits[1], jwjj = edits[2], Ygcd = edits[3], cdj = edits[4];
  couple(xcsb, jwjj);
  addInputStep(kRocker, step1, type1Imgsyt, QStringLiteral("qbygsyt.bmp"), bj);

  QGroupBox* step2 = AddStepGroup(kRocker, QStringLiteral("type1step2"), {});
  {
    auto* layout = new QGridLayout(step2);
    layout->addWidget(basisGroup(step2, type1imggs, QStringLiteral("type1imggs")), 0, 0);
    msg = MakeLabel(QStringLiteral("msg"), kMessage, step2);
    msg->setWordWrap(true);
    layout->addWidget(msg, 1, 0);
    jsa = MakeLabel(QStringLiteral("jsa"), QStringLiteral("a="), step2);
    jsb = MakeLabel(QStringLiteral("jsb"), QStringLiteral("b="), step2);
    jsd = MakeLabel(QStringLiteral("jsd"), QStringLiteral("d="), step2);
    jsw = MakeLabel(QStringLiteral("jsw"), QStringLiteral("ψ0="), step2);
    // The four results in two columns, to leave the start values their room.
    auto* results = new QGroupBox(QStringLiteral("计算结果"), step2);
    auto* grid = new QGridLayout(results);
    for (int i = 0; QLabel* label : {jsa, jsb, jsd, jsw}) {
      label->setParent(results);
      label->setContentsMargins(30, 0, 0, 0);
      grid->addWidget(label, i / 2, i % 2);
      ++i;
    }
    layout->addWidget(results, 2, 0);
    IniSelect = new StartValuePanel(
        {{QStringLiteral("      本方程采用拟Newton迭代法求解，您可以对计算结果给予初值估计。"),
          QStringLiteral("    注意：1、不同的初值可能得到不同的求解结果！"), QStringLiteral("2、部分初值可能造成求解方法失效。")},
         {{QStringLiteral("Inia"), QStringLiteral("a="), QStringLiteral("9"), QStringLiteral("mm")},
          {QStringLiteral("Inib"), QStringLiteral("b="), QStringLiteral("57"), QStringLiteral("mm")},
          {QStringLiteral("Inid"), QStringLiteral("d="), QStringLiteral("30"), QStringLiteral("mm")},
          {QStringLiteral("Iniw"), QStringLiteral("ψ0="), QStringLiteral("76"), QStringLiteral("°")}}},
        step2);
    // The start values cover the formulas while they are open; the message and the last
    // result stay in sight.
    IniSelect->setAutoFillBackground(true);
    layout->addWidget(IniSelect, 0, 0);
    IniSelect->raise();
    layout->setRowStretch(0, 1);
    Iniset = MakeButton(QStringLiteral("Iniset"), QStringLiteral("初值设置"), step2);
    ABDWExe = MakeButton(QStringLiteral("ABDWExe"), QStringLiteral("计算"), step2);
    type1ydfx = MakeButton(QStringLiteral("type1ydfx"), QStringLiteral("运动分析"), step2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (QPushButton* button : {Iniset, ABDWExe, type1ydfx}) {
      buttons->addWidget(button);
      buttons->addStretch(1);
    }
    layout->addLayout(buttons, 3, 0);
    IniSelect->Attach(Iniset, ABDWExe, type1ydfx);
    IniSelect->SetMessage(msg, kMessage);
    // "确定" of the start values leaves no result standing; "取消" keeps the last one shown.
    IniSelect->onOk = [this] {
      for (const auto& [label, caption] : Slot(kRocker, 1).results) label->setText(caption);
    };
  }
  addCalculationStep(kRocker, QStringLiteral("计算a、b、d及ψ0的值"), step2, type1imggs, QStringLiteral("qbyggs.bmp"), 10,
                     ABDWExe, type1ydfx, {jsa, jsb, jsd, jsw});
  // The crank-rocker's "完成" leaves its "结束" to the user.
  type1step3 = addAnalysisSteps(kRocker, AnalysisPanelConfig::QuickReturnCrankRocker(), false, 15);

  OnClick(Param1OK, [this] { Param1OKClick(); });
  OnClick(Param1Cancel, [this] { Param1CancelClick(); });
  OnClick(ABDWExe, [this] { ABDWExeClick(); });
  OnClick(type1ydfx, [this] { type1ydfxClick(); });
}

void TJHTXFrm::Param1OKClick() {
  // Converted one by one: the quantities before a faulty edit keep their new values.
  q.psi = StrToFloat(bj->text());
  q.K = StrToFloat(xcsb->text());
  q.theta = StrToFloat(jwjj->text());
  q.c = StrToFloat(Ygcd->text());
  q.gammaMin = StrToFloat(cdj->text());
  WriteLogHeader();
  AppendLog({QStringLiteral("一、初始信息"), QStringLiteral("    摆角Ψ=") + G(q.psi) + QStringLiteral("°"),
             QStringLiteral("    行程速比系数K=") + G(q.K), QStringLiteral("    极位夹角θ=") + G(q.theta) + QStringLiteral("°"),
             QStringLiteral("    摇杆长度C=") + G(q.c) + QStringLiteral("mm"),
             QStringLiteral("    最小传动角γmin=") + G(q.gammaMin) + QStringLiteral("°")});
  RunStep(kRocker, 1);
}

void TJHTXFrm::Param1CancelClick() {
  for (QLineEdit* edit : {bj, xcsb, jwjj, Ygcd, cdj}) edit->clear();
  bj->setFocus();
}

void TJHTXFrm::ABDWExeClick() {
  CutLog(10);
  Extended eps = 0;
  int limit = 0;
  TExtendedArray start;
  if (!IniSelect->ReadSettings(eps, limit, start)) return;
  FpuClear();
  QuickReturnRocker r;
  const bool solved = SolveQuickReturnRocker(q.psi, q.theta, q.gammaMin, q.c, start, eps, limit, r);
  FpuCheck();  // a diverging iteration that overflowed changes nothing
  if (!solved) {
    for (const auto& [label, caption] : Slot(kRocker, 1).results) label->setText(caption);
    type1ydfx->setEnabled(false);
    ABDWExe->setEnabled(false);
    IniSelect->ShowMessage(QStringLiteral("求解失败！您可以通过修改初值、加大迭代次数或降低求解精度再次尝试求解。"), true);
    IniSelect->InisetClick();
    return;
  }
  q.a = r.a, q.b = r.b, q.d = r.d, q.psi0 = r.psi0;
  const bool feasible = RockerFeasible(r);
  if (feasible)
    IniSelect->ShowMessage(QStringLiteral("求解成功！您可以通过修改初值来尝试求其它解。"), false);
  else
    IniSelect->ShowMessage(
        QStringLiteral("求解成功，但计算结果不符工程实际！您可以通过修改初值来尝试求其它解。"), true);
  type1ydfx->setEnabled(feasible);
  jsa->setText(QStringLiteral("a=") + R5(q.a) + QStringLiteral("mm"));
  jsb->setText(QStringLiteral("b=") + R5(q.b) + QStringLiteral("mm"));
  jsd->setText(QStringLiteral("d=") + R5(q.d) + QStringLiteral("mm"));
  jsw->setText(QStringLiteral("ψ0=") + R5(q.psi0) + QStringLiteral("°"));
  ABDWExe->setEnabled(false);
}

void TJHTXFrm::type1ydfxClick() {
  if (ABDWExe->isEnabled()) {
    ABDWExeClick();
    if (!type1ydfx->isEnabled()) return;  // no linkage to analyse
  }
  AppendLog({QStringLiteral("二、设计结果"), QStringLiteral("    ") + jsa->text(), QStringLiteral("    ") + jsb->text(),
             QStringLiteral("    ") + jsd->text(), QStringLiteral("    ") + jsw->text()});
  EnableReports(true);
  type1ydfx->setEnabled(false);
  RunStep(kRocker, 2);
}

// --- Crank-slider ---

void TJHTXFrm::buildCrankSlider() {
  QGroupBox* step1 = AddStepGroup(kSlider, QStringLiteral("type2step1"), {});
  type2ok = MakeButton(QStringLiteral("type2ok"), QStringLiteral("确定"), step1);
  type2cancel = MakeButton(QStringLiteral("type2cancel"), QStringLiteral("取消"), step1);
  const std::vector<QLineEdit*> edits = inputStep(
      step1,
      {{"冲程H           mm", "chcheng", "50", 0, 0},
       {"行程速比系数K", "kkk", "1.400", 0, 1},
       {"极位夹角θ          °", "sta", "30", 0, 2},
       {"最小传动角γmin           °", "gamamin", "60", 1, 0},
       {"λ(即a/b)", "adivb", "0.35", 1, 1}},
      type2imgsyt, QStringLiteral("type2imgsyt"),
      {QStringLiteral("　1.   行程速比系数K和极位夹角θ任选其一。K=(180°+θ)/(180°-θ)≥1，一般取1≤K≤2 。"),
       QStringLiteral("　2.  传动角γmin是表征机构传力性能的重要指标，其值越大越好。最小传动角γmin发生在曲柄与导路垂直的两个可能位置上。"
                      "一般要求γmin≥35-45°。"),
       // The offset follows from H, θ and λ; λ alone sets γmin.
       QStringLiteral("　3.  λ即a/b，tan²(θ/2)<λ<1，输入γmin后，程序会给出使γmin最大的λ值。改变λ可优化偏距e。")},
      type2ok, type2cancel, true);
  chcheng = edits[0], kkk = edits[1], sta = edits[2], gamamin = edits[3], adivb = edits[4];
  couple(kkk, sta);
  m_events->watch(gamamin, {}, [this] { gamaminExit(); });
  addInputStep(kSlider, step1, type2imgsyt, QStringLiteral("qbhksyt.bmp"), chcheng);

  QGroupBox* step2 = AddStepGroup(kSlider, QStringLiteral("type2step2"), {});
  {
    QGroupBox* basis = basisGroup(step2, type2imggs, QStringLiteral("type2imggs"));
    abea = MakeLabel(QStringLiteral("abea"), QStringLiteral("曲柄a为："), step2);
    abeb = MakeLabel(QStringLiteral("abeb"), QStringLiteral("连杆b为："), step2);
    abee = MakeLabel(QStringLiteral("abee"), QStringLiteral("偏距e为："), step2);
    ABEexe = MakeButton(QStringLiteral("ABEexe"), QStringLiteral("计算"), step2);
    type2cmp = MakeButton(QStringLiteral("type2cmp"), QStringLiteral("运动分析"), step2);
    const QString heading = QStringLiteral("求得a、b及e的值为：");
    CalculationStep(step2, basis, heading, {abea, abeb, abee}, ABEexe, type2cmp);
    for (QLabel* label : step2->findChildren<QLabel*>())
      if (label->text() == heading) label->setObjectName(QStringLiteral("Label22"));
  }
  addCalculationStep(kSlider, QStringLiteral("计算a,b,e的值"), step2, type2imggs, QStringLiteral("qbhkgs.bmp"), 10, ABEexe,
                     type2cmp, {abea, abeb, abee});
  type2step3 = addAnalysisSteps(kSlider, AnalysisPanelConfig::QuickReturnCrankSlider(), true, 14);

  OnClick(type2ok, [this] { type2okClick(); });
  OnClick(type2cancel, [this] { type2cancelClick(); });
  OnClick(ABEexe, [this] { ABEexeClick(); });
  OnClick(type2cmp, [this] { type2cmpClick(); });
}

void TJHTXFrm::gamaminExit() {
  const Extended gammaMin = StrToFloat(gamamin->text());
  const Extended theta = StrToFloat(sta->text());
  const Extended lambda = SuggestedSliderRatio(theta, gammaMin);
  FpuCheck();
  adivb->setText(G(lambda));
}

void TJHTXFrm::type2okClick() {
  q.H = StrToFloat(chcheng->text());
  q.K = StrToFloat(kkk->text());
  q.theta = StrToFloat(sta->text());
  q.lambda = StrToFloat(adivb->text());
  q.gammaMin = StrToFloat(gamamin->text());
  WriteLogHeader();
  AppendLog({QStringLiteral("一、初始参数"), QStringLiteral("    冲程H=") + G(q.H) + QStringLiteral("mm"),
             QStringLiteral("    行程速比系数K=") + G(q.K), QStringLiteral("    极位夹角θ=") + G(q.theta) + QStringLiteral("°"),
             QStringLiteral("    λ(a/b)=") + G(q.lambda),
             QStringLiteral("    最小传动角γmin=") + G(q.gammaMin) + QStringLiteral("°")});
  RunStep(kSlider, 1);
}

void TJHTXFrm::type2cancelClick() {
  for (QLineEdit* edit : {chcheng, kkk, sta, gamamin, adivb}) edit->clear();
  chcheng->setFocus();
}

void TJHTXFrm::ABEexeClick() {
  FpuClear();
  const QuickReturnSlider s = DesignQuickReturnSlider(q.H, q.theta, q.lambda);
  const BestSliderRatio best = LargestSliderTransmission(q.theta);
  FpuCheck();
  q.a = s.a, q.b = s.b, q.e = s.e;
  abea->setText(QStringLiteral("曲柄a为：") + R3(s.a) + QStringLiteral(" mm"));
  abeb->setText(QStringLiteral("连杆b为：") + R3(s.b) + QStringLiteral(" mm"));
  abee->setText(QStringLiteral("偏距e为：") + R3(s.e) + QStringLiteral(" mm"));
  ABEexe->setEnabled(false);
  type2cmp->setEnabled(true);
  if (s.exact && s.gammaMin >= q.gammaMin) return;
  // The offset is fixed by H, θ and λ, so γmin is what the linkage reaches; say how far λ can
  // take it.
  QString text = s.exact ? QStringLiteral("所得机构的最小传动角γmin=") + R3(s.gammaMin) +
                               QStringLiteral("°，小于要求的") + G(q.gammaMin) + QStringLiteral("°。")
                         : QStringLiteral("λ=") + G(q.lambda) + QStringLiteral("时得不到冲程为H、极位夹角为θ的曲柄滑块机构。");
  if (best.found)
    text += QStringLiteral("θ=") + G(q.theta) + QStringLiteral("°时γmin最大约为") + R3(best.gammaMin) +
            QStringLiteral("°（λ≈") + R3(best.lambda) + QStringLiteral("），可返回修改λ。");
  else if (q.theta == 0)
    text += QStringLiteral("θ=0°时取λ≤cosγmin即可。");
  else
    text += QStringLiteral("极位夹角θ≥90°的曲柄滑块机构不存在。");
  ShowMsg(text);
}

void TJHTXFrm::type2cmpClick() {
  AppendLog({QStringLiteral("二、计算结果"), QStringLiteral("    ") + abea->text(), QStringLiteral("    ") + abeb->text(),
             QStringLiteral("    ") + abee->text()});
  type2cmp->setEnabled(false);
  RunStep(kSlider, 2);
  EnableReports(true);
  SetStatus(0, QStringLiteral("设计结束"));
}

// --- Guide-bar ---

void TJHTXFrm::buildGuideBar() {
  QGroupBox* step1 = AddStepGroup(kGuideBar, QStringLiteral("type3step1"), {});
  tp3ok = MakeButton(QStringLiteral("tp3ok"), QStringLiteral("确定"), step1);
  tp3cancel = MakeButton(QStringLiteral("tp3cancel"), QStringLiteral("取消"), step1);
  const std::vector<QLineEdit*> edits = inputStep(
      step1,
      {{"机架长度           mm", "tp3L4", "50", 0, 0},
       {"行程速比系数K", "tp3kkk", "1.400", 1, 0},
       {"极位夹角θ          °", "tp3sta", "30", 2, 0}},
      type3Imgsyt, QStringLiteral("type3Imgsyt"),
      {QStringLiteral("　1.   行程速比系数K和极位夹角θ任选其一。K=(180°+θ)/(180°-θ)≥1，一般取1≤K≤5 。"),
       QStringLiteral("　2.  极位夹角θ≡ψ。ψ为导杆摆角，0<θ<180°。"),
       QStringLiteral("　3.  机架长度在未知时，可以任选，设计完后，各杆长成比例放大或缩小，不影响ψ和K值。"),
       QStringLiteral("　4.  该机构传动角γ≡90°"),
       QStringLiteral("　5.  摆动导杆机构中，a<d。杆a为曲柄，导杆DC作往复摆动。当曲柄a与导杆垂直时，导杆处于极限位置，速度为0。")},
      tp3ok, tp3cancel, false);
  tp3L4 = edits[0], tp3kkk = edits[1], tp3sta = edits[2];
  couple(tp3kkk, tp3sta);
  addInputStep(kGuideBar, step1, type3Imgsyt, QStringLiteral("dgjgsyt.bmp"), tp3L4);

  QGroupBox* step2 = AddStepGroup(kGuideBar, QStringLiteral("type3step2"), {});
  {
    QGroupBox* basis = basisGroup(step2, type3imggs, QStringLiteral("type3imggs"));
    aaa = MakeLabel(QStringLiteral("aaa"), QStringLiteral("曲柄a为："), step2);
    AAAexe = MakeButton(QStringLiteral("AAAexe"), QStringLiteral("计算"), step2);
    type3cmp = MakeButton(QStringLiteral("type3cmp"), QStringLiteral("运动分析"), step2);
    CalculationStep(step2, basis, {}, {aaa}, AAAexe, type3cmp);
  }
  addCalculationStep(kGuideBar, QStringLiteral("计算a的值"), step2, type3imggs, QStringLiteral("dgjggs.bmp"), 8, AAAexe,
                     type3cmp, {aaa});
  type3step3 = addAnalysisSteps(kGuideBar, AnalysisPanelConfig::QuickReturnGuideBar(), true, 10);

  OnClick(tp3ok, [this] { tp3okClick(); });
  OnClick(tp3cancel, [this] { tp3cancelClick(); });
  OnClick(AAAexe, [this] { AAAexeClick(); });
  OnClick(type3cmp, [this] { type3cmpClick(); });
}

void TJHTXFrm::tp3okClick() {
  q.d = StrToFloat(tp3L4->text());
  q.K = StrToFloat(tp3kkk->text());
  q.theta = StrToFloat(tp3sta->text());
  WriteLogHeader();
  AppendLog({QStringLiteral("一、初始参数"), QStringLiteral("    机架长度L4=") + G(q.d) + QStringLiteral("mm"),
             QStringLiteral("    行程速比系数K=") + G(q.K), QStringLiteral("    极位夹角θ=") + G(q.theta) + QStringLiteral("°")});
  RunStep(kGuideBar, 1);
}

void TJHTXFrm::tp3cancelClick() {
  for (QLineEdit* edit : {tp3L4, tp3kkk, tp3sta}) edit->clear();
  tp3L4->setFocus();
}

void TJHTXFrm::AAAexeClick() {
  FpuClear();
  const Extended a = GuideBarCrank(q.d, q.theta);
  FpuCheck();
  q.a = a;
  aaa->setText(QStringLiteral("曲柄a为：") + R3(a) + QStringLiteral(" mm"));
  AAAexe->setEnabled(false);
  type3cmp->setEnabled(true);
}

void TJHTXFrm::type3cmpClick() {
  if (AAAexe->isEnabled()) AAAexeClick();
  AppendLog({QStringLiteral("二、计算结果"), QStringLiteral("    ") + aaa->text()});
  type3cmp->setEnabled(false);
  RunStep(kGuideBar, 2);
  EnableReports(true);
  SetStatus(0, QStringLiteral("设计结束"));
}

// --- Steps ---

void TJHTXFrm::OnStepEntered(int type, int k) {
  if (type == kRocker && k == 1) IniSelect->IniOkClick();
  if (k == 2) enterAnalysis(type);
  if (k == 3) EndStep();
}

void TJHTXFrm::enterAnalysis(int type) {
  EnableReports(true);
  AnalysisPanel* panel = type == kRocker ? type1step3 : type == kSlider ? type2step3 : type3step3;
  panel->setLinkage(designLinkage(type));
  panel->drawClick();
  panel->startClick();
}

Linkage TJHTXFrm::designLinkage(int type) const {
  switch (type) {
    case kRocker: return Linkage::FourBar(LinkageKind::CrankRocker, q.a, q.b, q.c, q.d);
    case kSlider: return Linkage::CrankSlider(q.a, q.b, q.e);
    default: return Linkage::GuideBar(q.a, q.d);
  }
}

void TJHTXFrm::OnAnalysisFinished(int type) {
  // The crank-rocker's "结束" waits for its button; the report menu is on meanwhile.
  if (type == kRocker) EnableReports(true);
}
