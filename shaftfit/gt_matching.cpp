#include "shaftfit/gt_matching.h"

#include <cmath>
#include <vector>

#include "lib/engine_maps/matching.h"
#include "lib/mathfn/mathfn.h"

namespace shaftfit {
namespace {

using engine_maps::Check;
using engine_maps::GasAt;
using engine_maps::NoMatch;

constexpr int kPropertyPasses = 5;
constexpr double kSpeedTolerance = 0.0001;
constexpr double kHpBtu = 2545.0 / 3600.0;  // BTU/s per hp
constexpr engine_maps::Bounds kBounds{kTurbinePasses, kFlowPasses, kSpeedPasses, kSpeedHalvings,
                                      kMatchTurbinePasses};

// What every speed pass shares.
struct Shaft {
  const GtInputs& in;
  const GtWatch& watch;
  engine_maps::TurbineCount& turbine;
};

// What one speed pass carries to the next (and is restored when a speed
// step leaves the maps).
struct Carry {
  double tt3, tt4;
  engine_maps::TurbineCarry turbine;
  double mc1;
  float tt5;
};

// The compressor, the cold side of the regenerator, the burner and the
// turbine at a matched flow.
struct FlowPoint {
  double pid = 0, mc2 = 0, pic = 0, etac = 0, tr3 = 0, tt3x = 0, mc3 = 0, pi33x = 0;
  double pib = 0, mc4 = 0, nc4 = 0, n = 0, m = 0;
  engine_maps::TurbinePoint turbine{};
};

// The flow loop at the speed nc2: the compressor flow the turbine swallows
// while it drives the compressor and the load.
FlowPoint Flow(const Shaft& at, float nc2, Carry& c) {
  const GtInputs& in = at.in;
  const double tt1 = in.t0 * 1.0;  // no ram rise on a stationary engine
  const double tt2 = tt1;
  const double f = in.f;
  FlowPoint p;
  double cpc = 0;
  engine_maps::Secant flow(1);
  for (int kF = 0;; ++kF) {
    Check(kF < kFlowPasses);
    p.pid = 1 - in.z1 * c.mc1 * c.mc1;
    p.mc2 = c.mc1 / p.pid;
    if (at.watch.trace) at.watch.trace->push_back({nc2, c.mc1, p.mc2});
    const engine_maps::CompressorPoint cp = engine_maps::CompressorAt(in.comp, nc2, p.mc2);
    Check(cp.x >= 0 && std::isfinite(cp.pic) && cp.etac >= 0);
    p.pic = cp.pic;
    p.etac = cp.etac;
    for (int pass = 0; pass < kPropertyPasses; ++pass) {
      const engine_maps::Gas g = GasAt((c.tt3 + tt2) / 2);
      p.tr3 = engine_maps::CompressorTemperatureRatio(p.pic, g.gamma, p.etac);
      c.tt3 = p.tr3 * tt2;
      cpc = g.cp;
    }
    // Cold side of the regenerator, then the burner at its exit.
    p.tt3x = in.effectiveness * (c.tt5 - c.tt3) + c.tt3;
    p.mc3 = (p.mc2 / p.pic) * std::sqrt(p.tr3);
    p.pi33x = 1 - in.b33x * p.mc3 * p.mc3;
    const double mc3x = (p.mc2 / p.pic / p.pi33x) * std::sqrt(p.tr3 * p.tt3x / c.tt3);
    const engine_maps::BurnerPoint burner = engine_maps::BurnerAt(in.burn, mc3x, f, p.tt3x);
    p.pib = burner.pib;
    for (int pass = 0; pass < kPropertyPasses; ++pass) {
      const engine_maps::Gas g = GasAt((c.tt4 + p.tt3x) / 2);
      c.tt4 = engine_maps::BurnerTemperatureRatio(in.burn, g.cp, p.tt3x, f, burner.etab) * p.tt3x;
    }
    const double tr4 = (c.tt4 / p.tt3x) * p.tr3 * p.tt3x / c.tt3;
    p.mc4 = (1 + f) * p.mc2 * std::sqrt(tr4) / (burner.pib * p.pic);
    p.n = nc2 / std::sqrt(engine_maps::kTstd / tt1);
    p.nc4 = nc2 / std::sqrt(tr4);
    const double etam = engine_maps::ShaftEfficiency(in.s1, in.s2, p.n);
    Check(std::isfinite(p.mc4) && std::isfinite(p.nc4) && std::isfinite(etam));

    // Shaft work: the compressor and the load.
    p.m = p.mc2 * p.pid * in.p0 / engine_maps::kPstd * std::sqrt(engine_maps::kTstd / tt1);
    const double power = in.z3 * kHpBtu * mathfn::pow(p.n, in.z4);
    auto work = [&](const engine_maps::Gas& g) {
      const double tr5 = 1 - cpc * (p.tr3 - 1) / (etam * (1 + f) * g.cp * tr4) -
                         power / (etam * (1 + f) * g.cp * c.tt4 * p.m);
      Check(tr5 >= 0);
      if (at.watch.turbineRatio) at.watch.turbineRatio(tr5);
      return tr5;
    };
    p.turbine = engine_maps::TurbinePasses(in.turb, c.tt4, c.tt5, p.mc4, p.nc4, c.turbine, work,
                                           kBounds, at.turbine);
    const double err = engine_maps::FlowError(p.mc2, p.turbine.mc4t, p.mc4);
    if (std::fabs(err) < engine_maps::kFlowTolerance) return p;
    p.mc2 = flow.Next(p.mc2, err);
    c.mc1 = p.mc2 * p.pid;
  }
}

// The speed pass at nc2: the matched flow, then the hot side of the
// regenerator and the exhaust. Fills the stations and gives the speed error:
// how far the exhaust is from leaving at ambient pressure.
double AtSpeed(const Shaft& at, float nc2, Carry& c, GtResult& r) {
  const GtInputs& in = at.in;
  const FlowPoint p = Flow(at, nc2, c);
  const double pit = p.turbine.pit, tr5 = p.turbine.tr5;
  const double tt5x = c.tt5 - (p.tt3x - c.tt3);
  const double mc5 = p.mc4 * std::sqrt(tr5) / pit;
  const double pi55x = 1 - in.b55x * mc5 * mc5;
  const double mc5x = p.mc4 * std::sqrt(tr5 * tt5x / c.tt5) / pit / pi55x;
  const double pt5xp0 = pit * p.pib * p.pic * p.pi33x * pi55x * p.pid;
  const double pie = 1 - in.z2 * mc5x * mc5x;
  const double errN = 1 / pie - pt5xp0;
  Check(std::isfinite(errN));

  r.mc1 = c.mc1;
  r.mc2 = p.mc2;
  r.pic = p.pic;
  r.etac = p.etac;
  r.mc3 = p.mc3;
  r.tt3 = c.tt3;
  r.tt4 = c.tt4;
  r.mc4 = p.mc4;
  r.nc4 = p.nc4;
  r.pit = pit;
  r.etat = c.turbine.etat;
  r.mc5 = mc5;
  r.m = p.m;
  r.n = p.n;
  r.tt3x = p.tt3x;
  r.tt5x = tt5x;
  r.pi33x = p.pi33x;
  r.pi55x = pi55x;
  r.pie = pie;
  r.picSurge = engine_maps::SurgePressureRatio(in.comp, p.mc2);
  return errN;
}

// Power, efficiency and fuel consumption at the matched speed.
void Power(const GtInputs& in, GtResult& r) {
  const double f = in.f;
  r.power = in.z3 * mathfn::pow(r.n, in.z4);
  r.efficiency = r.power * kHpBtu / (in.burn.h * f) / r.m;
  r.sfc = f * r.m * 3600 / r.power;
  Check(std::isfinite(r.power) && std::isfinite(r.efficiency) && std::isfinite(r.sfc));
}

// The speed loop: the speed at which the exhaust leaves at ambient pressure.
float MatchSpeed(const Shaft& at, Carry& c, GtResult& r) {
  float nc2 = at.in.nc2;
  engine_maps::Secant speed(10);
  engine_maps::SpeedHalving halving(kSpeedHalvings);
  for (int kS = 0;; ++kS) {
    Check(kS < kSpeedPasses);
    const Carry saved = c;
    double errN = 0;
    try {
      errN = AtSpeed(at, nc2, c, r);
    } catch (const NoMatch&) {
      // A speed step that leaves the maps: back up halfway to the last
      // speed that matched, and go on from there.
      nc2 = halving.Back(kS, nc2, speed.previous());
      c = saved;
      continue;
    }
    if (std::fabs(errN) < kSpeedTolerance) return nc2;
    halving.Matched();
    nc2 = static_cast<float>(speed.Next(nc2, errN));
  }
}

}  // namespace

GtResult MatchGt(const GtInputs& in, const GtWatch& watch) {
  GtResult r;
  const double tt1 = in.t0 * 1.0;
  Carry c{tt1 + 300, 2400, {in.turb.pitc, in.turb.etatd}, in.mc1, in.tt5};
  engine_maps::TurbineCount turbine(kMatchTurbinePasses);
  float nc2 = 0;
  try {
    nc2 = MatchSpeed({in, watch, turbine}, c, r);
    Power(in, r);
  } catch (const NoMatch&) {
    GtResult zero;  // every result 0, Nc2 and Tt5 too
    zero.turbinePasses = turbine.used();
    return zero;
  }
  r.converged = true;
  r.turbinePasses = turbine.used();
  r.nc2 = nc2;
  r.tt5 = c.tt5;
  r.surged = r.pic > r.picSurge;
  r.regenWarm = c.tt5 < r.tt3;
  return r;
}

}  // namespace shaftfit
