// Design by given positions of the coupler (rigid-body guidance): the fixed pivots from two
// positions of BC and a line of the pivots, from three positions of BC, or from three positions
// of a line of the coupler plane with the moving pivots chosen in it.
#pragma once

#include <optional>

#include "design/design_frm.h"
#include "link/guidance.h"

class AnalysisPanel;
class QGroupBox;
class QLineEdit;
class QPushButton;

class TLWZFrm : public TDesignFrm {
  Q_OBJECT

public:
  explicit TLWZFrm(QWidget* parent = nullptr);

  const GuidanceInput& Input() const { return m_in; }
  const GuidanceDesign& Design() const { return m_d; }

  // Commands of the three calculation steps.
  void lwzexe1Click();
  void lwzok1Click();
  void lwzexe2Click();
  void lwzok2Click();
  void lwzexe3Click();
  void lwzok3Click();

  // The steps are shared by the three types; the first step shows the rows its type uses.
  QLineEdit *edtX1, *edtY1, *edtAng1, *edtX2, *edtY2, *edtAng2, *edtX3, *edtY3, *edtAng3;
  QLineEdit *edtBC, *edtY0, *edtBx, *edtBy, *edtCx, *edtCy;
  PictureBox *imgSketch, *imgConstruction;
  QPushButton *lwzexe1, *lwzok1, *lwzexe2, *lwzok2, *lwzexe3, *lwzok3;
  QLabel *lblPoints, *lblA, *lblD, *LenAB, *LenBC, *LenCD, *LenAD, *lblFrame, *lblKind;
  AnalysisPanel* lwzstep4;

protected:
  void OnStepEntered(int type, int k) override;
  RecordFields RecordFieldsOf() override;
  void OnRecordRead() override;
  std::optional<DesignCheckResult> DesignCheckOf() const override;
  std::vector<ReportRow> ReportRows() const override;

private:
  QGroupBox* buildPositionStep();
  QGroupBox* buildPivotStep();
  QGroupBox* buildLengthStep();
  void showInputRows(int type);
  std::optional<GuidanceInput> readInput() const;  // none after the message on an empty edit
  QString pointName(int i) const;  // "B1" or "M1"

  GuidanceInput m_in;
  GuidanceDesign m_d;
  int m_editsType = -1;  // the type whose defaults the edits were last given
  QList<QWidget*> m_rows[5];  // labels and edits of: position 3, BC, y0, B, C
  QLabel* m_pointCaption[3];
  QLabel* m_angleCaption[3];
};
