// The steps both engine matchers are made of: the turbine passes at one
// flow, the secant on the compressor flow and on the shaft speed, the
// halving of a speed step that leaves the maps, and the pass bounds that
// keep every loop, and the whole match, finite.
#pragma once

#include <cmath>

#include "lib/engine_maps/component_maps.h"
#include "lib/mathfn/mathfn.h"

namespace engine_maps {

// The match cannot go on: past choke, not enough turbine work, a negative
// efficiency, an undefined value or a loop that does not settle.
struct NoMatch {};

inline void Check(bool ok) {
  if (!ok) throw NoMatch{};
}

// Pass bounds of one matcher.
struct Bounds {
  int turbinePasses;        // of one turbine loop
  int flowPasses;           // of one flow loop
  int speedPasses;          // of the speed loop
  int speedHalvings;        // in a row, of a speed step that leaves the maps
  long matchTurbinePasses;  // of the whole match: the loops nest, so their
                            // own bounds allow far more than a handler may take
};

// The turbine passes of a whole match, counted against their bound.
class TurbineCount {
 public:
  explicit TurbineCount(long bound) : bound_(bound) {}
  void Pass() { Check(++used_ <= bound_); }
  long used() const { return used_; }

 private:
  long bound_;
  long used_ = 0;
};

// What the turbine passes carry from one flow pass (and speed pass) to the
// next: the last pressure ratio and efficiency. Tt5 is carried by the
// caller, in the precision it keeps it in.
struct TurbineCarry {
  double pitPrev, etat;
};

struct TurbinePoint {
  double pit;   // pressure ratio
  double tr5;   // Tt5/Tt4
  double mc4t;  // the corrected flow the turbine passes at it
};

// The turbine at Tt4 and corrected flow and speed mc4, nc4: the shaft work
// gives Tt5/Tt4 (workRatio, from the gas at the mean turbine temperature),
// the efficiency the pressure ratio; the efficiency is read again from the
// map at the mean of the last two ratios until the ratio settles.
template <class Temperature, class WorkRatio>
TurbinePoint TurbinePasses(const engine_maps::Turbine& turb, double tt4, Temperature& tt5,
                           double mc4, double nc4, TurbineCarry& c, const WorkRatio& workRatio,
                           const Bounds& bounds, TurbineCount& count) {
  constexpr double kTolerance = 0.0001;
  for (int pass = 0;; ++pass) {
    Check(pass < bounds.turbinePasses);
    count.Pass();
    const engine_maps::Gas g = engine_maps::GasAt((tt5 + tt4) / 2);
    const double tr5 = workRatio(g);
    const double z = 1 - (1 - tr5) / c.etat;
    Check(z >= 0);
    const double pit = mathfn::pow(z, g.gamma / (g.gamma - 1));
    tt5 = static_cast<Temperature>(tr5 * tt4);
    const double mc4t = engine_maps::TurbineFlow(turb, pit, nc4);
    c.etat = engine_maps::TurbineEfficiency(turb, (pit + c.pitPrev) / 2, mc4, nc4);
    Check(c.etat >= 0 && std::isfinite(pit) && std::isfinite(mc4t) && std::isfinite(tt5));
    if (std::fabs(pit - c.pitPrev) <= kTolerance) return {pit, tr5, mc4t};
    c.pitPrev = pit;
  }
}

// The secant through the last two points, x the flow or the speed and err
// its error: the first step goes a fixed way, the next ones through the
// last two points.
class Secant {
 public:
  explicit Secant(double firstStep) : firstStep_(firstStep) {}
  double Next(double x, double err) {
    const double candidate = (err * prev_ - errPrev_ * x) / (err - errPrev_);
    prev_ = x;
    errPrev_ = err;
    if (first_) {
      first_ = false;
      return x + firstStep_;
    }
    Check(std::isfinite(candidate));
    return candidate;
  }
  double previous() const { return prev_; }  // x of the last step

 private:
  double firstStep_;
  double prev_ = 0, errPrev_ = 0;
  bool first_ = true;
};

// The flow error of a flow pass: how far the compressor flow mc2 is from
// what the turbine passes (mc4t of the mc4 it was given).
inline double FlowError(double mc2, double mc4t, double mc4) {
  const double err = mc2 - mc2 * mc4t / mc4;
  Check(std::isfinite(err));
  return err;
}
inline constexpr double kFlowTolerance = 0.01;

// A speed step that leaves the maps (past choke, too little turbine work)
// is halved back toward the last matched speed, a bounded number of times
// in a row; the very first speed has nothing to go back to.
class SpeedHalving {
 public:
  explicit SpeedHalving(int bound) : bound_(bound) {}
  float Back(int pass, float nc2, double nPrev) {
    Check(pass > 0 && ++halvings_ <= bound_);
    return static_cast<float>((nPrev + nc2) / 2);
  }
  void Matched() { halvings_ = 0; }

 private:
  int bound_;
  int halvings_ = 0;
};

}  // namespace engine_maps
