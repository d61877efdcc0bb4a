#include "thrustfit/jet_matching.h"

#include <cmath>

namespace thrustfit {
namespace {

using maps::GasAt;

constexpr int kPropertyPasses = 2;
constexpr double kTurbineTolerance = 0.0001;
constexpr double kFlowTolerance = 0.01;
constexpr double kMachTolerance = 0.0001;

// The match cannot go on: past choke, not enough turbine work, a negative
// efficiency, an undefined value or a loop that does not settle.
struct NoMatch {};

void Check(bool ok) {
  if (!ok) throw NoMatch{};
}

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
  const double pid = maps::DiffuserRecovery(in.pidd, m0);
  s.pt2p0 = pid * std::pow(1 + (s.gamma0 - 1) / 2 * m2, s.gamma0 / (s.gamma0 - 1));
  return s;
}

// What one speed pass carries to the next.
struct Carry {
  double tt3, tt4, tt5, pitPrev, etat, etan;
};

// The flow loop at the speed nc2 from the flow mc2, then the nozzle. Fills
// the component results and gives the nozzle's flow error, or throws NoMatch.
double AtSpeed(const JetInputs& in, const InletState& inlet, float m0, float nc2, double& mc2,
               Carry& c, JetResult& r, double& t8, double& full, double& npr, double& gamma5,
               std::vector<FlowPass>* trace, long& turbinePasses) {
  const double tt2 = inlet.tt2;
  const double f = in.f;
  double mc2Prev = 0, errPrev = 0;
  double pic = 0, etac = 0, tr3 = 0, cpc = 0, mc3 = 0, mc4 = 0, nc4 = 0, pit = 0, mc4t = 0;
  maps::BurnerPoint burner{};
  for (int kF = 0;; ++kF) {
    Check(kF < kFlowPasses);
    if (trace) trace->push_back({nc2, mc2, m0});
    const maps::CompressorPoint cp = maps::CompressorAt(in.comp, nc2, mc2);
    Check(cp.x >= 0 && std::isfinite(cp.pic));
    pic = cp.pic;
    etac = cp.etac;
    for (int pass = 0; pass < kPropertyPasses; ++pass) {
      const maps::Gas g = GasAt((c.tt3 + tt2) / 2);
      tr3 = maps::CompressorTemperatureRatio(pic, g.gamma, etac);
      c.tt3 = tr3 * tt2;
      cpc = g.cp;
    }
    mc3 = mc2 * std::sqrt(tr3) / pic;
    burner = maps::BurnerAt(in.burn, mc3, f, c.tt3);
    for (int pass = 0; pass < kPropertyPasses; ++pass) {
      const maps::Gas g = GasAt((c.tt4 + c.tt3) / 2);
      c.tt4 = maps::BurnerTemperatureRatio(in.burn, g.cp, c.tt3, f, burner.etab) * c.tt3;
    }
    const double tr4 = c.tt4 / tt2;
    mc4 = (1 + f) * mc2 * std::sqrt(tr4) / (burner.pib * pic);
    nc4 = nc2 / std::sqrt(tr4);
    const double etam = maps::ShaftEfficiency(in.s1, in.s2, nc2);
    Check(std::isfinite(mc4) && std::isfinite(nc4) && std::isfinite(etam));

    for (int kT = 0;; ++kT) {
      Check(kT < kTurbinePasses && ++turbinePasses <= kMatchTurbinePasses);
      const maps::Gas g = GasAt((c.tt5 + c.tt4) / 2);
      const double tr5 = 1 - cpc * (tr3 - 1) / (etam * (1 + f) * g.cp * tr4);
      const double z = 1 - (1 - tr5) / c.etat;
      Check(z >= 0);
      pit = std::pow(z, g.gamma / (g.gamma - 1));
      c.tt5 = tr5 * c.tt4;
      mc4t = maps::TurbineFlow(in.turb, pit, nc4);
      c.etat = maps::TurbineEfficiency(in.turb, (pit + c.pitPrev) / 2, mc4, nc4);
      Check(c.etat >= 0 && std::isfinite(pit) && std::isfinite(mc4t) && std::isfinite(c.tt5));
      if (std::fabs(pit - c.pitPrev) > kTurbineTolerance)
        c.pitPrev = pit;
      else
        break;
    }

    const double err = mc2 - mc2 * mc4t / mc4;
    Check(std::isfinite(err));
    if (std::fabs(err) < kFlowTolerance) break;
    const double candidate = (err * mc2Prev - errPrev * mc2) / (err - errPrev);
    mc2Prev = mc2;
    errPrev = err;
    if (kF == 0) {
      mc2 = mc2 + 1;
    } else {
      Check(std::isfinite(candidate));
      mc2 = candidate;
    }
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
  r.pit = pit;
  r.etat = c.etat;
  r.etan = c.etan;
  r.picSurge = maps::SurgePressureRatio(in.comp, mc2);
  gamma5 = GasAt(c.tt5).gamma;
  r.mc5 = mc4 * std::sqrt(c.tt5 / c.tt4) / pit;
  const double pt5pt2 = pit * burner.pib * pic;
  Check(std::isfinite(r.mc5));
  if (in.mode == Mode::GasGenerator) return 0;

  // Nozzle: expansion to ambient, or to the critical pressure when the
  // convergent nozzle chokes.
  full = pt5pt2 * inlet.pt2p0;
  npr = full;
  double m8 = 0;
  for (int pass = 0; pass < kPropertyPasses; ++pass) {
    m8 = maps::NozzleExitMach(npr, gamma5, c.etan);
    c.etan = in.etand - in.a * m8 * m8;
  }
  if (in.nozzle == "c" && m8 >= 1) {
    m8 = 1;
    c.etan = in.etand - in.a;
    npr = maps::NozzleCriticalRatio(gamma5, c.etan);
  }
  const double area = maps::NozzleAreaRatio(m8, gamma5, c.etan);
  const double af = in.nozzle == "cd1" ? area : 1;
  t8 = c.tt5 / (1 + (gamma5 - 1) / 2 * m8 * m8);
  const double mc5n =
      in.mn * m8 * af * std::sqrt(gamma5 / 1.4) * std::sqrt(1 + (gamma5 - 1) / 2 * m8 * m8) / npr;
  const double errN = mc5n - r.mc5;
  Check(std::isfinite(errN));
  r.m8 = m8;
  r.etan = c.etan;
  return errN;
}

// One engine computation at the flight state of the inlet: the speed loop
// around the flow loop, then thrust.
void Engine(const JetInputs& in, const InletState& inlet, float m0, float& nc2, JetResult& r,
            std::vector<FlowPass>* trace, long& turbinePasses) {
  const double tt2 = inlet.tt2;
  Carry c{tt2 + 300, 2400, tt2 + 300, in.turb.pitc, in.turb.etatd, in.etand};
  double mc2 = static_cast<float>(in.comp.c2 * static_cast<double>(nc2) *
                                  (static_cast<double>(in.comp.c3) + 1) / 2);
  double nPrev = 0, errNPrev = 0, mc2Good = 0;
  int halvings = 0;

  for (int kS = 0;; ++kS) {
    Check(kS < kSpeedPasses);
    const Carry saved = c;
    double t8 = 0, full = 0, npr = 0, gamma5 = 0, errN = 0;
    try {
      errN = AtSpeed(in, inlet, m0, nc2, mc2, c, r, t8, full, npr, gamma5, trace, turbinePasses);
    } catch (const NoMatch&) {
      // A speed step that leaves the maps: back up halfway to the last speed
      // that matched, and go on from there.
      if (kS == 0 || ++halvings > kSpeedHalvings) throw;
      c = saved;
      nc2 = static_cast<float>((nPrev + nc2) / 2);
      mc2 = mc2Good * nc2 / nPrev;
      continue;
    }
    halvings = 0;
    if (in.mode == Mode::GasGenerator) return;

    if (std::fabs(errN) < kFlowTolerance) {
      // Thrust: momentum and pressure parts per unit of m*V0.
      const double f = in.f;
      const double g0 = inlet.gamma0;
      const double st = std::sqrt(t8 / in.t0);
      const double p0p8 = npr / full;
      r.ndThrust = (1 + f) * (r.m8 / m0) * st * std::sqrt(gamma5 / g0) - 1 +
                   (1 + f) * st / (r.m8 * m0 * std::sqrt(g0 * gamma5)) * (1 - p0p8);
      r.m = mc2 * inlet.pt2p0 * in.p0 / maps::kPstd * std::sqrt(maps::kTstd / tt2);
      const double a0 = std::sqrt(g0 * maps::kR * in.t0 * maps::kGc * maps::kJ);
      r.thrust = r.ndThrust * r.m * m0 * a0 / maps::kGc;
      r.tsfc = f * r.m * 3600 / r.thrust;
      r.n = nc2 / std::sqrt(maps::kTstd / tt2);
      Check(std::isfinite(r.ndThrust) && std::isfinite(r.thrust) && std::isfinite(r.tsfc) &&
            std::isfinite(r.m) && std::isfinite(r.n));
      return;
    }
    const double candidate = (errN * nPrev - errNPrev * nc2) / (errN - errNPrev);
    nPrev = nc2;
    errNPrev = errN;
    mc2Good = mc2;
    nc2 = static_cast<float>(nc2 + 100.0);
    if (kS > 0) {
      Check(std::isfinite(candidate));
      nc2 = static_cast<float>(candidate);
      mc2 = mc2 * nc2 / nPrev;
      Check(std::isfinite(mc2));
    }
  }
}

}  // namespace

JetResult MatchJet(const JetInputs& in, std::vector<FlowPass>* trace) {
  JetResult r;
  float nc2 = in.nc2;
  float m0 = in.m0;
  long turbinePasses = 0;
  try {
    if (in.mode == Mode::GasGenerator) {
      InletState gas{in.tt2, 0, 0};
      Engine(in, gas, m0, nc2, r, trace, turbinePasses);
    } else {
      InletState inlet = Inlet(in, m0);
      for (int kM = 0;; ++kM) {
        Check(kM < kMachPasses);
        Engine(in, inlet, m0, nc2, r, trace, turbinePasses);
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
    zero.turbinePasses = turbinePasses;
    return zero;  // every result 0, Nc2 and M0 too
  }
  r.converged = true;
  r.turbinePasses = turbinePasses;
  r.nc2 = nc2;
  r.m0 = m0;
  r.surged = r.pic > r.picSurge;
  return r;
}

}  // namespace thrustfit
