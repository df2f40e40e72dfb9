// Approximate dwell of the driven link: how far the crank turns while the rocker of a
// crank-rocker stays within △ψ of its rear extreme position, and where the crank stands when the
// slider of a crank-slider is △H from its rear dead position. Angles in degrees, lengths in mm.
// Nothing here checks its input: an arc cosine or arc sine out of range, or a division by zero,
// leaves its result NaN or infinite and the floating-point flag set for the caller's FpuCheck().
#pragma once

#include "base/types.h"
#include "link/linkage.h"
#include "link/numerics.h"

// The quantities of an approximate-dwell design, as the design window holds them.
struct DwellDesign {
  Extended a = 0, b = 0;            // crank AB and coupler BC
  Extended c = 0, d = 0;            // crank-rocker: rocker DC and frame AD
  Extended dPsi = 0;                // allowed change of the rocker angle at the rear extreme
  Extended phiO = 0, psiS = 0;      // the extreme positions (deg)
  Extended e = 0, H = 0, dH = 0;    // crank-slider: offset of the guide, stroke, stroke increment
  Extended lambda = 0, k = 0;       // a/b and e/a
  Extended alpha = 0;               // arcsin(e/(a + b)) (deg)
  Extended s = 0;                   // H − △H
  Extended phi = 0;                 // the crank angle of the dwell (deg)
};

// The two extreme positions of the crank-rocker A B C D: φo, the angle at A between AD and AC2
// when crank and coupler are stretched (AC2 = a + b), and ψs, the angle at D between DA and DC1
// when they overlap (AC1 = b − a), the rear extreme position.
void RockerExtremes(Extended a, Extended b, Extended c, Extended d, Extended& phiO, Extended& psiS);

// The crank turn φ during which the rocker angle at D stays within dPsi of psiS.
Extended RockerDwellAngle(Extended a, Extended b, Extended c, Extended d, Extended psiS, Extended dPsi);

// λ = a/b, k = e/a, α = arcsin(e/(a + b)) in degrees and s = H − △H.
void SliderDwellParameters(Extended a, Extended b, Extended e, Extended H, Extended dH, Extended& lambda,
                           Extended& k, Extended& alpha, Extended& s);

// The stroke √((a + b)² − e²) − √((b − a)² − e²) of the crank-slider; false, with H untouched,
// when the crank cannot turn fully (b < a + |e|), so that there is no rear dead position.
bool CrankSliderStroke(Extended a, Extended b, Extended e, Extended& H);

// The slider stands s short of its outer dead position, with the slider's distance from A along
// the guide taken to second order in λ: one equation in x0 = φ (deg).
//   f0 = (a + b)·cos α − a·(cos φ + 1/λ − λk²/2 − (λ/2)·sin²φ − λk·sin φ) − s
// The bracket times a is a·cos φ + b − (a·sin φ + e)²/(2b): the guide runs at e on the side of
// φ = 270°. The system reads a, b, λ, k, α and s from the design each time it is evaluated.
class TCDJS : public TNLequation {
public:
  explicit TCDJS(const DwellDesign& design) : m_design(design) {}
  void Residual(const TExtendedArray& x, TExtendedArray& f) override;

private:
  const DwellDesign& m_design;
};

// Solves TCDJS from the start angle with the quasi-Newton solver (difference step 0.1, reduced
// by 0.1 per iteration); on success φ is brought into [0, 360).
bool SolveSliderDwell(const DwellDesign& design, Extended start, Extended eps, int maxIter, Extended& phi);

// The crank-slider as the dwell equation means it, for the analysis: the kinematics put the
// guide at +e, on the side of φ = 90°, so the design's guide at e on the side of φ = 270° is the
// offset −e there. With it the slider dwells at the crank angles the equation reports.
Linkage DwellCrankSliderAnalysisLinkage(const DwellDesign& design);
