// Design by the quick-return characteristic of the driven link: a crank-rocker from its swing,
// a crank-slider from its stroke and a swinging guide-bar from its frame, each with the
// travel-speed ratio K or the extreme-position angle θ.
#pragma once

#include <optional>

#include "design/design_frm.h"
#include "link/linkage.h"

class AnalysisPanel;
struct AnalysisPanelConfig;
class QGroupBox;
class QLineEdit;
class QPushButton;
class StartValuePanel;

class TJHTXFrm : public TDesignFrm {
  Q_OBJECT

public:
  static constexpr int kRocker = 0, kSlider = 1, kGuideBar = 2;
  explicit TJHTXFrm(QWidget* parent = nullptr);

  // The design quantities of all three types (mm and degrees).
  struct Quantities {
    Extended H = 0, lambda = 0, e = 0;  // crank-slider: stroke, a/b, offset
    Extended K = 0, theta = 0;
    Extended a = 0, b = 0, d = 0;
    Extended psi0 = 0, psi = 0, gammaMin = 0, c = 0;  // crank-rocker
  };
  const Quantities& Values() const { return q; }

  // Crank-rocker (type 1).
  void Param1OKClick();
  void Param1CancelClick();
  void ABDWExeClick();
  void type1ydfxClick();
  // Crank-slider (type 2).
  void type2okClick();
  void type2cancelClick();
  void gamaminExit();
  void ABEexeClick();
  void type2cmpClick();
  // Guide-bar (type 3).
  void tp3okClick();
  void tp3cancelClick();
  void AAAexeClick();
  void type3cmpClick();

  // Type 1 controls.
  QLineEdit *bj, *xcsb, *jwjj, *Ygcd, *cdj;
  PictureBox *type1Imgsyt, *type1imggs;
  QPushButton *Param1OK, *Param1Cancel, *Iniset, *ABDWExe, *type1ydfx;
  QLabel *msg, *jsa, *jsb, *jsd, *jsw;
  StartValuePanel* IniSelect;
  AnalysisPanel* type1step3;
  // Type 2 controls.
  QLineEdit *chcheng, *kkk, *sta, *gamamin, *adivb;
  PictureBox *type2imgsyt, *type2imggs;
  QPushButton *type2ok, *type2cancel, *ABEexe, *type2cmp;
  QLabel *abea, *abeb, *abee;
  AnalysisPanel* type2step3;
  // Type 3 controls.
  QLineEdit *tp3L4, *tp3kkk, *tp3sta;
  PictureBox *type3Imgsyt, *type3imggs;
  QPushButton *tp3ok, *tp3cancel, *AAAexe, *type3cmp;
  QLabel* aaa;
  AnalysisPanel* type3step3;

protected:
  void OnStepEntered(int type, int k) override;
  void OnAnalysisFinished(int type) override;
  RecordFields RecordFieldsOf() override;
  std::optional<DesignCheckResult> DesignCheckOf() const override;
  std::vector<ReportRow> ReportRows() const override;

private:
  void buildCrankRocker();
  void buildCrankSlider();
  void buildGuideBar();
  // The four steps of every type: the input, the calculation, the analysis and the end.
  void addInputStep(int type, QWidget* group, PictureBox* sketch, const QString& picture, QLineEdit* firstEdit);
  void addCalculationStep(int type, const QString& caption, QWidget* group, PictureBox* basis, const QString& picture,
                          int keptLines, QPushButton* calc, QPushButton* confirm, const std::vector<QLabel*>& results);
  AnalysisPanel* addAnalysisSteps(int type, const AnalysisPanelConfig& config, bool finishRunsEnd, int keptLines);
  // K and θ written into each other when either edit is left; a click makes one editable.
  void couple(QLineEdit* kEdit, QLineEdit* thetaEdit);
  void enterAnalysis(int type);
  Linkage designLinkage(int type) const;

  class EditEvents;

  Quantities q;
  EditEvents* m_events;
};
