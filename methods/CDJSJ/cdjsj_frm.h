// Design by transmission angle: a crank-rocker with the largest minimum transmission angle, a
// crank-rocker with travel-speed ratio 1 for a chosen minimum transmission angle, an offset
// crank-slider with the largest minimum transmission angle and a double crank with two equal
// minima. Most designs are read off computed charts, on which the window marks the exact values
// for the designer's input.
#pragma once

#include <optional>

#include "design/design_frm.h"

class AnalysisPanel;
class ChartMarks;
class ChartView;
class QGroupBox;
class QLineEdit;
class QPushButton;

class TCDJSJFrm : public TDesignFrm {
  Q_OBJECT

public:
  explicit TCDJSJFrm(QWidget* parent = nullptr);

  // The design quantities, in double precision; angles in degrees, lengths as ratios to the
  // frame d or to the slider's stroke s.
  struct Quantities {
    struct {
      double O12 = 0, W12 = 0, Rmin = 0, B = 0, a = 0, b = 0, c = 0;
    } qbyg1;
    struct {
      double O12 = 0, W12 = 0, Rmin = 0;
      double a1 = 0, b1 = 0, c1 = 0;  // read off the chart
      double a2 = 0, b2 = 0, c2 = 0;  // by the formulas
      int way = 0;                    // 0 the chart, 1 the formulas
    } qbyg2;
    struct {
      double O12 = 0, maxRmin = 0, as = 0, bs = 0, ab = 0, es = 0;
    } qbhk;
    struct {
      double w = 0, Rmin = 0, a = 0, b = 0, c = 0;
    } sqb;
  };
  const Quantities& Values() const { return q; }
  // The chart of the double crank chosen in its second step: 0 a/d, 1 b/d, 2 c/d.
  int DoubleCrankChart() const { return m_sqbChart; }

  // Crank-rocker 1 (type 0).
  void qbyg1step1OKClick();
  void qbyg1step1CancelClick();
  void qbyg1step2okClick();
  void qbyg1step2cancelClick();
  void qbyg1step3ExeClick();
  void qbyg1step3complishClick();
  // Crank-rocker 2, K = 1 (type 1).
  void qbyg2step1okClick();
  void qbyg2step1cancelClick();
  void qbyg2step2okClick();
  void qbyg2step2cancelClick();
  void qbyg2step31okClick();
  void qbyg2step32exeClick();
  void qbyg2complishClick();  // "运动分析" of either way
  // Offset crank-slider (type 2).
  void qbhkstep1okClick();
  void qbhkstep1cancelClick();
  void qbhkstep2okClick();
  void qbhkstep2complishClick();
  // Double crank (type 3).
  void sqbstep1okClick();
  void sqbstep1cancelClick();
  void sqbstep2okClick();
  void sqbstep2cancelClick();
  void sqbstep3okClick();
  void sqbstep3complishClick();
  void sqbstep3backClick();

  // Type 0 controls.
  QLineEdit *O12, *W12, *Rmin, *B, *editadivd, *editbdivd, *editcdivd;
  PictureBox *yg1image1, *yg1image3;
  ChartView* yg1pnl;
  ChartMarks* yg1marks;
  QPushButton *qbyg1step1OK, *qbyg1step1Cancel, *qbyg1step2ok, *qbyg1step2cancel, *qbyg1step3Exe,
      *qbyg1step3complish;
  AnalysisPanel* qbyg1step4;
  // Type 1 controls.
  QLineEdit *Edit4, *Edit5, *Edit6, *Edit7, *Edit8, *Edit9, *Edit10, *Edit11, *Edit12;
  PictureBox *yg2image1, *yg2image32;
  ChartView* yg2pnl;
  RadioGroup* calculatechose;
  QPushButton *qbyg2step1ok, *qbyg2step1cancel, *qbyg2step2ok, *qbyg2step2cancel, *qbyg2step31ok,
      *qbyg2step31complish, *qbyg2step32exe, *qbyg2step32complish;
  QToolButton *qbyg2sp31, *qbyg2sp32;
  QGroupBox *qbyg2step31, *qbyg2step32;
  AnalysisPanel* qbyg2step4;
  // Type 2 controls.
  QLineEdit *edit14, *Edit13, *Edit15, *Edit16, *Edit17, *Edit18;
  PictureBox* qbhkimage1;
  ChartView* qbhkpnl;
  ChartMarks* qbhkmarks;
  QPushButton *qbhkstep1ok, *qbhkstep1cancel, *qbhkstep2ok, *qbhkstep2complish;
  AnalysisPanel* qbhkstep3;
  // Type 3 controls.
  QLineEdit *Edit24, *Edit25, *Edit19, *Edit20, *Edit21;
  PictureBox* sqbimage1;
  ChartView* sqbpnl;
  RadioGroup* RadioGroupsqb;
  QPushButton *sqbstep1ok, *sqbstep1cancel, *sqbstep2ok, *sqbstep2cancel, *sqbstep3ok, *sqbstep3complish,
      *sqbstep3back;
  QGroupBox* sqbstep3;

protected:
  void OnStepEntered(int type, int k) override;
  void OnAnalysisFinished(int type) override;
  QString NotesPage() const override;
  RecordFields RecordFieldsOf() override;
  std::optional<DesignCheckResult> DesignCheckOf() const override;
  void OnRecordRead() override;
  std::vector<ReportRow> ReportRows() const override;
  QString ProposedFileName() const override;

private:
  void buildCrankRocker1();
  void buildCrankRocker2();
  void buildCrankSlider();
  void buildDoubleCrank();
  // The type's explanation, shown by the type confirm; its "点击继续" runs the first step.
  void addExplanation(int type, const QString& name, const QString& text);
  // Slot 3 of type 1 holds the step of the way chosen in step 2.
  void useWay(int way);
  // Loads a chart into its view, fitted to the panel, with its axis file for the marks.
  void showChart(ChartView* view, ChartMarks* marks, const QString& file);
  void enterCrankRockerAnalysis(AnalysisPanel* panel, double a, double b, double c);

  Quantities q;
  int m_sqbChart = -1;
  bool m_typeFromRecord = false;  // DsType was read from a record (−1 there hides the notes)
  QGroupBox *m_explanation[4] = {};
};
