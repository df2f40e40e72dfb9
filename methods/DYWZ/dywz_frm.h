// Design by prescribed corresponding positions of the two side links: a hinged four-bar from
// three pairs of input and output angles, or a crank-slider from three pairs of crank angle
// and slider position.
#pragma once

#include "design/design_frm.h"

class AnalysisPanel;
class QGroupBox;
class QLineEdit;
class QPushButton;

class TDYWZFrm : public TDesignFrm {
  Q_OBJECT

public:
  explicit TDYWZFrm(QWidget* parent = nullptr);

  // The design quantities; the crank-slider keeps its values in the same slots.
  struct Quantities {
    Extended O1 = 0, O2 = 0, O3 = 0, O0 = 0;  // φ1…φ3, φ0 (deg)
    Extended W1 = 0, W2 = 0, W3 = 0, W0 = 0;  // ψ1…ψ3, ψ0 (deg); slider positions s1…s3 (mm)
    Extended P0 = 0, P1 = 0, P2 = 0;          // position-equation coefficients; Q1…Q3
    Extended m = 0, n = 0, l = 0;             // ratios b/a, c/a, d/a; a, b, e (mm)
    int ganType = -1;                         // known link: 0 AB, 1 BC, 2 CD, 3 AD
    Extended ganLen = 0;
    Extended lenA = 0, lenB = 0, lenC = 0, lenD = 0;  // AB, BC, CD, AD (mm)
  };
  const Quantities& Values() const { return q; }

  // Four-bar (type 0) commands.
  void Param1OKClick();
  void Param1CancelCick();
  void PPPExeClick();
  void PPPOKClick();
  void mnlEXEClick();
  void mnlOkClick();
  void RadioGroup1Click();
  void Param2OKClick();
  void Param2CancelClick();
  void ABCDEXEClick();
  void type1compClick();
  // Crank-slider (type 1) commands.
  void type2okClick();
  void type2cancelClick();
  void QQQexeClick();
  void QQQokClick();
  void ABEexeClick();
  void type2cmpClick();

  // Type 0 controls.
  QLineEdit *O1, *O2, *O3, *O0, *W1, *W2, *W3, *W0;
  PictureBox *type1Imgsyt, *imgPPP1, *imgPPP2, *imgmnl;
  QPushButton *Param1OK, *Param1Cancel, *PPPExe, *PPPOK, *mnlEXE, *mnlOk;
  QLabel *PPP0, *PPP1, *PPP2, *mnlM, *mnlN, *mnlL;
  RadioGroup* RadioGroup1;
  QLabel *gantype, *Lendanwei;
  QLineEdit* GanLen;
  QPushButton *Param2OK, *Param2Cancel, *ABCDEXE, *type1comp;
  QLabel *OW1, *OW2, *OW3, *OW0, *ganKnowed, *LenAB, *LenBC, *LenCD, *LenAD;
  AnalysisPanel* type1step6;
  // Type 1 controls.
  QLineEdit *fai1, *fai2, *fai3, *s1, *s2, *s3;
  PictureBox *type2imgsyt, *ImgQQQ, *imgabe;
  QPushButton *type2ok, *type2cancel, *QQQexe, *QQQok, *ABEexe, *type2cmp;
  QLabel *QQQ1, *QQQ2, *QQQ3, *abea, *abeb, *abee;
  AnalysisPanel* type2step4;

protected:
  void OnStepEntered(int type, int k) override;
  QString NotesPage() const override;
  void WriteMethodKeys(TIniFile& ini) const override;
  void ReadMethodKeys(const TIniFile& ini) override;
  bool ReportsOnResume() const override;
  std::vector<ReportRow> ReportRows() const override;

private:
  void buildFourBar();
  void buildCrankSlider();
  void enterFourBarAnalysis();
  void enterCrankSliderAnalysis();
  void fillPositionLabels();

  Quantities q;
};
