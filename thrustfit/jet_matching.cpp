#include "thrustfit/jet_matching.h"

#include <cmath>

#include "lib/engine_maps/matching.h"
#include "lib/mathfn/mathfn.h"

namespace thrustfit {
namespace {

using engine_maps::Check;
using engine_maps::GasAt;
using engine_maps::NoMatch;

constexpr int kPropertyPasses = 2;
constexpr double kMachTolerance = 0.0001;
constexpr engine_maps::Bounds kBounds{kTurbinePasses, kFlowPasses, kSpeedPasses, kSpeedHalvings,
                                      kMatchTurbinePasses};

struct InletState {
  double tt2, gamma0, pt2p0;
};

InletState Inlet(const JetInputs& in, float m0) {
  InletState s;
  s.gamma0 = 1.4;
  const double m2 = static_cast<double>(m0) * m0;
  for (int pass = 0; pass < kPropertyPasses; ++pass) {
    s.tt2 = in.t0 * (1 + (s.gamma0 - 1) / 2 * m2);
    s.gamma0 = GasAt(s.tt2).gamma;
  }
  const double pid = engine_maps::DiffuserRecovery(in.pidd, m0);
  s.pt2p0 = pid * mathfn::pow(1 + (s.gamma0 - 1) / 2 * m2, s.gamma0 / (s.gamma0 - 1));
  return s;
}

// One engine computation: the inputs, the flight state and the pass count
// every speed pass shares.
struct Flight {
  const JetInputs& in;
  const InletState& inlet;
  float m0;
  std::vector<FlowPass>* trace;
  engine_maps::TurbineCount& turbine;
};

// What one speed pass carries to the next.
struct Carry {
  double tt3, tt4, tt5;
  engine_maps::TurbineCarry turbine;
  double etan;
};

// The nozzle at the end of a speed pass: its flow error and what thrust
// needs of it.
struct NozzlePoint {
  double errN = 0, t8 = 0, full = 0, npr = 0, gamma5 = 0;
};

// The nozzle: expansion to ambient, or to the critical pressure when the
// convergent nozzle chokes. Gives the error of the flow it passes against
// the turbine's mc5.
NozzlePoint Nozzle(const Flight& at, double pt5pt2, Carry& c, JetResult& r) {
  const JetInputs& in = at.in;
  NozzlePoint p;
  p.gamma5 = GasAt(c.tt5).gamma;
  p.full = pt5pt2 * at.inlet.pt2p0;
  p.npr = p.full;
  double m8 = 0;
  for (int pass = 0; pass < kPropertyPasses; ++pass) {
    m8 = engine_maps::NozzleExitMach(p.npr, p.gamma5, c.etan);
    c.etan = in.etand - in.a * m8 * m8;
  }
  if (in.nozzle == "c" && m8 >= 1) {
    m8 = 1;
    c.etan = in.etand - in.a;
    p.npr = engine_maps::NozzleCriticalRatio(p.gamma5, c.etan);
  }
  const double area = engine_maps::NozzleAreaRatio(m8, p.gamma5, c.etan);
  const double af = in.nozzle == "cd1" ? area : 1;
  p.t8 = c.tt5 / (1 + (p.gamma5 - 1) / 2 * m8 * m8);
  const double mc5n = in.mn * m8 * af * std::sqrt(p.gamma5 / 1.4) *
                      std::sqrt(1 + (p.gamma5 - 1) / 2 * m8 * m8) / p.npr;
  p.errN = mc5n - r.mc5;
  Check(std::isfinite(p.errN));
  r.m8 = m8;
  r.etan = c.etan;
  return p;
}

// The flow loop at the speed nc2 from the flow mc2, then the nozzle. Fills
// the component results and gives the nozzle point, or throws NoMatch.
NozzlePoint AtSpeed(const Flight& at, float nc2, double& mc2, Carry& c, JetResult& r) {
  const JetInputs& in = at.in;
  const double tt2 = at.inlet.tt2;
  const double f = in.f;
  double pic = 0, etac = 0, tr3 = 0, cpc = 0, mc3 = 0, mc4 = 0, nc4 = 0;
  engine_maps::TurbinePoint turbine{};
  engine_maps::BurnerPoint burner{};
  engine_maps::Secant flow(1);
  for (int kF = 0;; ++kF) {
    Check(kF < kFlowPasses);
    if (at.trace) at.trace->push_back({nc2, mc2, at.m0});
    const engine_maps::CompressorPoint cp = engine_maps::CompressorAt(in.comp, nc2, mc2);
    Check(cp.x >= 0 && std::isfinite(cp.pic));
    pic = cp.pic;
    etac = cp.etac;
    for (int pass = 0; pass < kPropertyPasses; ++pass) {
      const engine_maps::Gas g = GasAt((c.tt3 + tt2) / 2);
      tr3 = engine_maps::CompressorTemperatureRatio(pic, g.gamma, etac);
      c.tt3 = tr3 * tt2;
      cpc = g.cp;
    }
    mc3 = mc2 * std::sqrt(tr3) / pic;
    burner = engine_maps::BurnerAt(in.burn, mc3, f, c.tt3);
    for (int pass = 0; pass < kPropertyPasses; ++pass) {
      const engine_maps::Gas g = GasAt((c.tt4 + c.tt3) / 2);
      c.tt4 = engine_maps::BurnerTemperatureRatio(in.burn, g.cp, c.tt3, f, burner.etab) * c.tt3;
    }
    const double tr4 = c.tt4 / tt2;
    mc4 = (1 + f) * mc2 * std::sqrt(tr4) / (burner.pib * pic);
    nc4 = nc2 / std::sqrt(tr4);
    const double etam = engine_maps::ShaftEfficiency(in.s1, in.s2, nc2);
    Check(std::isfinite(mc4) && std::isfinite(nc4) && std::isfinite(etam));

    // The turbine drives the compressor alone.
    auto work = [&](const engine_maps::Gas& g) {
      return 1 - cpc * (tr3 - 1) / (etam * (1 + f) * g.cp * tr4);
    };
    turbine = engine_maps::TurbinePasses(in.turb, c.tt4, c.tt5, mc4, nc4, c.turbine, work, kBounds,
                                         at.turbine);
    const double err = engine_maps::FlowError(mc2, turbine.mc4t, mc4);
    if (std::fabs(err) < engine_maps::kFlowTolerance) break;
    mc2 = flow.Next(mc2, err);
  }

  r.mc2 = mc2;
  r.pic = pic;
  r.etac = etac;
  r.mc3 = mc3;
  r.pib = burner.pib;
  r.etab = burner.etab;
  r.tt4 = c.tt4;
  r.mc4 = mc4;
  r.nc4 = nc4;
  r.pit = turbine.pit;
  r.etat = c.turbine.etat;
  r.etan = c.etan;
  r.picSurge = engine_maps::SurgePressureRatio(in.comp, mc2);
  r.mc5 = mc4 * std::sqrt(c.tt5 / c.tt4) / turbine.pit;
  Check(std::isfinite(r.mc5));
  if (in.mode == Mode::GasGenerator) return {};
  return Nozzle(at, turbine.pit * burner.pib * pic, c, r);
}

// Thrust at a matched speed: momentum and pressure parts per unit of m*V0.
void Thrust(const Flight& at, float nc2, double mc2, const NozzlePoint& p, JetResult& r) {
  const JetInputs& in = at.in;
  const float m0 = at.m0;
  const double f = in.f;
  const double g0 = at.inlet.gamma0;
  const double tt2 = at.inlet.tt2;
  const double st = std::sqrt(p.t8 / in.t0);
  const double p0p8 = p.npr / p.full;
  r.ndThrust = (1 + f) * (r.m8 / m0) * st * std::sqrt(p.gamma5 / g0) - 1 +
               (1 + f) * st / (r.m8 * m0 * std::sqrt(g0 * p.gamma5)) * (1 - p0p8);
  r.m = mc2 * at.inlet.pt2p0 * in.p0 / engine_maps::kPstd * std::sqrt(engine_maps::kTstd / tt2);
  const double a0 = std::sqrt(g0 * engine_maps::kR * in.t0 * engine_maps::kGc * engine_maps::kJ);
  r.thrust = r.ndThrust * r.m * m0 * a0 / engine_maps::kGc;
  r.tsfc = f * r.m * 3600 / r.thrust;
  r.n = nc2 / std::sqrt(engine_maps::kTstd / tt2);
  Check(std::isfinite(r.ndThrust) && std::isfinite(r.thrust) && std::isfinite(r.tsfc) &&
        std::isfinite(r.m) && std::isfinite(r.n));
}

// One engine computation at the flight state: the speed loop around the
// flow loop, then thrust.
void Engine(const Flight& at, float& nc2, JetResult& r) {
  const JetInputs& in = at.in;
  const double tt2 = at.inlet.tt2;
  Carry c{tt2 + 300, 2400, tt2 + 300, {in.turb.pitc, in.turb.etatd}, in.etand};
  double mc2 = static_cast<float>(in.comp.c2 * static_cast<double>(nc2) *
                                  (static_cast<double>(in.comp.c3) + 1) / 2);
  double mc2Good = 0;
  engine_maps::Secant speed(100);
  engine_maps::SpeedHalving halving(kSpeedHalvings);

  for (int kS = 0;; ++kS) {
    Check(kS < kSpeedPasses);
    const Carry saved = c;
    NozzlePoint p;
    try {
      p = AtSpeed(at, nc2, mc2, c, r);
    } catch (const NoMatch&) {
      // A speed step that leaves the maps: back up halfway to the last speed
      // that matched, and go on from there.
      nc2 = halving.Back(kS, nc2, speed.previous());
      c = saved;
      mc2 = mc2Good * nc2 / speed.previous();
      continue;
    }
    halving.Matched();
    if (in.mode == Mode::GasGenerator) return;
    if (std::fabs(p.errN) < engine_maps::kFlowTolerance) return Thrust(at, nc2, mc2, p, r);
    mc2Good = mc2;
    nc2 = static_cast<float>(speed.Next(nc2, p.errN));
    if (kS > 0) {
      mc2 = mc2 * nc2 / speed.previous();
      Check(std::isfinite(mc2));
    }
  }
}

}  // namespace

JetResult MatchJet(const JetInputs& in, std::vector<FlowPass>* trace) {
  JetResult r;
  float nc2 = in.nc2;
  float m0 = in.m0;
  engine_maps::TurbineCount turbine(kMatchTurbinePasses);
  try {
    if (in.mode == Mode::GasGenerator) {
      const InletState gas{in.tt2, 0, 0};
      Engine({in, gas, m0, trace, turbine}, nc2, r);
    } else {
      InletState inlet = Inlet(in, m0);
      for (int kM = 0;; ++kM) {
        Check(kM < kMachPasses);
        Engine({in, inlet, m0, trace, turbine}, nc2, r);
        if (in.mode == Mode::Engine) break;
        const double balance = in.engines * r.thrust / in.d1;
        Check(balance >= 0 && std::isfinite(balance));
        const double mNew = std::sqrt(balance);
        if (std::fabs(m0 - mNew) <= kMachTolerance) break;
        m0 = static_cast<float>(mNew);
        inlet = Inlet(in, m0);
      }
    }
  } catch (const NoMatch&) {
    JetResult zero;
    zero.turbinePasses = turbine.used();
    return zero;  // every result 0, Nc2 and M0 too
  }
  r.converged = true;
  r.turbinePasses = turbine.used();
  r.nc2 = nc2;
  r.m0 = m0;
  r.surged = r.pic > r.picSurge;
  return r;
}

}  // namespace thrustfit
