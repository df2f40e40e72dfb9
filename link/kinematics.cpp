// Kinematics of the hinged four-bar, the crank-slider and the guide-bar linkage.
#include "link/kinematics.h"

#include "base/desktop.h"
#include "base/fpu.h"

#include <QString>
#include <cfenv>
#include <cmath>

namespace {

constexpr Extended kTwoPi = 2 * kPi;

struct HalfAngle {
  Extended angle, sin, cos;
};

// Solves A sin x + B cos x + C = 0 by t = tan(x/2): x = 2 atan((A + s sqrt(A²+B²-C²))/(B - C)).
// With t = u/w, sin x = 2uw/(u²+w²) and cos x = (w²-u²)/(u²+w²), so the speeds need no
// further trigonometric calls.
HalfAngle solveHalfAngle(Extended A, Extended B, Extended C, Extended s) {
  if (B == C) return {kPi, 0, -1};
  Extended disc = A * A + B * B - C * C;
  if (disc < 0) disc = 0;  // not assemblable here: the nearest position, not an error
  const Extended u = A + s * std::sqrt(disc);
  const Extended w = B - C;
  const Extended n = u * u + w * w;
  return {2 * std::atan(u / w), 2 * u * w / n, (w * w - u * u) / n};
}

// The dyad closure shared by SolveDyad and FourBarAt; also hands back sin and cos of the
// coupler angle.
HalfAngle closeDyad(bool branch, const TBarState& input, TBarState& coupler, TBarState& output,
                    Extended d) {
  const Extended a = input.Len, b = coupler.Len, c = output.Len;
  const Extended w1 = input.Omega;
  Extended s1, c1;
  ::sincosl(input.Angle, &s1, &c1);

  coupler.X = a * c1;
  coupler.Y = a * s1;

  const Extended s = branch ? 1 : -1;
  const HalfAngle p2 = solveHalfAngle(2 * a * b * s1, 2 * b * (a * c1 - d),
                                      a * a + b * b + d * d - c * c - 2 * a * d * c1, s);
  const HalfAngle p3 = solveHalfAngle(2 * a * c * s1, 2 * c * (a * c1 - d),
                                      2 * a * d * c1 + b * b - a * a - c * c - d * d, s);
  coupler.Angle = p2.angle;
  output.Angle = p3.angle;

  // Differences of angles by the addition theorems.
  const Extended sin23 = p2.sin * p3.cos - p2.cos * p3.sin;
  if (sin23 != 0 && w1 != 0) {
    const Extended sin13 = s1 * p3.cos - c1 * p3.sin;
    const Extended sin12 = s1 * p2.cos - c1 * p2.sin;
    const Extended cos13 = c1 * p3.cos + s1 * p3.sin;
    const Extended cos12 = c1 * p2.cos + s1 * p2.sin;
    const Extended cos23 = p2.cos * p3.cos + p2.sin * p3.sin;
    const Extended w2 = -a * w1 * sin13 / (b * sin23);
    const Extended w3 = a * w1 * sin12 / (c * -sin23);
    coupler.Omega = w2;
    output.Omega = w3;
    coupler.Epsilon = (-a * w1 * w1 * cos13 - b * w2 * w2 * cos23 + c * w3 * w3) / (b * sin23);
    output.Epsilon = (a * w1 * w1 * cos12 + b * w2 * w2 - c * w3 * w3 * cos23) / (c * -sin23);
  }
  return p2;
}

// Minimum, maximum and Grashof's condition of the four lengths.
struct LengthSummary {
  Extended min, max, sum;
  bool grashof;
};

LengthSummary summarize(Extended a, Extended b, Extended c, Extended d) {
  LengthSummary r{a, a, a + b + c + d, false};
  for (Extended x : {b, c, d}) {
    if (x < r.min) r.min = x;
    if (x > r.max) r.max = x;
  }
  r.grashof = !(r.sum - r.min - r.max < r.min + r.max);
  return r;
}

// An arc cosine whose argument lies outside [-1, 1] is a float fault, not a silent NaN.
Extended checkedAcos(Extended x) {
  if (!(x >= -1 && x <= 1)) {
    std::feraiseexcept(FE_INVALID);
    FpuCheck();
  }
  return std::acos(x);
}

}  // namespace

void SolveDyad(bool branch, TBarState input, TBarState& coupler, TBarState& output, Extended d) {
  closeDyad(branch, input, coupler, output, d);
}

void CouplerPoint(const TBarState& coupler, Extended delta, Extended lenBE, Extended& ex,
                  Extended& ey) {
  if (lenBE == 0) {  // E at B, as the curves ask for: no trigonometry needed
    ex = coupler.X;
    ey = coupler.Y;
    return;
  }
  Extended s, c;
  ::sincosl(coupler.Angle + delta, &s, &c);
  ex = coupler.X + lenBE * c;
  ey = coupler.Y + lenBE * s;
}

void FourBarAt(Extended phi1, Extended omega1, Extended a, Extended b, Extended c, Extended d,
               Extended delta, Extended lenBE, Extended& gamma, Extended& phi2, Extended& phi3,
               Extended& omega3, Extended& eps3, Extended& ex, Extended& ey) {
  TBarState input{}, coupler{}, output{};
  input.Len = a;
  input.Angle = phi1;
  input.Omega = omega1;
  coupler.Len = b;
  output.Len = c;
  closeDyad(false, input, coupler, output, d);
  CouplerPoint(coupler, delta, lenBE, ex, ey);

  gamma = output.Angle - coupler.Angle;
  if (gamma > kPi / 2) gamma = kPi - gamma;
  phi2 = coupler.Angle;
  phi3 = output.Angle;
  omega3 = output.Omega;
  eps3 = output.Epsilon;
}

QString FourBarKindText(int code) {
  switch (code) {
    case 0: return QStringLiteral("该机构是双摇杆机构");
    case 1: return QStringLiteral("该机构是曲柄摇杆机构(CD为曲柄)");
    case 10: return QStringLiteral("该机构是曲柄摇杆机构(AB为曲柄)");
    case 11: return QStringLiteral("该机构是双曲柄机构");
    case 110: return QStringLiteral("该机构是平行四边形（双曲柄）机构");
    default: return QStringLiteral("所给尺寸不能构成四边形，也不能构成机构！");
  }
}

int ClassifyFourBar(bool show, Extended a, Extended b, Extended c, Extended d) {
  const LengthSummary l = summarize(a, b, c, d);
  int code;
  QString message;
  if (l.max >= l.sum - l.max) {
    code = -1;
  } else if (!l.grashof) {
    code = 0;
  } else if (a == c && b == d) {
    code = 110;
  } else if (l.min == d) {  // on a tie the frame wins over AB, AB over CD, CD over BC
    code = 11;
  } else if (l.min == a) {
    code = 10;
  } else if (l.min == c) {
    code = 1;
  } else if (l.min == b) {
    code = 0;
  } else {
    code = -1;
    message = QStringLiteral("error bug!");
  }
  if (show) ShowMsg(message.isEmpty() ? FourBarKindText(code) : message);
  return code;
}

void FourBarRange(Extended a, Extended b, Extended c, Extended d, Extended& phi1min,
                  Extended& phi1max, Extended& phi3min, Extended& phi3max) {
  // alpha(x): input angle at which |BD| = x; beta(y): angle ADC at D when |AC| = y.
  const auto alpha = [&](Extended x) { return checkedAcos((a * a + d * d - x * x) / (2 * a * d)); };
  const auto beta = [&](Extended y) { return checkedAcos((c * c + d * d - y * y) / (2 * c * d)); };

  const int code = ClassifyFourBar(false, a, b, c, d);
  if (code == 1) {
    phi1min = alpha(std::fabs(b - c));
    phi1max = alpha(b + c);
    return;
  }
  if (code == 10 || code == 11) {
    phi1min = 0;
    phi1max = kTwoPi;
    return;
  }

  const LengthSummary l = summarize(a, b, c, d);
  if (l.grashof) {
    phi1min = alpha(std::fabs(b - c));
    phi1max = alpha(b + c);
    phi3min = kPi - beta(a + b);
    phi3max = kPi - beta(std::fabs(b - a));
    if (a + b == c + d) {  // AB and BC fold onto the frame: the swing passes through 0
      phi1min = -phi1max;
      phi3min = -phi3max;
    }
    if (a + d == b + c) {  // AB can stretch along the frame: the swing passes through 180°
      phi1max = kTwoPi - phi1min;
      phi3max = kTwoPi - phi3min;
    }
  } else if (d == l.max) {
    phi1min = -alpha(b + c);
    phi1max = alpha(b + c);
    phi3min = kPi - beta(a + b);
    phi3max = kTwoPi - phi3min;
  } else if (c == l.max) {
    phi1min = alpha(std::fabs(b - c));
    phi1max = kTwoPi - phi1min;
    phi3min = kPi - beta(a + b);
    phi3max = kTwoPi - phi3min;
  } else if (a == l.max) {
    phi1min = -alpha(b + c);
    phi1max = alpha(b + c);
    phi3max = kPi - beta(std::fabs(a - b));
    phi3min = -phi3max;
  } else if (b == l.max) {
    phi1min = alpha(std::fabs(b - c));
    phi1max = kTwoPi - phi1min;
    phi3min = beta(std::fabs(a - b)) - kPi;
    phi3max = kPi - beta(std::fabs(a - b));
  }
}

void CrankSliderAt(Extended phi, Extended omega, Extended r, Extended l, Extended e,
                   Extended& s, Extended& v, Extended& a) {
  const Extended lambda = r / l;
  Extended sn, cs;
  ::sincosl(phi, &sn, &cs);
  const Extended sin2 = 2 * sn * cs, cos2 = cs * cs - sn * sn;
  if (e == 0) {
    // Exact centred crank-slider, x_C = r cos(phi) + l sqrt(D).
    const Extended D = 1 - lambda * lambda * sn * sn;
    const Extended root = std::sqrt(D);
    s = r * ((1 - cs + 1 / lambda) - root / lambda);
    v = r * omega * (sn + lambda * sin2 / (2 * root));
    a = r * omega * omega *
        (cs + lambda * (cos2 * D + lambda * lambda * sn * sn * cs * cs) / (D * root));
  } else {
    // The slide line at height e: C = (r cos(phi) + w, e) with u = e - r sin(phi) the rise from
    // B to the line and w = sqrt(l^2 - u^2). s is measured from the farthest position,
    // sqrt((l + r)^2 - e^2) from A; v and a are its derivatives at constant omega.
    const Extended u = e - r * sn;
    const Extended w = std::sqrt(l * l - u * u);
    s = std::sqrt((l + r) * (l + r) - e * e) - (r * cs + w);
    v = omega * r * (sn - u * cs / w);
    a = omega * omega * r * (cs + (r * cs * cs + u * sn) / w + r * u * u * cs * cs / (w * w * w));
  }
}

void GuideBarAt(Extended phi, Extended omega, Extended r, Extended d, Extended& psi,
                Extended& omega2, Extended& alpha2) {
  Extended sn, cs;
  ::sincosl(phi, &sn, &cs);
  const Extended q = r * r + d * d + 2 * r * d * sn;  // |DB|²
  psi = std::atan(r * cs / (d + r * sn));
  omega2 = -omega * r * (d * sn + r) / q;
  alpha2 = omega * omega * r * d * cs * (r * r - d * d) / (q * q);
}
