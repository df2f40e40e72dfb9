// Every design window's default design, reproduced through the link routines the windows call,
// and its design check as the window runs it.
#pragma once

#include "link/charts.h"
#include "link/design_check.h"
#include "link/dwell.h"
#include "link/function_generation.h"
#include "link/quick_return.h"
#include "link/synthesis.h"

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

namespace check_defaults {

// A four-bar through three positions from the start angles, AB = 100 mm.
inline Linkage FourBarThrough(const Extended (&phi)[3], const Extended (&psi)[3], Extended phi0, Extended psi0) {
  Extended P0, P1, P2, m, n, l, a, b, c, d;
  FourBarCoefficients(phi, psi, phi0, psi0, P0, P1, P2);
  FourBarRatios(P0, P1, P2, m, n, l);
  FourBarLengths(m, n, l, 0, 100, a, b, c, d);
  return Linkage::FourBar(LinkageKind::FourBarByKind, a, b, c, d);
}

inline DesignCheckResult CorrespondingFourBar() {
  const CorrespondingAsk ask{{45, 90, 135}, {50, 80, 110}, 0, 0};
  return CheckCorrespondingFourBar(ask, FourBarThrough(ask.phi, ask.psi, 0, 0));
}

inline DesignCheckResult CorrespondingCrankSlider() {
  const CorrespondingSliderAsk ask{{60, 85, 120}, {36, 28, 19}};
  Extended Q1, Q2, Q3, a, b, e;
  CrankSliderCoefficients(ask.phi, ask.s, Q1, Q2, Q3);
  CrankSliderDimensions(Q1, Q2, Q3, a, b, e);
  return CheckCorrespondingCrankSlider(ask, Linkage::CrankSlider(a, b, e));
}

// f = lg x on [1, 2] over φm = 60° and ψm = 90°, three nodes, from φ0 = 86° and ψ0 = 23.5°;
// f may be the window's evaluator of the typed text.
inline FunctionAsk FunctionGeneratorAsk(std::function<Extended(Extended)> f = [](Extended x) { return std::log10(x); }) {
  const FunctionNodes nodes = PlaceNodes(f, 1, 2, 60, 90, 3);
  return {f, 1, 2, 60, 90, 86, 23.5L, {nodes.x[1], nodes.x[2], nodes.x[3]}};
}

inline Linkage FunctionGenerator(const FunctionAsk& ask = FunctionGeneratorAsk()) {
  const FunctionNodes nodes = PlaceNodes(ask.f, ask.x0, ask.xm, ask.phim, ask.psim, 3);
  const Extended phi[3] = {nodes.phi[1], nodes.phi[2], nodes.phi[3]}, psi[3] = {nodes.psi[1], nodes.psi[2], nodes.psi[3]};
  return FourBarThrough(phi, psi, ask.phi0, ask.psi0);
}

inline DesignCheckResult FunctionGeneration() {
  const FunctionAsk ask = FunctionGeneratorAsk();
  return CheckFunctionGeneration(ask, FunctionGenerator(ask));
}

inline DesignCheckResult QuickReturnCrankRocker() {
  QuickReturnRocker r;
  SolveQuickReturnRocker(45, 30, 40, 45, {9, 57, 30, 76}, 1e-7L, 100, r);
  return CheckQuickReturnCrankRocker(1.4L, 45, 40, Linkage::FourBar(LinkageKind::CrankRocker, r.a, r.b, 45, r.d));
}

inline DesignCheckResult QuickReturnCrankSlider() {
  const QuickReturnSlider s = DesignQuickReturnSlider(50, 30, 0.35L);
  return CheckQuickReturnCrankSlider(50, 1.4L, 60, Linkage::CrankSlider(s.a, s.b, s.e));
}

inline DesignCheckResult QuickReturnGuideBar() {
  return CheckQuickReturnGuideBar(1.4L, 30, Linkage::GuideBar(GuideBarCrank(50, 30), 50));
}

inline DesignCheckResult DwellCrankRocker() {
  Extended phiO, psiS;
  RockerExtremes(20, 30, 50, 45, phiO, psiS);
  const Extended phi = RockerDwellAngle(20, 30, 50, 45, psiS, 5);
  return CheckDwellCrankRocker(5, phi, Linkage::FourBar(LinkageKind::CrankRocker, 20, 30, 50, 45));
}

inline DwellDesign SliderDwell(Extended a, Extended b, Extended e, Extended H, Extended dH) {
  DwellDesign q;
  q.a = a, q.b = b, q.e = e, q.H = H, q.dH = dH;
  SliderDwellParameters(a, b, e, H, dH, q.lambda, q.k, q.alpha, q.s);
  SolveSliderDwell(q, 40, 1e-7L, 100, q.phi);
  return q;
}

inline DesignCheckResult DwellCrankSlider() {
  const DwellDesign q = SliderDwell(20, 30, 0, 15, 2);
  return CheckDwellCrankSlider(q.H, q.dH, q.phi, DwellCrankSliderAnalysisLinkage(q));
}

inline DesignCheckResult TransmissionCrankRocker1() {
  Extended a, b, c;
  CrankRockerRatios(205, 40, 60, a, b, c);
  return CheckTransmissionCrankRocker1(205, 40, 40, Linkage::FourBar(LinkageKind::CrankRocker, a, b, c, 1));
}

inline DesignCheckResult TransmissionCrankRocker2Chart() {
  return CheckTransmissionCrankRocker2(40, 50, true, Linkage::FourBar(LinkageKind::CrankRocker, 0.31L, 0.54L, 0.895L, 1));
}

inline DesignCheckResult TransmissionCrankRocker2Formulas() {
  Extended a, b, c;
  CrankRockerK1Ratios(40, 50, a, b, c);
  return CheckTransmissionCrankRocker2(40, 50, false, Linkage::FourBar(LinkageKind::CrankRocker, a, b, c, 1));
}

inline DesignCheckResult TransmissionCrankSlider() {
  return CheckTransmissionCrankSlider(180, 43, Linkage::CrankSlider(0.465L, 1.15L, 0.378L));
}

inline DesignCheckResult DoubleCrank() {
  return CheckDoubleCrank(100, 35, Linkage::FourBar(LinkageKind::FourBarByKind, 2.1L, 1.9L, 1.37L, 1));
}

// Every window's default, by name.
inline const std::vector<std::pair<const char*, DesignCheckResult (*)()>>& All() {
  static const std::vector<std::pair<const char*, DesignCheckResult (*)()>> all = {
      {"CorrespondingFourBar", CorrespondingFourBar},
      {"CorrespondingCrankSlider", CorrespondingCrankSlider},
      {"FunctionGeneration", FunctionGeneration},
      {"QuickReturnCrankRocker", QuickReturnCrankRocker},
      {"QuickReturnCrankSlider", QuickReturnCrankSlider},
      {"QuickReturnGuideBar", QuickReturnGuideBar},
      {"DwellCrankRocker", DwellCrankRocker},
      {"DwellCrankSlider", DwellCrankSlider},
      {"TransmissionCrankRocker1", TransmissionCrankRocker1},
      {"TransmissionCrankRocker2Chart", TransmissionCrankRocker2Chart},
      {"TransmissionCrankRocker2Formulas", TransmissionCrankRocker2Formulas},
      {"TransmissionCrankSlider", TransmissionCrankSlider},
      {"DoubleCrank", DoubleCrank}};
  return all;
}

}  // namespace check_defaults
