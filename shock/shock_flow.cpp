#include "shock/shock_flow.h"

#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace shock {

ShockState NormalShock(float m1, float gs) {
  const double g = gs, m = m1, m2 = m * m;
  ShockState s;
  s.m2 = std::sqrt((m2 + 2 / (g - 1)) / ((2 * g / (g - 1)) * m2 - 1));
  s.p21 = (2 * g / (g + 1)) * m2 - (g - 1) / (g + 1);
  s.pt21 = mathfn::pow(((g + 1) / 2 * m2) / (1 + (g - 1) / 2 * m2), g / (g - 1)) /
           mathfn::pow(s.p21, 1 / (g - 1));
  return s;
}

namespace {

// M1n² − 1 and its companion, as Singles from Single mm = M1² and g2 = (γ+1)/2.
struct Normals {
  float mm, g2;
  float fnaf(double beta) const {
    return static_cast<float>(mathfn::sin(beta) * mathfn::sin(beta) * mm - 1);
  }
  float fnbf(double beta) const { return g2 * mm - fnaf(beta); }
};

// β − atan(a/(b·t)) vanishes where the shock turns the flow by the angle
// whose tangent is t.
struct TurningEquation {
  const Normals& n;
  float mm;
  double t;
  double Residual(double b) const { return b - mathfn::atan(n.fnaf(b) / (n.fnbf(b) * t)); }
  // The undivided Newton step from b.
  double Step(double b) const {
    const float a = n.fnaf(b), c = n.fnbf(b);
    const double sc = 2 * mm * mathfn::sin(b) * mathfn::cos(b);
    const double f = b - mathfn::atan(a / (c * t));
    const double fp = 1 - sc * t * (a + c) / ((t * c) * (t * c) + a * a);
    return -f / fp;
  }
};

// Bisection on the branch between the maximum turning betam and its outer
// end: the residual is positive there and not positive at the maximum.
double BisectBranch(const TurningEquation& eq, double betam, double outer) {
  if (eq.Residual(betam) > 0) return betam;  // the turning is the maximum (to rounding)
  double in = betam, out = outer;
  for (int k = 0; k < 200; ++k) {
    const double mid = in + (out - in) / 2;
    if (mid == in || mid == out) break;
    (eq.Residual(mid) > 0 ? out : in) = mid;
  }
  return in + (out - in) / 2;
}

// Passes cut short on the branch at beta: between where they left off and
// the root, the first angle whose step is within tolerance is where they
// would have stopped (to a fraction of a pass, 1e-8 of a radian from
// M1 = 10 on, where a bound can be reached).
double WhereCutShortStops(const TurningEquation& eq, double beta, double root, double scale) {
  auto stops = [&](double b) { return !(std::fabs(eq.Step(b)) > 1e-5); };
  double from = beta, to = root;
  for (int k = 0; k < 200; ++k) {
    const double mid = from + (to - from) / 2;
    if (mid == from || mid == to) break;
    (stops(mid) ? to : from) = mid;
  }
  return to + eq.Step(to) / scale;  // the last pass still moves
}

// The shock angle (radians) that turns the flow by dl > 0 degrees: Newton
// passes from beta, and where they stall, run out or leave the branch,
// bisection on it.
double TurningShockAngle(const Normals& n, float m1, float dl, bool strong, long passes,
                         double beta, double betam, double mu) {
  const float mm = n.mm;
  const TurningEquation eq{n, mm, mathfn::tan(dl / kDegrees)};
  const double scale = static_cast<double>(mm) * m1;
  bool settled = false, stalled = false;
  for (long pass = 0; pass < passes; ++pass) {
    const double delta = eq.Step(beta);
    if (!std::isfinite(delta)) {
      stalled = true;
      break;
    }
    beta += delta / scale;
    if (!(std::fabs(delta) > 1e-5)) {
      settled = true;
      break;
    }
  }
  // The weak shock lies between the Mach angle and the angle of maximum
  // turning, the strong one between that and 90 degrees.
  const double lo = strong ? betam : mu, hi = strong ? mathfn::acos(0.0) : betam;
  const double slack = 1e-6;
  auto onBranch = [&](double b) { return b >= lo - slack && b <= hi + slack; };
  if (settled && onBranch(beta)) return beta;
  double root = BisectBranch(eq, betam, strong ? hi : lo);
  if (!settled && !stalled && onBranch(beta) && !(std::fabs(eq.Step(root)) > 1e-5))
    root = WhereCutShortStops(eq, beta, root, scale);
  return root;
}

}  // namespace

double MaxTurningShockAngle(float m1, float gs) {
  const double g = gs, m2 = static_cast<double>(m1) * m1;
  const double sinm = std::sqrt(
      ((g + 1) / 4 * m2 - 1 + std::sqrt((g + 1) * (1 + (g - 1) / 2 * m2 + (g + 1) / 16 * m2 * m2))) /
      (g * m2));
  return mathfn::atan(sinm / std::sqrt(1 - sinm * sinm));
}

double TurningAngle(float m1, float gs, double beta) {
  const Normals n{m1 * m1, (gs + 1) / 2};
  return kDegrees * mathfn::atan(n.fnaf(beta) / (n.fnbf(beta) * mathfn::tan(beta)));
}

ObliqueShockState ObliqueShock(float m1, float g, float dl, bool strong) {
  return ObliqueShock(m1, g, dl, strong, kNewtonBound);
}

ObliqueShockState ObliqueShock(float m1, float gs, float dl, bool strong, long passes) {
  const double g = gs, m2 = static_cast<double>(m1) * m1;
  const float mm = m1 * m1;
  const Normals n{mm, (gs + 1) / 2};

  const double mu = mathfn::atan(1 / std::sqrt(mm - 1.0f));
  double start = strong ? 90 : kDegrees * mu;

  // Maximum turning: the shock angle where the turning is largest.
  const double betam = MaxTurningShockAngle(m1, gs);
  ObliqueShockState s;
  s.dmax = TurningAngle(m1, gs, betam);
  if (!strong) start += s.dmax / 2;
  if (!(dl < s.dmax)) dl = static_cast<float>(s.dmax);
  s.dl = dl;
  // The weak wave that turns the flow by nothing is the Mach wave: it stands
  // at the Mach angle and changes nothing in the stream.
  if (!strong && dl == 0) {
    s.angle = kDegrees * mu;
    s.m2 = m1;
    s.p21 = 1;
    s.pt21 = 1;
    return s;
  }

  double beta = start / kDegrees;
  if (dl > 0) beta = TurningShockAngle(n, m1, dl, strong, passes, beta, betam, mu);
  s.angle = kDegrees * beta;

  const double d = dl / kDegrees;
  const double g2 = n.g2;
  if (dl == 0 && strong)
    s.m2 = std::sqrt((1 + (g - 1) / 2 * m2) / (g * m2 - (g - 1) / 2));
  else
    s.m2 = 1 / (mathfn::sin(beta - d) *
                std::sqrt(g2 * mathfn::tan(beta) / mathfn::tan(beta - d) - (g - 1) / 2));
  const double sb = mathfn::sin(beta);
  s.p21 = (2 * g / (g + 1)) * (m2 * sb * sb - (g - 1) / (2 * g));
  s.pt21 = s.p21 * mathfn::pow(1 + (g - 1) / 2 * s.m2 * s.m2, g / (g - 1)) /
           mathfn::pow(1 + (g - 1) / 2 * m2, g / (g - 1));
  return s;
}

double ConeFirstGuess(float m1, float dl) {
  const float mm = m1 * m1;
  const double mu = mathfn::atan(1 / std::sqrt(std::fabs(mm - 0.9999999999)));
  const double f = dl < 10 ? 10 : 1;
  return kDegrees * (mu + (dl / kDegrees) / f);
}

namespace {

// Function values in Single precision, as the integration takes them.
struct ConeFunctions {
  double g;
  // a²/a*² at the velocity components x, y (both over a*).
  float FNAA(double x, double y) const {
    return static_cast<float>(((g + 1) - (g - 1) * (x * x + y * y)) / 2);
  }
  // d²Vr/dθ² of the Taylor–Maccoll equation.
  float FNf(double vr, double vt, double theta) const {
    const double a = FNAA(vr, vt);
    return static_cast<float>(-vr + a * (vr + vt / mathfn::tan(theta)) / (vt * vt - a));
  }
  // p/pt at V/a* = x.
  float FNprr(double x) const {
    return static_cast<float>(mathfn::pow(1 - ((g - 1) / (g + 1)) * x * x, g / (g - 1)));
  }
};

constexpr int kPoints = 98;

// The oblique shock at angle eps: the velocity behind it (over a*), its angle
// to the axis and pt2/p1.
struct BehindShock {
  double v2, behind, pt2p1;
  bool valid;
};

BehindShock ShockAt(double m, double g, double eps, const ConeFunctions& fn) {
  BehindShock b;
  const double mstar = m * std::sqrt((g + 1) / ((g - 1) * m * m + 2));
  const double mn2 = mathfn::pow(m * mathfn::sin(eps), 2);
  b.behind = mathfn::atan((2 * mathfn::tan(eps) / (g + 1)) * (1 / mn2 + (g - 1) / 2));
  b.v2 = mstar * (mathfn::sin(eps) / mathfn::sin(b.behind)) * ((g - 1) / (g + 1) + (2 / (g + 1)) / mn2);
  const double p21 = (2 * g / (g + 1)) * (mn2 - (g - 1) / (2 * g));
  b.valid = std::isfinite(b.v2) && 1 - ((g - 1) / (g + 1)) * b.v2 * b.v2 >= 0;
  b.pt2p1 = b.valid ? p21 / fn.FNprr(b.v2) : 0;
  return b;
}

struct Surface {
  double theta, vr, vt;
};

struct Point {
  double vr, vt;
};

Point RungeKutta(const ConeFunctions& fn, double vr, double vt, double th, double h) {
  const double k1r = h * vt;
  const double k1t = h * fn.FNf(vr, vt, th);
  const double k2r = h * (vt + 0.5 * k1t);
  const double k2t = h * fn.FNf(vr + 0.5 * k1r, vt + 0.5 * k1t, th + 0.5 * h);
  const double k3r = h * (vt + 0.5 * k2t);
  const double k3t = h * fn.FNf(vr + 0.5 * k2r, vt + 0.5 * k2t, th + 0.5 * h);
  const double k4r = h * (vt + k3t);
  const double k4t = h * fn.FNf(vr + k3r, vt + k3t, th + h);
  return {vr + (k1r + 2 * k2r + 2 * k3r + k4r) / 6, vt + (k1t + 2 * k2t + 2 * k3t + k4t) / 6};
}

// The cone that a shock at eps belongs to: fine steps from the shock toward
// the axis until the polar component vanishes, the zero found by bisection
// on the last step. Nothing when it does not vanish before the axis.
std::optional<Surface> SurfaceBehind(const BehindShock& b, double eps, const ConeFunctions& fn,
                                     long& budget) {
  if (!b.valid) return std::nullopt;
  constexpr double kStep = 0.05 / kDegrees;
  double vr = b.v2 * mathfn::cos(b.behind), vt = -b.v2 * mathfn::sin(b.behind), th = eps;
  const int steps = static_cast<int>(eps / kStep);
  for (int k = 0; k < steps; ++k) {
    if (--budget < 0) return std::nullopt;
    const Point next = RungeKutta(fn, vr, vt, th, -kStep);
    if (!std::isfinite(next.vr) || !std::isfinite(next.vt)) return std::nullopt;
    if (next.vt > 0) {
      double lo = 0, hi = kStep;
      for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2;
        (RungeKutta(fn, vr, vt, th, -mid).vt > 0 ? hi : lo) = mid;
      }
      const Point p = RungeKutta(fn, vr, vt, th, -lo);
      return Surface{th - lo, p.vr, p.vt};
    }
    vr = next.vr;
    vt = next.vt;
    th -= kStep;
  }
  return std::nullopt;
}

ShockState ConeResults(double m, double g, const ConeFunctions& fn, double vr, double vt,
                       double pt2p1, double eps) {
  const double vc = std::sqrt(vr * vr + vt * vt);
  const double lim = 1 - ((g - 1) / (g + 1)) * vc * vc;
  ShockState s;
  s.m2 = std::sqrt((2 / (g + 1)) * vc * vc / lim);
  s.p21 = fn.FNprr(vc) * pt2p1;
  s.pt21 = (s.p21 / mathfn::pow(1 + (g - 1) / 2 * m * m, g / (g - 1))) / mathfn::pow(lim, g / (g - 1));
  s.angle = kDegrees * eps;
  return s;
}

// The attached (weak) cone shock by bisection on the shock angle: the cone
// angle grows from zero at the Mach angle to its largest value, where the
// shock detaches.
std::optional<ShockState> BisectedConicalShock(float m1, float gs, float dl) {
  const double g = gs, m = m1;
  const ConeFunctions fn{g};
  const double dc = dl / kDegrees;
  const double mu = mathfn::asin(1 / m);
  long budget = kConeStepBudget;
  auto cone = [&](double eps) -> std::optional<double> {
    const auto s = SurfaceBehind(ShockAt(m, g, eps, fn), eps, fn, budget);
    if (!s) return std::nullopt;
    return s->theta;
  };
  constexpr double kScan = 0.1 / kDegrees;
  double lo = mu, hi = 0, last = 0;
  bool bracketed = false;
  for (double eps = mu + kScan; eps < mathfn::acos(0.0); eps += kScan) {
    const auto th = cone(eps);
    if (!th) {
      lo = eps;  // still too close to the Mach angle to turn the flow
      continue;
    }
    if (*th >= dc) {
      hi = eps;
      bracketed = true;
      break;
    }
    if (*th < last) break;  // past the largest cone: detached
    last = *th;
    lo = eps;
  }
  if (!bracketed || budget < 0) return std::nullopt;
  for (int i = 0; i < 60; ++i) {
    const double mid = (lo + hi) / 2;
    const auto th = cone(mid);
    (th && *th >= dc ? hi : lo) = mid;
  }
  const BehindShock b = ShockAt(m, g, hi, fn);
  const auto s = SurfaceBehind(b, hi, fn, budget);
  if (!s || budget < 0) return std::nullopt;
  return ConeResults(m, g, fn, s->vr, s->vt, b.pt2p1, hi);
}

}  // namespace

std::optional<double> ConeOfShock(float m1, float gs, double eps, long& budget) {
  const double g = gs, m = m1, e = eps / kDegrees;
  const ConeFunctions fn{g};
  const auto s = SurfaceBehind(ShockAt(m, g, e, fn), e, fn, budget);
  if (!s || budget < 0) return std::nullopt;
  return kDegrees * s->theta;
}

// The Taylor-Maccoll march from the shock at eps (flow speed v2, turned to
// the angle behind) toward the cone dc in n steps, until the polar component
// changes sign; then the last step is adjusted until that component is zero.
// The polar angle of the surface, or nothing when the march finds none.
static std::optional<double> MarchToCone(const ConeFunctions& fn, double* vr, double* vt, double* th,
                                         double eps, double v2, double behind, double dc, int n) {
  th[1] = eps;
  vr[1] = v2 * mathfn::cos(behind);
  vt[1] = -v2 * mathfn::sin(behind);
  double h = (dc - eps) / (n - 1);
  int k = 1;
  bool refining = false;
  double vtold = 0, hold = 0;
  int searches = 0;
  for (;;) {
    const double k1r = h * vt[k];
    const double k1t = h * fn.FNf(vr[k], vt[k], th[k]);
    const double k2r = h * (vt[k] + 0.5 * k1t);
    const double k2t = h * fn.FNf(vr[k] + 0.5 * k1r, vt[k] + 0.5 * k1t, th[k] + 0.5 * h);
    const double k3r = h * (vt[k] + 0.5 * k2t);
    const double k3t = h * fn.FNf(vr[k] + 0.5 * k2r, vt[k] + 0.5 * k2t, th[k] + 0.5 * h);
    const double k4r = h * (vt[k] + k3t);
    const double k4t = h * fn.FNf(vr[k] + k3r, vt[k] + k3t, th[k] + h);
    if (k + 1 == kPoints + 1) return std::nullopt;
    vr[k + 1] = vr[k] + (k1r + 2 * k2r + 2 * k3r + k4r) / 6;
    vt[k + 1] = vt[k] + (k1t + 2 * k2t + 2 * k3t + k4t) / 6;
    th[k + 1] = th[k] + h;
    if (!refining) {
      if (!(vt[k + 1] > 0)) {
        ++k;
        continue;
      }
      vtold = vt[k + 1];
      hold = h;
      if (std::fabs(vt[k + 1] - vt[k]) < 1e-6) return std::nullopt;
      h = h * vt[k] / (vt[k] - vt[k + 1]);
      refining = true;
      continue;
    }
    if (std::fabs(vt[k + 1]) < 1e-6) return th[k + 1];
    if (std::fabs(hold - h) < 1e-6) return std::nullopt;
    if (++searches > kStepSearchBound) return std::nullopt;
    const double slope = (vt[k + 1] - vtold) / (h - hold);
    const double dh = -vt[k + 1] / slope;
    hold = h;
    vtold = vt[k + 1];
    h = h + dh;
  }
}

static std::optional<ShockState> DescribedConicalShock(float m1, float gs, float dl, float eps0) {
  const double g = gs, m = m1;
  const ConeFunctions fn{g};
  double eps = eps0 / kDegrees;
  const double dc = dl / kDegrees;
  const int n = dl < 10 ? 31 : 11;
  double damping = dl < 10 ? 10 : 1;

  // Index 1 to 98 as the integration counts them; 0 is unused.
  double vr[kPoints + 2], vt[kPoints + 2], th[kPoints + 2];
  double pt2p1 = 0;
  bool corrected = false;
  double thprev = 0, epsprev = 0;

  for (int pass = 1;; ++pass) {
    // Oblique shock at ε.
    const double mstar = m * std::sqrt((g + 1) / ((g - 1) * m * m + 2));
    const double mn2 = mathfn::pow(m * mathfn::sin(eps), 2);
    const double behind = mathfn::atan((2 * mathfn::tan(eps) / (g + 1)) * (1 / mn2 + (g - 1) / 2));
    const double v2 = mstar * (mathfn::sin(eps) / mathfn::sin(behind)) *
                      ((g - 1) / (g + 1) + (2 / (g + 1)) / mn2);
    const double p21 = (2 * g / (g + 1)) * (mn2 - (g - 1) / (2 * g));
    if (pass > 200) return std::nullopt;
    if (1 - ((g - 1) / (g + 1)) * v2 * v2 < 0) return std::nullopt;  // beyond the limiting speed
    pt2p1 = p21 / fn.FNprr(v2);

    // March from the shock toward the cone until the polar component
    // changes sign, then home in on the zero by adjusting the last step.
    const std::optional<double> surface = MarchToCone(fn, vr, vt, th, eps, v2, behind, dc, n);
    if (!surface) return std::nullopt;

    // Correct the shock angle until the surface lies on the cone.
    if (std::fabs(dc - *surface) < 1e-5) break;
    if (!corrected) {
      thprev = *surface;
      epsprev = eps;
      eps = eps + (dc - *surface) / damping;
      corrected = true;
    } else {
      if (std::fabs(eps - epsprev) < 1e-6) return std::nullopt;
      const double s = (*surface - thprev) / (eps - epsprev);
      if (std::fabs(s) < 1e-6) return std::nullopt;
      const double de = (dc - *surface) / s;
      epsprev = eps;
      thprev = *surface;
      if (std::fabs(de) < 0.01) damping = 1;
      eps = eps + de / damping;
    }
  }

  return ConeResults(m, g, fn, vr[n], vt[n], pt2p1, eps);
}

std::optional<ShockState> ConicalShock(float m1, float g, float dl, float eps0) {
  // The shock angle of a real shock lies above the Mach angle; thin cones
  // send the corrections below it, or stall them.
  const auto s = DescribedConicalShock(m1, g, dl, eps0);
  if (s && s->angle / kDegrees > mathfn::asin(1 / static_cast<double>(m1))) return s;
  if (!(dl > 0 && dl < 90)) return std::nullopt;
  return BisectedConicalShock(m1, g, dl);
}

}  // namespace shock
