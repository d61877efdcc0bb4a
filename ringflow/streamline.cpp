#include "ringflow/streamline.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "lib/mathfn/mathfn.h"

namespace ringflow {

namespace {

constexpr double kTol = 0.0001;       // lbf/ft^2
constexpr double kTipMargin = 1e-9;   // ft
constexpr double kTangentFloor = 1e-6;
constexpr size_t kFrozenPasses = 64;
constexpr double kFillMargin = 1e-6;  // ft

enum class Sweep { Done, Fail, Restart };

// The state of one annulus at a root of interval stepping.
struct Root {
  double alpha, alphaT, beta, outer, dmid, dp, p, w, ca, cu, c, u;
};

// What one step of a root finder on the axial velocity of an annulus did.
enum class Step { Next, Settled, Fail };

// Regula falsi toward R(x) = 0, relaxed: the first step moves x by 1 %,
// the others along the secant through the last two points.
struct Secant {
  bool first = true;
  double xp = 0, Rp = 0;
  void Advance(double& x, double R, double relax) {
    if (first) {
      xp = x;
      Rp = R;
      x = 1.01 * x;
      first = false;
      return;
    }
    const double old = x;
    x = x - relax * R * (x - xp) / (R - Rp);
    xp = old;
    Rp = R;
  }
};

// The search for the hub's axial velocity that meets radial equilibrium at
// the tip: regula falsi (ITTY 0) or interval stepping (ITTY 1).
struct HubSearch : Secant {
  double h = 0;  // interval stepping: the step
};

// The search for the axial velocity of one annulus that meets radial
// equilibrium.
struct Search : Secant {
  int roots = 0;  // interval stepping: the roots found so far
  Root root{};    // the first of them
  double step = 0;
  // The relative flow angle is only kept from the evaluation that ends the
  // annulus (or a root): its arc tangent is taken then, not on every step.
  double tLast = 0;
};

// The parabola through hub, mean and tip values.
struct Fit {
  double h = 0, a1 = 0, a2 = 0;
  void Build(double dh, double dt, double vh, double vm, double vt) {
    const double L = dt - dh;
    const double dm = (dh + dt) / 2;
    const double x1 = dm - dh;
    a2 = (vm * L / x1 - vt - vh * (L / x1 - 1)) / (x1 * L - L * L);
    a1 = (vt - vh - a2 * (L * L)) / L;
    h = vh;
  }
  double At(double d, double dh) const {
    const double x = d - dh;
    return h + a1 * x + a2 * (x * x);
  }
};

class March {
 public:
  March(const StageInput& in, const Bounds& bounds, Solution& s)
      : in_(in), b_(bounds), s_(s), ang_(in.ang), eff_(in.eff), alnm_(in.alnm) {}

  void Run();

 private:
  // Station 1, the entrance: its edges and mean diameters, the input
  // angles in radians, and the uniform axial inflow at pressure pin.
  void EntranceGeometry();
  void AnglesToRadians(int nst);
  void Entrance(double pin);
  bool StationSolve(int j);
  void FirstGuesses(int j);
  // Interval stepping whose hub velocity no longer moves: true once the tip
  // edge repeats or has crept for kFrozenPasses.
  bool Frozen(int j, double& lastHub, std::vector<double>& frozenTops) const;
  void LowerHubGuess();
  void HubStep(int j, double R, HubSearch& hub);
  // Hub to tip, annulus by annulus, at station j.
  Sweep HubSweep(int j, double& R);
  Sweep AnnulusSweep(int j, int i, bool iterate, double& R);
  // The velocity triangle and position of annulus i from its axial velocity;
  // false when its outer edge lies past the tip.
  bool Place(int j, int i, double& tanAlpha);
  // Work, efficiency and pressure of annulus i, and R, the miss of radial
  // equilibrium at its inner edge; false when the work cannot be had.
  bool Residual(int j, int i, double tanAlpha, double& tLast, double& R);
  void KeepBeta(int j, int i, double t);
  // The two root finders on the axial velocity (ITTY 0 and 1).
  Step RegulaFalsiStep(int j, int i, double tol, double R, Search& search);
  Step IntervalStep(int j, int i, double tol, double R, Search& search);
  // The first axial velocity tried in the annulus after i.
  void NextGuess(int j, int i);
  double Interpolate(const Grid& table, int row, double d) const;
  void Restore(int j, int i, const Root& root);

  const StageInput& in_;
  const Bounds& b_;
  Solution& s_;
  Grid ang_, eff_;
  std::array<double, 12> alnm_;
  std::array<double, 12> din_{};

  int annuli_ = 0;  // annuli from hub to tip
  int mid_ = 0, isl_ = 0, ntyp_ = 0, itty_ = 0;
  double dh_ = 0, dt_ = 0, q_ = 0, rho_ = 0, omega_ = 0;
  double fPert_ = 1.02, fRelax_ = 0.98, fStart_ = 1.7, fCap_ = 2.0;
  double camax_ = 0, step0_ = 0;
  double fHub_ = 0;
  bool rotor_ = false;
  Fit angFit_, effFit_;
};

void March::Run() {
  Solution& s = s_;
  annuli_ = in_.nan;
  ntyp_ = in_.ntyp;
  itty_ = in_.itty;
  isl_ = annuli_ == 1 ? 1 : in_.isl;
  if (annuli_ == 1) fPert_ = fRelax_ = fStart_ = fCap_ = 1;
  mid_ = (annuli_ + 1) / 2;
  dh_ = in_.dh;
  dt_ = in_.dt;
  q_ = in_.q;
  rho_ = in_.rho;
  omega_ = 2 * in_.rotn * kPi / 60;
  const int nst = in_.nbr + 1;
  s.nan = annuli_;
  s.nst = nst;
  s.isl = isl_;

  // The flow enters axially; stationary rows (and every row of the free
  // vortex) are loss-free.
  for (int k = 1; k <= annuli_ + 1; ++k) ang_[1][k] = 0;
  alnm_[1] = 0;
  for (int r = 1; r <= 9; r += 2)
    for (int k = 1; k <= 10; ++k) eff_[r][k] = 1;
  if (ntyp_ == 1)
    for (int r = 2; r <= 8; r += 2)
      for (int k = 1; k <= 10; ++k) eff_[r][k] = 1;

  EntranceGeometry();
  AnglesToRadians(nst);
  s.ang = ang_;
  Entrance(in_.pin * 144);
  camax_ = 100 * s.ca[1][1];
  step0_ = -s.ca[1][1] / 100;

  rotor_ = false;
  for (int j = 2; j <= nst; ++j) {
    if (!StationSolve(j)) {
      if (s.error.empty()) s.failed = j;
      return;
    }
    s.solved = j;
    rotor_ = !rotor_;
  }
}

void March::EntranceGeometry() {
  Solution& s = s_;
  const double dd = isl_ == 0 ? (dt_ - dh_) / (annuli_ - 1) : (dt_ - dh_) / annuli_;
  const double ddin = (dt_ - dh_) / annuli_;
  s.dedge[1][1] = dh_;
  din_[1] = dh_;
  s.dmid[1][1] = isl_ == 0 ? dh_ : dh_ + dd / 2;
  for (int i = 2; i <= annuli_ + 1; ++i) {
    const double t = isl_ == 0 && (i == 2 || i == annuli_ + 1) ? dd / 2 : dd;
    s.dedge[1][i] = s.dedge[1][i - 1] + t;
    din_[i] = din_[i - 1] + ddin;
    s.dmid[1][i] = s.dmid[1][i - 1] + dd;
  }
}

void March::AnglesToRadians(int nst) {
  Solution& s = s_;
  // The hub-mean-tip type always has its three points,
  // also for a single annulus.
  if (ntyp_ == 1) {
    for (int st = 1; st <= nst; ++st) {
      alnm_[st] = alnm_[st] / kRad;
      s.alpha[st][mid_] = alnm_[st];
    }
  } else {
    const int points = ntyp_ == 3 && annuli_ + 1 < 3 ? 3 : annuli_ + 1;
    for (int st = 1; st <= nst; ++st) {
      for (int k = 1; k <= points; ++k) ang_[st][k] = ang_[st][k] / kRad;
      alnm_[st] = ang_[st][mid_];
    }
  }
}

void March::Entrance(double pin) {
  Solution& s = s_;
  for (int i = 1; i <= annuli_; ++i) {
    s.ca[1][i] = 4 * q_ / (kPi * (dt_ * dt_ - dh_ * dh_)) / 60;
    s.cu[1][i] = 0;
    s.c[1][i] = s.ca[1][i];
    s.alpha[1][i] = 0;
    s.alphaT[1][i] = kPi / 2;
    s.u[1][i] = s.dmid[1][i] * omega_ / 2;
    s.beta[1][i] = mathfn::atan(1 / (s.u[1][i] / s.ca[1][i]));
    s.p[1][i] = pin;
    s.m[i] = (s.dedge[1][i + 1] * s.dedge[1][i + 1] - s.dedge[1][i] * s.dedge[1][i]) *
             s.ca[1][i] * rho_ * kPi / 4;
  }
}

// Linear interpolation over the equally spaced input diameters.
double March::Interpolate(const Grid& table, int row, double d) const {
  int k = annuli_ + 1;
  for (int kk = 2; kk <= annuli_ + 1; ++kk) {
    if (d < din_[kk]) {
      k = kk;
      break;
    }
  }
  return table[row][k - 1] +
         (table[row][k] - table[row][k - 1]) * (d - din_[k - 1]) / (din_[k] - din_[k - 1]);
}

void March::Restore(int j, int i, const Root& root) {
  Solution& s = s_;
  const int r = j - 1;
  s.alpha[j][i] = root.alpha;
  s.alphaT[j][i] = root.alphaT;
  s.beta[j][i] = root.beta;
  s.dedge[j][i + 1] = root.outer;
  s.dmid[j][i] = root.dmid;
  s.dp[r][i] = root.dp;
  s.p[j][i] = root.p;
  s.w[r][i] = root.w;
  s.ca[j][i] = root.ca;
  s.cu[j][i] = root.cu;
  s.c[j][i] = root.c;
  s.u[j][i] = root.u;
}

bool March::StationSolve(int j) {
  Solution& s = s_;
  const int r = j - 1;
  fHub_ = fStart_;
  if (ntyp_ == 3) {
    angFit_.Build(dh_, dt_, ang_[j][1], ang_[j][2], ang_[j][3]);
    effFit_.Build(dh_, dt_, eff_[r][1], eff_[r][2], eff_[r][3]);
  }
  for (long restart = 0;; ++restart) {
    s.cost[j].restarts = restart;
    if (restart > b_.restarts) return false;
    FirstGuesses(j);
    HubSearch hub;
    bool restartStation = false;
    double lastHub = NAN;
    std::vector<double> frozenTops;
    for (long pass = 1;; ++pass) {
      s.cost[j].hubPasses = pass;
      if (pass > b_.hubPasses) return false;
      if (ntyp_ == 2 || (ntyp_ == 3 && itty_ == 1)) {
        s.ca[j][2] = fCap_ * s.ca[j][1];
        if (fStart_ * s.ca[j - 1][2] < s.ca[j][2]) s.ca[j][2] = fStart_ * s.ca[j - 1][2];
      }
      // With interval stepping a pass depends only on the hub velocity and
      // the tip edge the previous pass left. Once the hub step is too small
      // to move the hub velocity the unknown is frozen: what is left moving
      // is the last bit of the tip edge, which settles within a few passes
      // or creeps by rounding. When an edge comes back the passes repeat for
      // ever; a creeping edge is given kFrozenPasses.
      if (itty_ == 1 && Frozen(j, lastHub, frozenTops)) return false;
      double R = 0;
      const Sweep sweep = HubSweep(j, R);
      if (sweep == Sweep::Fail) return false;
      if (sweep == Sweep::Restart) {
        // The hub guess was too high: start lower.
        if (fHub_ < 0.1) return false;
        LowerHubGuess();
        restartStation = true;
        break;
      }
      if (annuli_ == 1 || ntyp_ == 1 || std::fabs(R) < kTol * (annuli_ - 1)) {
        // The last tube takes its velocity from continuity with the tip edge
        // it found before; a pass with a reversed tube can leave that edge
        // short of the tip for good. Tubes that do not fill the annulus are
        // no solution.
        return ntyp_ == 1 || annuli_ == 1 || s.dedge[j][annuli_ + 1] > dt_ - kFillMargin;
      }
      HubStep(j, R, hub);
    }
    if (!restartStation) return false;
  }
}

void March::FirstGuesses(int j) {
  Solution& s = s_;
  // The previous station.
  s.dedge[j][annuli_ + 1] = s.dedge[1][annuli_ + 1];
  s.dedge[j][1] = s.dedge[1][1];
  for (int i = 1; i <= annuli_; ++i) {
    s.ca[j][i] = s.ca[j - 1][i];
    s.dmid[j][i] = s.dmid[j - 1][i];
  }
  if (ntyp_ != 1 && rotor_) {
    s.ca[j][1] = s.ca[j][1] * fPert_;
    if (annuli_ != 1) s.ca[j][2] = s.ca[j][2] * fPert_;
  }
  if (ntyp_ != 1 && itty_ == 1) s.ca[j][1] = s.ca[j - 1][1] * fHub_;
  s.c[j][mid_] = s.ca[j][mid_] / mathfn::cos(alnm_[j]);
  s.cu[j][mid_] = mathfn::sin(alnm_[j]) * s.c[j][mid_];
}

bool March::Frozen(int j, double& lastHub, std::vector<double>& frozenTops) const {
  const Solution& s = s_;
  const double top = s.dedge[j][annuli_ + 1];
  if (s.ca[j][1] == lastHub) {
    if (std::find(frozenTops.begin(), frozenTops.end(), top) != frozenTops.end() ||
        frozenTops.size() >= kFrozenPasses)
      return true;
    frozenTops.push_back(top);
  } else {
    frozenTops.clear();
  }
  lastHub = s.ca[j][1];
  return false;
}

void March::LowerHubGuess() {
  if (fHub_ >= 1.005)
    fHub_ = 1 + (fHub_ - 1) / 2;
  else
    fHub_ = fHub_ - 0.05;
}

void March::HubStep(int j, double R, HubSearch& hub) {
  Solution& s = s_;
  double& ca1 = s.ca[j][1];
  if (itty_ == 0) {
    hub.Advance(ca1, R, fRelax_);
    return;
  }
  if (hub.first) {
    hub.h = step0_;
    ca1 = ca1 + hub.h;
    fHub_ = ca1 / s.ca[j - 1][1];
    hub.first = false;
  } else if (R / hub.Rp < 0) {
    hub.h = -hub.h / 10;
    ca1 = ca1 + hub.h;
  } else {
    ca1 = ca1 + hub.h;
    fHub_ = ca1 / s.ca[j - 1][1];
  }
  hub.Rp = R;
}

Sweep March::HubSweep(int j, double& R) {
  for (int i = 1; i <= annuli_; ++i) {
    const bool iterate = ntyp_ != 1 && annuli_ != 1 && i >= 2 && i <= annuli_ - 1;
    const Sweep annulus = AnnulusSweep(j, i, iterate, R);
    if (annulus != Sweep::Done) return annulus;
    if (iterate) NextGuess(j, i);
  }
  return Sweep::Done;
}

Sweep March::AnnulusSweep(int j, int i, bool iterate, double& R) {
  Solution& s = s_;
  const double tol = i < annuli_ ? kTol : kTol * (annuli_ - 1);
  Search search;
  search.step = step0_;
  double& ca = s.ca[j][i];
  for (long steps = 1;; ++steps) {
    if (steps > s.cost[j].annulusSteps) s.cost[j].annulusSteps = steps;
    ++s.cost[j].evaluations;
    if (steps > b_.annulusSteps || ++s.evaluations > b_.evaluations) return Sweep::Fail;
    // Divergence (a velocity that is not a number diverged as well).
    if (!(std::fabs(ca) < camax_)) {
      if (itty_ == 1 && search.roots == 1) {
        Restore(j, i, search.root);
        return Sweep::Done;
      }
      return Sweep::Fail;
    }
    double tanAlpha;
    if (!Place(j, i, tanAlpha)) {
      if (itty_ == 0) return Sweep::Fail;
      if (search.roots == 1) {
        Restore(j, i, search.root);
        return Sweep::Done;
      }
      return Sweep::Restart;
    }
    if (!Residual(j, i, tanAlpha, search.tLast, R)) return Sweep::Fail;
    if (!iterate) {
      KeepBeta(j, i, search.tLast);
      return Sweep::Done;
    }
    const Step next = itty_ == 0 ? RegulaFalsiStep(j, i, tol, R, search)
                                 : IntervalStep(j, i, tol, R, search);
    if (next == Step::Settled) return Sweep::Done;
    if (next == Step::Fail) return Sweep::Fail;
  }
}

bool March::Place(int j, int i, double& tanAlpha) {
  Solution& s = s_;
  const double ca = s.ca[j][i];
  if (ntyp_ == 1) {
    s.cu[j][i] = s.cu[j][mid_] * s.dmid[j][mid_] / s.dmid[j][i];
    s.alpha[j][i] = mathfn::atan(s.cu[j][i] / ca);
    s.c[j][i] = ca / mathfn::cos(s.alpha[j][i]);
    s.u[j][i] = s.dmid[j][i] * omega_ / 2;
    tanAlpha = mathfn::tan(s.alpha[j][i]);
    return true;
  }
  const double inner = s.dedge[j][i];
  s.dedge[j][i + 1] = std::sqrt(inner * inner + 4 * s.m[i] / (kPi * rho_ * std::fabs(ca)));
  if (s.dedge[j][i + 1] - dt_ >= kTipMargin) return false;
  s.dmid[j][i] = (s.dedge[j][i + 1] + s.dedge[j][i]) / 2;
  if (isl_ == 0 && i == 1) s.dmid[j][1] = dh_;
  if (isl_ == 0 && i == annuli_) s.dmid[j][annuli_] = dt_;
  s.u[j][i] = s.dmid[j][i] * omega_ / 2;
  s.alpha[j][i] = ntyp_ == 2 ? Interpolate(ang_, j, s.dmid[j][i]) : angFit_.At(s.dmid[j][i], dh_);
  tanAlpha = mathfn::tan(s.alpha[j][i]);
  s.cu[j][i] = tanAlpha * ca;
  s.c[j][i] = std::sqrt(s.cu[j][i] * s.cu[j][i] + ca * ca);
  return true;
}

bool March::Residual(int j, int i, double tanAlpha, double& tLast, double& R) {
  Solution& s = s_;
  const int r = j - 1;
  const double ca = s.ca[j][i];
  // Relative flow and work.
  double t = s.u[j][i] / ca - tanAlpha;
  if (std::fabs(t) < kTangentFloor) t = kTangentFloor;
  s.alphaT[j][i] = kPi / 2 - s.alpha[j][i];
  tLast = t;
  const double M = s.m[i];
  if (rotor_)
    s.w[r][i] = omega_ * (s.dmid[j][i] / 2 * s.cu[j][i] * M - s.dmid[j - 1][i] / 2 * s.cu[j - 1][i] * M);
  else
    s.w[r][i] = 0;
  // Efficiency at the stream tube's mean diameter.
  const double dbar = (s.dmid[j][i] + s.dmid[j - 1][i]) / 2;
  s.eta[r][i] = ntyp_ == 3 ? effFit_.At(dbar, dh_) : Interpolate(eff_, r, dbar);
  // Energy and pressure.
  const double cin = s.c[j - 1][i], cout = s.c[j][i];
  double E;
  if (!in_.turbine) {
    E = M * (cin * cin) / 2 + s.eta[r][i] * s.w[r][i] - M * (cout * cout) / 2;
  } else {
    if (s.eta[r][i] == 0) {
      s.error = "Station " + std::to_string(j) + ": the turbine row " + std::to_string(r) +
                " has an efficiency of 0 in annulus " + std::to_string(i) +
                ", its work cannot be divided by it";
      return false;
    }
    E = M * (cin * cin) / 2 + s.w[r][i] / s.eta[r][i] - M * (cout * cout) / 2;
  }
  s.dp[r][i] = E / M * rho_;
  s.p[j][i] = s.p[j - 1][i] + s.dp[r][i];
  // Radial equilibrium: dp/dr = rho Cu^2 / r at the common edge.
  if (ntyp_ != 1 && i >= 2) {
    const double cubar = (s.cu[j][i] + s.cu[j][i - 1]) / 2;
    const double dPre = 2 * (cubar * cubar) / s.dedge[j][i] * rho_ * (s.dmid[j][i] - s.dmid[j][i - 1]) / 2;
    const double dPreq = s.p[j][i - 1] + dPre - s.p[j - 1][i];
    R = s.dp[r][i] - dPreq;
  }
  return true;
}

void March::KeepBeta(int j, int i, double t) {
  s_.beta[j][i] = mathfn::atan(1 / t);
  if (s_.beta[j][i] < 0) s_.beta[j][i] += kPi;
}

Step March::RegulaFalsiStep(int j, int i, double tol, double R, Search& search) {
  double& ca = s_.ca[j][i];
  if (std::fabs(R) < tol) {
    KeepBeta(j, i, search.tLast);
    return Step::Settled;
  }
  search.Advance(ca, R, fRelax_);
  return Step::Next;
}

Step March::IntervalStep(int j, int i, double tol, double R, Search& search) {
  Solution& s = s_;
  const int r = j - 1;
  double& ca = s.ca[j][i];
  if (std::fabs(R) < tol) {
    KeepBeta(j, i, search.tLast);
    if (search.roots == 0) {
      search.root = {s.alpha[j][i], s.alphaT[j][i], s.beta[j][i], s.dedge[j][i + 1],
                     s.dmid[j][i],  s.dp[r][i],     s.p[j][i],    s.w[r][i],
                     ca,            s.cu[j][i],     s.c[j][i],    s.u[j][i]};
      search.roots = 1;
      if (std::fabs(search.step - step0_) < 1e-6) search.step = search.step / 10;
      ca = ca - 10 * std::fabs(search.step);
      search.step = step0_;
      search.first = true;
      return Step::Next;
    }
    // A second root: keep the one nearer the expected velocity.
    const double ref = i == 2 ? s.ca[j - 1][2] : 2 * s.ca[j][i - 1] - s.ca[j][i - 2];
    if (!(std::fabs(ca - ref) < std::fabs(search.root.ca - ref))) Restore(j, i, search.root);
    return Step::Settled;
  }
  if (search.first) {
    search.step = step0_;
    search.first = false;
  } else if (R / search.Rp < 0) {
    search.step = -search.step / 10;
  }
  // A step too small to move the velocity repeats this evaluation for ever:
  // the annulus cannot settle.
  if (ca + search.step == ca) return Step::Fail;
  ca = ca + search.step;
  search.Rp = R;
  return Step::Next;
}

void March::NextGuess(int j, int i) {
  Solution& s = s_;
  if (i + 1 == annuli_) {
    double S = 0;
    for (int k = 1; k <= annuli_ - 1; ++k)
      S += kPi * (s.dedge[j][k + 1] * s.dedge[j][k + 1] - s.dedge[j][k] * s.dedge[j][k]) *
           s.ca[j][k] / 4;
    const double top = s.dedge[j][annuli_ + 1], bottom = s.dedge[j][annuli_];
    s.ca[j][annuli_] = (q_ / 60 - S) * 4 / (kPi * (top * top - bottom * bottom));
  } else if (itty_ == 0) {
    s.ca[j][i + 1] = 2 * s.ca[j][i] - s.ca[j][i - 1];
  } else {
    s.ca[j][i + 1] = fCap_ * s.ca[j][i];
    if (fStart_ * s.ca[j - 1][i + 1] > s.ca[j][i + 1]) s.ca[j][i + 1] = fStart_ * s.ca[j - 1][i + 1];
  }
}

}  // namespace

std::optional<std::string> CheckInputs(const StageInput& in) {
  if (in.dh == 0) return "Hub Dia (ft) must not be zero";
  if (in.dt == in.dh) return "Hub Dia (ft) and Tip Dia (ft) must differ";
  if (in.rotn == 0) return "RPM must not be zero";
  // A volume flow against the stage or a density of nothing has no meaning.
  if (in.q == 0) return "Q (cfm) must not be zero";
  if (in.q < 0) return "Q (cfm) must not be negative";
  if (in.rho == 0) return "rho (sl/ft^3) must not be zero";
  if (in.rho < 0) return "rho (sl/ft^3) must be above zero";
  return std::nullopt;
}

Solution Solve(const StageInput& in, const Bounds& bounds) {
  Solution s;
  March(in, bounds, s).Run();
  return s;
}

}  // namespace ringflow
