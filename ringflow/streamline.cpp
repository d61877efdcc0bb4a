#include "ringflow/streamline.h"

#include <algorithm>
#include <cmath>
#include <vector>

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
  bool StationSolve(int j);
  Sweep HubSweep(int j, double& R);
  double Interpolate(const Grid& table, int row, double d) const;
  void Restore(int j, int i, const Root& root);

  const StageInput& in_;
  const Bounds& b_;
  Solution& s_;
  Grid ang_, eff_;
  std::array<double, 12> alnm_;
  std::array<double, 12> din_{};

  int nan_ = 0, mid_ = 0, isl_ = 0, ntyp_ = 0, itty_ = 0;
  double dh_ = 0, dt_ = 0, q_ = 0, rho_ = 0, omega_ = 0;
  double fPert_ = 1.02, fRelax_ = 0.98, fStart_ = 1.7, fCap_ = 2.0;
  double camax_ = 0, step0_ = 0;
  double fHub_ = 0;
  bool rotor_ = false;
  Fit angFit_, effFit_;
};

void March::Run() {
  Solution& s = s_;
  nan_ = in_.nan;
  ntyp_ = in_.ntyp;
  itty_ = in_.itty;
  isl_ = nan_ == 1 ? 1 : in_.isl;
  if (nan_ == 1) fPert_ = fRelax_ = fStart_ = fCap_ = 1;
  mid_ = (nan_ + 1) / 2;
  dh_ = in_.dh;
  dt_ = in_.dt;
  q_ = in_.q;
  rho_ = in_.rho;
  omega_ = 2 * in_.rotn * kPi / 60;
  const int nst = in_.nbr + 1;
  s.nan = nan_;
  s.nst = nst;
  s.isl = isl_;

  // The flow enters axially; stationary rows (and every row of the free
  // vortex) are loss-free.
  for (int k = 1; k <= nan_ + 1; ++k) ang_[1][k] = 0;
  alnm_[1] = 0;
  for (int r = 1; r <= 9; r += 2)
    for (int k = 1; k <= 10; ++k) eff_[r][k] = 1;
  if (ntyp_ == 1)
    for (int r = 2; r <= 8; r += 2)
      for (int k = 1; k <= 10; ++k) eff_[r][k] = 1;

  // Station 1 geometry.
  const double pin = in_.pin * 144;
  const double dd = isl_ == 0 ? (dt_ - dh_) / (nan_ - 1) : (dt_ - dh_) / nan_;
  const double ddin = (dt_ - dh_) / nan_;
  s.dedge[1][1] = dh_;
  din_[1] = dh_;
  s.dmid[1][1] = isl_ == 0 ? dh_ : dh_ + dd / 2;
  for (int i = 2; i <= nan_ + 1; ++i) {
    const double t = isl_ == 0 && (i == 2 || i == nan_ + 1) ? dd / 2 : dd;
    s.dedge[1][i] = s.dedge[1][i - 1] + t;
    din_[i] = din_[i - 1] + ddin;
    s.dmid[1][i] = s.dmid[1][i - 1] + dd;
  }

  // Angles to radians. The hub-mean-tip type always has its three points,
  // also for a single annulus.
  if (ntyp_ == 1) {
    for (int st = 1; st <= nst; ++st) {
      alnm_[st] = alnm_[st] / kRad;
      s.alpha[st][mid_] = alnm_[st];
    }
  } else {
    const int points = ntyp_ == 3 && nan_ + 1 < 3 ? 3 : nan_ + 1;
    for (int st = 1; st <= nst; ++st) {
      for (int k = 1; k <= points; ++k) ang_[st][k] = ang_[st][k] / kRad;
      alnm_[st] = ang_[st][mid_];
    }
  }

  s.ang = ang_;

  // Station 1: the entrance to the IGV.
  for (int i = 1; i <= nan_; ++i) {
    s.ca[1][i] = 4 * q_ / (kPi * (dt_ * dt_ - dh_ * dh_)) / 60;
    s.cu[1][i] = 0;
    s.c[1][i] = s.ca[1][i];
    s.alpha[1][i] = 0;
    s.alphaT[1][i] = kPi / 2;
    s.u[1][i] = s.dmid[1][i] * omega_ / 2;
    s.beta[1][i] = std::atan(1 / (s.u[1][i] / s.ca[1][i]));
    s.p[1][i] = pin;
    s.m[i] = (s.dedge[1][i + 1] * s.dedge[1][i + 1] - s.dedge[1][i] * s.dedge[1][i]) *
             s.ca[1][i] * rho_ * kPi / 4;
  }
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

// Linear interpolation over the equally spaced input diameters.
double March::Interpolate(const Grid& table, int row, double d) const {
  int k = nan_ + 1;
  for (int kk = 2; kk <= nan_ + 1; ++kk) {
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
    // First guesses: the previous station.
    s.dedge[j][nan_ + 1] = s.dedge[1][nan_ + 1];
    s.dedge[j][1] = s.dedge[1][1];
    for (int i = 1; i <= nan_; ++i) {
      s.ca[j][i] = s.ca[j - 1][i];
      s.dmid[j][i] = s.dmid[j - 1][i];
    }
    if (ntyp_ != 1 && rotor_) {
      s.ca[j][1] = s.ca[j][1] * fPert_;
      if (nan_ != 1) s.ca[j][2] = s.ca[j][2] * fPert_;
    }
    if (ntyp_ != 1 && itty_ == 1) s.ca[j][1] = s.ca[j - 1][1] * fHub_;
    s.c[j][mid_] = s.ca[j][mid_] / std::cos(alnm_[j]);
    s.cu[j][mid_] = std::sin(alnm_[j]) * s.c[j][mid_];

    bool first = true;
    double xp = 0, Rp = 0, h = 0;
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
      if (itty_ == 1) {
        const double top = s.dedge[j][nan_ + 1];
        if (s.ca[j][1] == lastHub) {
          if (std::find(frozenTops.begin(), frozenTops.end(), top) != frozenTops.end() ||
              frozenTops.size() >= kFrozenPasses)
            return false;
          frozenTops.push_back(top);
        } else {
          frozenTops.clear();
        }
        lastHub = s.ca[j][1];
      }
      double R = 0;
      const Sweep sweep = HubSweep(j, R);
      if (sweep == Sweep::Fail) return false;
      if (sweep == Sweep::Restart) {
        // The hub guess was too high: start lower.
        if (fHub_ < 0.1) return false;
        if (fHub_ >= 1.005)
          fHub_ = 1 + (fHub_ - 1) / 2;
        else
          fHub_ = fHub_ - 0.05;
        restartStation = true;
        break;
      }
      if (nan_ == 1 || ntyp_ == 1 || std::fabs(R) < kTol * (nan_ - 1)) {
        // The last tube takes its velocity from continuity with the tip edge
        // it found before; a pass with a reversed tube can leave that edge
        // short of the tip for good. Tubes that do not fill the annulus are
        // no solution.
        return ntyp_ == 1 || nan_ == 1 || s.dedge[j][nan_ + 1] > dt_ - kFillMargin;
      }
      double& ca1 = s.ca[j][1];
      if (itty_ == 0) {
        if (first) {
          xp = ca1;
          ca1 = 1.01 * ca1;
          Rp = R;
          first = false;
        } else {
          const double old = ca1;
          ca1 = ca1 - fRelax_ * R * (ca1 - xp) / (R - Rp);
          xp = old;
          Rp = R;
        }
      } else {
        if (first) {
          h = step0_;
          ca1 = ca1 + h;
          fHub_ = ca1 / s.ca[j - 1][1];
          first = false;
        } else if (R / Rp < 0) {
          h = -h / 10;
          ca1 = ca1 + h;
        } else {
          ca1 = ca1 + h;
          fHub_ = ca1 / s.ca[j - 1][1];
        }
        Rp = R;
      }
    }
    if (!restartStation) return false;
  }
}

Sweep March::HubSweep(int j, double& R) {
  Solution& s = s_;
  const int r = j - 1;
  for (int i = 1; i <= nan_; ++i) {
    const double tol = i < nan_ ? kTol : kTol * (nan_ - 1);
    const bool iterate = ntyp_ != 1 && nan_ != 1 && i >= 2 && i <= nan_ - 1;
    bool first = true;
    int roots = 0;
    Root root{};
    double step = step0_, xp = 0, Rp = 0;
    double& ca = s.ca[j][i];
    // The relative flow angle is only kept from the evaluation that ends
    // the annulus (or a root): its arc tangent is taken then, not on every
    // step.
    double tLast = 0;
    auto keepBeta = [&] {
      s.beta[j][i] = std::atan(1 / tLast);
      if (s.beta[j][i] < 0) s.beta[j][i] += kPi;
    };
    for (long steps = 1;; ++steps) {
      if (steps > s.cost[j].annulusSteps) s.cost[j].annulusSteps = steps;
      ++s.cost[j].evaluations;
      if (steps > b_.annulusSteps || ++s.evaluations > b_.evaluations) return Sweep::Fail;
      // Divergence (a velocity that is not a number diverged as well).
      if (!(std::fabs(ca) < camax_)) {
        if (itty_ == 1 && roots == 1) {
          Restore(j, i, root);
          break;
        }
        return Sweep::Fail;
      }
      // Velocity triangle and position.
      double tanAlpha;
      if (ntyp_ == 1) {
        s.cu[j][i] = s.cu[j][mid_] * s.dmid[j][mid_] / s.dmid[j][i];
        s.alpha[j][i] = std::atan(s.cu[j][i] / ca);
        s.c[j][i] = ca / std::cos(s.alpha[j][i]);
        s.u[j][i] = s.dmid[j][i] * omega_ / 2;
        tanAlpha = std::tan(s.alpha[j][i]);
      } else {
        const double inner = s.dedge[j][i];
        s.dedge[j][i + 1] =
            std::sqrt(inner * inner + 4 * s.m[i] / (kPi * rho_ * std::fabs(ca)));
        if (s.dedge[j][i + 1] - dt_ >= kTipMargin) {
          if (itty_ == 0) return Sweep::Fail;
          if (roots == 1) {
            Restore(j, i, root);
            break;
          }
          return Sweep::Restart;
        }
        s.dmid[j][i] = (s.dedge[j][i + 1] + s.dedge[j][i]) / 2;
        if (isl_ == 0 && i == 1) s.dmid[j][1] = dh_;
        if (isl_ == 0 && i == nan_) s.dmid[j][nan_] = dt_;
        s.u[j][i] = s.dmid[j][i] * omega_ / 2;
        s.alpha[j][i] =
            ntyp_ == 2 ? Interpolate(ang_, j, s.dmid[j][i]) : angFit_.At(s.dmid[j][i], dh_);
        tanAlpha = std::tan(s.alpha[j][i]);
        s.cu[j][i] = tanAlpha * ca;
        s.c[j][i] = std::sqrt(s.cu[j][i] * s.cu[j][i] + ca * ca);
      }
      // Relative flow and work.
      double t = s.u[j][i] / ca - tanAlpha;
      if (std::fabs(t) < kTangentFloor) t = kTangentFloor;
      s.alphaT[j][i] = kPi / 2 - s.alpha[j][i];
      tLast = t;
      const double M = s.m[i];
      if (rotor_)
        s.w[r][i] = omega_ * (s.dmid[j][i] / 2 * s.cu[j][i] * M -
                              s.dmid[j - 1][i] / 2 * s.cu[j - 1][i] * M);
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
          return Sweep::Fail;
        }
        E = M * (cin * cin) / 2 + s.w[r][i] / s.eta[r][i] - M * (cout * cout) / 2;
      }
      s.dp[r][i] = E / M * rho_;
      s.p[j][i] = s.p[j - 1][i] + s.dp[r][i];
      // Radial equilibrium: dp/dr = rho Cu^2 / r at the common edge.
      if (ntyp_ != 1 && i >= 2) {
        const double cubar = (s.cu[j][i] + s.cu[j][i - 1]) / 2;
        const double dPre = 2 * (cubar * cubar) / s.dedge[j][i] * rho_ *
                            (s.dmid[j][i] - s.dmid[j][i - 1]) / 2;
        const double dPreq = s.p[j][i - 1] + dPre - s.p[j - 1][i];
        R = s.dp[r][i] - dPreq;
      }
      if (!iterate) {
        keepBeta();
        break;
      }
      if (itty_ == 0) {
        if (std::fabs(R) < tol) {
          keepBeta();
          break;
        }
        if (first) {
          xp = ca;
          Rp = R;
          ca = 1.01 * ca;
          first = false;
        } else {
          const double old = ca;
          ca = ca - fRelax_ * R * (ca - xp) / (R - Rp);
          xp = old;
          Rp = R;
        }
      } else {
        if (std::fabs(R) < tol) {
          keepBeta();
          if (roots == 0) {
            root = {s.alpha[j][i], s.alphaT[j][i], s.beta[j][i], s.dedge[j][i + 1],
                    s.dmid[j][i],  s.dp[r][i],     s.p[j][i],    s.w[r][i],
                    ca,            s.cu[j][i],     s.c[j][i],    s.u[j][i]};
            roots = 1;
            if (std::fabs(step - step0_) < 1e-6) step = step / 10;
            ca = ca - 10 * std::fabs(step);
            step = step0_;
            first = true;
            continue;
          }
          // A second root: keep the one nearer the expected velocity.
          const double ref =
              i == 2 ? s.ca[j - 1][2] : 2 * s.ca[j][i - 1] - s.ca[j][i - 2];
          if (!(std::fabs(ca - ref) < std::fabs(root.ca - ref))) Restore(j, i, root);
          break;
        }
        if (first) {
          step = step0_;
          first = false;
        } else if (R / Rp < 0) {
          step = -step / 10;
        }
        // A step too small to move the velocity repeats this evaluation for
        // ever: the annulus cannot settle.
        if (ca + step == ca) return Sweep::Fail;
        ca = ca + step;
        Rp = R;
      }
    }
    if (!iterate) continue;
    // The guess for the next annulus.
    if (i + 1 == nan_) {
      double S = 0;
      for (int k = 1; k <= nan_ - 1; ++k)
        S += kPi * (s.dedge[j][k + 1] * s.dedge[j][k + 1] - s.dedge[j][k] * s.dedge[j][k]) *
             s.ca[j][k] / 4;
      const double top = s.dedge[j][nan_ + 1], bottom = s.dedge[j][nan_];
      s.ca[j][nan_] = (q_ / 60 - S) * 4 / (kPi * (top * top - bottom * bottom));
    } else if (itty_ == 0) {
      s.ca[j][i + 1] = 2 * s.ca[j][i] - s.ca[j][i - 1];
    } else {
      s.ca[j][i + 1] = fCap_ * s.ca[j][i];
      if (fStart_ * s.ca[j - 1][i + 1] > s.ca[j][i + 1])
        s.ca[j][i + 1] = fStart_ * s.ca[j - 1][i + 1];
    }
  }
  return Sweep::Done;
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
