// Design by an approximate-dwell requirement of the driven link: how far the crank of a
// crank-rocker turns while the rocker stays within △ψ of its rear extreme position, and where
// the crank of a crank-slider stands when the slider is △H from its rear dead position.
#pragma once

#include <optional>

#include "design/design_frm.h"
#include "link/dwell.h"

class AnalysisPanel;
class QGroupBox;
class QLineEdit;
class QPushButton;
class StartValuePanel;

class TJSTXFrm : public TDesignFrm {
  Q_OBJECT

public:
  explicit TJSTXFrm(QWidget* parent = nullptr);

  const DwellDesign& Values() const { return q; }

  // Crank-rocker (type 1) commands.
  void Param1OKClick();
  void Param1CancelClick();
  void PPPExeClick();
  void PPPOKClick();
  void mnlEXEClick();
  void type1cmpClick();
  // Crank-slider (type 2) commands.
  void BtokClick();
  void BtclClick();
  void type2okClick();
  void type2cancelClick();
  void QQQexeClick();
  void QQQokClick();
  void ABEexeClick();
  void type2cmpClick();

  // Type 1 controls.
  QLineEdit *O1, *O2, *O3, *O0, *Edit1;
  PictureBox *ImageCDJS, *ImageCDJS1, *imgsp2, *imgmnl;
  QPushButton *Param1OK, *Param1Cancel, *PPPExe, *PPPOK, *mnlEXE, *type1cmp;
  QLabel *PPP0, *PPP1, *mnlM;
  AnalysisPanel* type1step4;
  // Type 2 controls.
  QGroupBox* step2;  // the offset, asked before step 1
  QLineEdit* edite;
  QPushButton *Btok, *Btcl;
  QLineEdit *s1, *s2, *s5, *s4;
  PictureBox *imgQBHK, *ImgQQQ, *imgabe;
  QPushButton *type2ok, *type2cancel, *QQQexe, *QQQok, *ABEexe, *Iniset, *type2cmp;
  QLabel *QQQ1, *QQQ2, *QQQ3, *QQQ4, *msg, *abea;
  StartValuePanel* IniSelect;
  QLineEdit* Inia;
  AnalysisPanel* type2step4;

protected:
  void OnStepEntered(int type, int k) override;
  RecordFields RecordFieldsOf() override;
  std::optional<DesignCheckResult> DesignCheckOf() const override;
  int ResumeStep() const override;
  void OnResumed() override;
  std::vector<ReportRow> ReportRows() const override;

private:
  void buildCrankRocker();
  void buildCrankSlider();
  void enterCrankSliderInput();
  Linkage designLinkage(int type) const;

  DwellDesign q;
};
