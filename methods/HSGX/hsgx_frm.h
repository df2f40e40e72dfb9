// Design by a continuous function relation between the angles of the two side links: a hinged
// four-bar whose output angle follows y = f(x) at three or five Chebyshev nodes. The initial
// conditions stand in place of the type step; the node count decides the design type.
#pragma once

#include <optional>

#include "design/design_frm.h"
#include "design/fourbar_steps.h"
#include "link/function_generation.h"

class AnalysisPanel;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class StartValuePanel;

class THSGXFrm : public TDesignFrm, public FourBarSteps {
  Q_OBJECT

public:
  static constexpr int kThreeNodes = 0, kFiveNodes = 1;
  explicit THSGXFrm(QWidget* parent = nullptr);

  // The design quantities. Index 0 of the node arrays is the interval's start: x0, y0 and the
  // start angles φ0, ψ0; index 1 … 5 the nodes.
  struct Quantities : FourBarDesign {
    QString func = QStringLiteral("lg(x)");
    Extended xm = 0, ym = 0;
    Extended xzjm = 0, yzjm = 0;  // φm, ψm (deg)
    Extended mux = 0, muy = 0;
    std::array<Extended, kMaxNodes + 1> x{}, y{}, O{}, W{};  // x, y, φ, ψ
  };
  const Quantities& Values() const { return q; }
  // 3 for the three-node type, 5 for the five-node type.
  int NodeCount() const;

  void IniCondClick();
  void ChFunTypeClick();
  void btnSeeFunClick();
  void FunListClick();
  void bntIniOkClick();
  void Button1Click();
  // Three nodes.
  void btnJSOWClick();
  void btnOKClick();
  // Five nodes.
  void bntjsxy5Click();
  void btntype2okClick();
  void type2jsClick();
  void type2okClick();

  QToolButton* IniCond;
  RadioGroup *ChFunType, *FunList;
  QWidget* PnlFun;
  QLineEdit* txtFun;
  QPushButton* btnSeeFun;
  QLineEdit *txtx0, *txtxm, *txtXZJm, *txtYZJm;
  QComboBox* PointN;
  PictureBox* Imgsyt;
  QPushButton *bntIniOk, *Button1;
  QWidget* PnlLeft;
  // Three nodes: the angles at the nodes and the start angles the user tries.
  QLineEdit *O1, *O2, *O3, *W1, *W2, *W3;
  QGroupBox* PnlOW0;
  QLineEdit *O0, *W0;
  QPushButton *btnJSOW, *btnOK;
  // Five nodes: the angles, then the coefficients with the start angles from the solver.
  QLineEdit *OO1, *OO2, *OO3, *OO4, *OO5, *WW1, *WW2, *WW3, *WW4, *WW5;
  QPushButton *bntjsxy5, *btntype2ok;
  PictureBox* imgPPPxy;
  QLabel* msg;
  QPushButton *Iniset, *type2js, *type2ok;
  QLineEdit *txtP0, *txtP1, *txtP2, *txtxzj0, *txtyzj0;
  StartValuePanel* IniSelect;
  AnalysisPanel* Step6;

protected:
  void OnStepEntered(int type, int k) override;
  void OnAnalysisFinished(int type) override;
  void TypeStepClick() override { IniCondClick(); }
  QString NotesPage() const override { return QStringLiteral("HSGX.htm"); }
  RecordFields RecordFieldsOf() override;
  std::optional<DesignCheckResult> DesignCheckOf() const override;
  int ResumeStep() const override { return m_step < 0 ? 0 : m_step + 1; }
  std::vector<ReportRow> ReportRows() const override;
  QString ProposedFileName() const override;

private:
  void buildInitialConditions();
  void buildThreeNodes();
  void buildFiveNodes();
  void buildSharedSteps();
  // The nodes and their angles from the stored initial conditions; nothing is stored when
  // f cannot be evaluated.
  FunctionNodes placeNodes() const;
  void storeNodes(const FunctionNodes& nodes);
  QStringList nodeLines(const QString& heading) const;
  void clearResults();
  void syncSeeFun();

  Quantities q;
  int m_funTag = -1;  // the FunList item appended last; −1 before any
  std::vector<QLineEdit*> m_angleDisplays3, m_angleDisplays5, m_resultDisplays;
};
