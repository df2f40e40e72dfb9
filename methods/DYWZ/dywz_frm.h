// Design by prescribed corresponding positions of the two side links: a hinged four-bar from
// three pairs of input and output angles, or a crank-slider from three pairs of crank angle
// and slider position.
#pragma once

#include <optional>

#include "design/design_frm.h"
#include "design/fourbar_steps.h"

class AnalysisPanel;
class QGroupBox;
class QLineEdit;
class QPushButton;

class TDYWZFrm : public TDesignFrm, public FourBarSteps {
  Q_OBJECT

public:
  static constexpr int kFourBar = 0, kCrankSlider = 1;
  explicit TDYWZFrm(QWidget* parent = nullptr);

  // The design quantities; the crank-slider keeps its values in the same slots: Q1…Q3 in
  // P0…P2 and a, b, e (mm) in m, n, l.
  struct Quantities : FourBarDesign {
    Extended O1 = 0, O2 = 0, O3 = 0, O0 = 0;  // φ1…φ3, φ0 (deg)
    Extended W1 = 0, W2 = 0, W3 = 0, W0 = 0;  // ψ1…ψ3, ψ0 (deg); slider positions s1…s3 (mm)
  };
  const Quantities& Values() const { return q; }

  // Four-bar (type 0) commands; the later steps are the shared four-bar steps.
  void Param1OKClick();
  void Param1CancelCick();
  // Crank-slider (type 1) commands.
  void type2okClick();
  void type2cancelClick();
  void QQQexeClick();
  void QQQokClick();
  void ABEexeClick();
  void type2cmpClick();

  // Type 0 controls.
  QLineEdit *O1, *O2, *O3, *O0, *W1, *W2, *W3, *W0;
  PictureBox* type1Imgsyt;
  QPushButton *Param1OK, *Param1Cancel;
  AnalysisPanel* type1step6;
  // Type 1 controls.
  QLineEdit *fai1, *fai2, *fai3, *s1, *s2, *s3;
  PictureBox *type2imgsyt, *ImgQQQ, *imgabe;
  QPushButton *type2ok, *type2cancel, *QQQexe, *QQQok, *ABEexe, *type2cmp;
  QLabel *QQQ1, *QQQ2, *QQQ3, *abea, *abeb, *abee;
  AnalysisPanel* type2step4;

protected:
  void OnStepEntered(int type, int k) override;
  RecordFields RecordFieldsOf() override;
  std::optional<DesignCheckResult> DesignCheckOf() const override;
  std::vector<ReportRow> ReportRows() const override;

private:
  void buildFourBar();
  void buildCrankSlider();
  void enterCrankSliderAnalysis();
  Linkage crankSliderLinkage() const { return Linkage::CrankSlider(q.m, q.n, q.l); }

  Quantities q;
};
