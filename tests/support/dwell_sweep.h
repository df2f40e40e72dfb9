// Independent checks of an approximate dwell: the designed linkage is swept over a whole crank
// turn with the link kinematics, and the crank angles where the driven link stays near its rear
// extreme are measured on the sweep, without the formulas of the design.
#pragma once

#include "link/kinematics.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace dwell_sweep {

constexpr Extended kRad = kPi / 180;

// The rocker's angle at D between DA and DC (deg), the crank at phi1 (deg).
inline Extended RockerAngle(Extended a, Extended b, Extended c, Extended d, Extended phi1) {
  Extended gamma, phi2, phi3, omega3, eps3, ex, ey;
  FourBarAt(phi1 * kRad, 1, a, b, c, d, 0, 0, gamma, phi2, phi3, omega3, eps3, ex, ey);
  return std::acos(-std::cos(phi3)) / kRad;  // DA points along −x
}

// The slider's displacement from its outer dead position (mm), the crank at phi (deg), for the
// guide at e on the side of φ = 270° as the dwell equation has it: the mirror image of
// CrankSliderAt's guide at +e, whose crank stands at −φ.
inline Extended SliderTravel(Extended a, Extended b, Extended e, Extended phi) {
  Extended s, v, acc;
  CrankSliderAt(-phi * kRad, 1, a, b, e, s, v, acc);
  return s;
}

// The samples phi = i·step (deg) of one crank turn.
inline std::vector<Extended> Sample(const std::function<Extended(Extended)>& f, Extended step) {
  std::vector<Extended> values;
  for (int i = 0; i * step < 360; ++i) values.push_back(f(i * step));
  return values;
}

// Where a condition holds on the sampled turn: the crank angle it starts at, the length of the
// turn and how many separate runs it makes on the circle.
struct Arc {
  Extended start = 0, length = 0;
  int runs = 0;
};

inline Arc BandArc(const std::vector<bool>& inside, Extended step) {
  Arc arc;
  const int n = int(inside.size());
  for (int i = 0; i < n; ++i) {
    if (!inside[i]) continue;
    arc.length += step;
    if (!inside[(i + n - 1) % n]) {
      ++arc.runs;
      arc.start = i * step;
    }
  }
  if (arc.length > 0 && arc.runs == 0) arc.runs = 1;  // the whole turn
  return arc;
}

// The crank turn over which the rocker's angle stays within dPsi of its smallest one, and that
// smallest angle, the rear extreme position.
inline Arc RockerBand(Extended a, Extended b, Extended c, Extended d, Extended dPsi, Extended step,
                      Extended& psiMin) {
  const std::vector<Extended> psi = Sample([&](Extended p) { return RockerAngle(a, b, c, d, p); }, step);
  psiMin = *std::min_element(psi.begin(), psi.end());
  std::vector<bool> inside;
  for (Extended v : psi) inside.push_back(v <= psiMin + dPsi);
  return BandArc(inside, step);
}

// The largest displacement of the swept slider: its stroke, the rear dead position.
inline Extended SweptStroke(Extended a, Extended b, Extended e) {
  const std::vector<Extended> travel = Sample([&](Extended p) { return SliderTravel(a, b, e, p); }, 0.01L);
  return *std::max_element(travel.begin(), travel.end());
}

// The slider stays within dH of its rear dead position from first + tolerance to last − tolerance
// (deg, counter-clockwise), and is outside that band at first − tolerance and last + tolerance.
inline ::testing::AssertionResult SliderBandBoundedBy(Extended a, Extended b, Extended e, Extended dH,
                                                      Extended first, Extended last, Extended tolerance) {
  const Extended band = SweptStroke(a, b, e) - dH;
  if (last < first) last += 360;
  for (Extended p = first + tolerance; p <= last - tolerance; p += 0.1L)
    if (SliderTravel(a, b, e, p) < band) return ::testing::AssertionFailure() << "outside the band at " << double(p);
  for (Extended p : {first - tolerance, last + tolerance})
    if (SliderTravel(a, b, e, p) >= band) return ::testing::AssertionFailure() << "inside the band at " << double(p);
  return ::testing::AssertionSuccess();
}

}  // namespace dwell_sweep
