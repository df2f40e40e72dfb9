// The steps of a hinged four-bar designed through the coefficients of its position equation,
// shared by the corresponding-position and the function-generation windows: the coefficients
// P0, P1, P2 through three positions, the ratios m, n, l, the known link, the link lengths and
// the entry of the analysis. A window mixes this class in beside the wizard base, so the
// controls and handlers carry their names in either window; the window gives its section
// numbers, group names and where its angles come from.
#pragma once

#include "link/linkage.h"

#include "base/types.h"

#include <QString>
#include <functional>
#include <vector>

class AnalysisPanel;
class PictureBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RadioGroup;
class TDesignFrm;
struct WizardStep;
struct ReportRow;

// The quantities the steps compute.
struct FourBarDesign {
  Extended P0 = 0, P1 = 0, P2 = 0;  // coefficients of the position equation
  Extended m = 0, n = 0, l = 0;     // ratios b/a, c/a, d/a
  int ganType = -1;                 // known link: 0 AB, 1 BC, 2 CD, 3 AD; −1 none
  Extended ganLen = 0;
  Extended lenA = 0, lenB = 0, lenC = 0, lenD = 0;  // AB, BC, CD, AD (mm)
};

class FourBarSteps {
public:
  struct Config {
    int firstSection = 2;  // the coefficients' section is "二、"; the later ones follow
    int firstSlot = 1;     // slot of the coefficient step; ratios, known link, lengths and analysis follow
    bool lengthsShowGiven = true;  // the lengths step repeats the positions and the known link
  };
  // The three positions and start angles the coefficients go through (degrees).
  struct Positions {
    Extended phi[3], psi[3], phi0, psi0;
  };

  FourBarSteps(TDesignFrm& wizard, FourBarDesign& design, const Config& config,
               std::function<Positions()> positions);
  virtual ~FourBarSteps() = default;

  // The step groups, on a type's right panel (−1: the window's shared panel), and what the
  // protocol resets in each.
  QGroupBox* BuildCoefficientStep(int type, const QString& name);
  QGroupBox* BuildRatioStep(int type, const QString& name);
  QGroupBox* BuildKnownLinkStep(int type, const QString& name);
  QGroupBox* BuildLengthStep(int type, const QString& name);
  void DescribeCoefficientStep(WizardStep& step);
  void DescribeRatioStep(WizardStep& step);
  void DescribeKnownLinkStep(WizardStep& step);
  void DescribeLengthStep(WizardStep& step);

  // What the window does on entering the steps.
  void EnterKnownLinkStep();
  void EnterLengthStep();
  // The analysis of the designed four-bar: its input range, then "绘图" and "开始".
  void EnterFourBarAnalysis(AnalysisPanel* panel);
  // The hinged four-bar of the lengths found, as the analysis receives it.
  Linkage FourBarLinkage() const;
  // The simple report's rows of these steps: P0, P1, P2, m, n, l, the known link, the lengths.
  void AppendReportRows(std::vector<ReportRow>& rows) const;

  void PPPExeClick();
  void PPPOKClick();
  void mnlEXEClick();
  void mnlOkClick();
  void RadioGroup1Click();
  void Param2OKClick();
  void Param2CancelClick();
  void ABCDEXEClick();
  void type1compClick();

  PictureBox *imgPPP1 = nullptr, *imgPPP2 = nullptr, *imgmnl = nullptr;
  QLabel *PPP0 = nullptr, *PPP1 = nullptr, *PPP2 = nullptr, *mnlM = nullptr, *mnlN = nullptr, *mnlL = nullptr;
  QPushButton *PPPExe = nullptr, *PPPOK = nullptr, *mnlEXE = nullptr, *mnlOk = nullptr;
  RadioGroup* RadioGroup1 = nullptr;
  QLabel *gantype = nullptr, *Lendanwei = nullptr;
  QLineEdit* GanLen = nullptr;
  QPushButton *Param2OK = nullptr, *Param2Cancel = nullptr, *ABCDEXE = nullptr, *type1comp = nullptr;
  QLabel *OW1 = nullptr, *OW2 = nullptr, *OW3 = nullptr, *OW0 = nullptr, *ganKnowed = nullptr;
  QLabel *LenAB = nullptr, *LenBC = nullptr, *LenCD = nullptr, *LenAD = nullptr;

private:
  QString section(int offset, const QString& title) const;
  void commit(int slot);

  TDesignFrm& m_wizard;
  FourBarDesign& m_design;
  Config m_config;
  std::function<Positions()> m_positions;
};
