#include "shaftfit/gt_matching.h"

#include <cmath>
#include <vector>

namespace shaftfit {
namespace {

using maps::GasAt;

constexpr int kPropertyPasses = 5;
constexpr double kTurbineTolerance = 0.0001;
constexpr double kFlowTolerance = 0.01;
constexpr double kSpeedTolerance = 0.0001;
constexpr double kHpBtu = 2545.0 / 3600.0;  // BTU/s per hp

struct NoMatch {};

void Check(bool ok) {
  if (!ok) throw NoMatch{};
}

}  // namespace

GtResult MatchGt(const GtInputs& in, const GtWatch& watch) {
  GtResult r;
  const double tt1 = in.t0 * 1.0;  // no ram rise on a stationary engine
  const double tt2 = tt1;
  const double f = in.f;
  double tt3 = tt1 + 300, tt4 = 2400;
  float tt5 = in.tt5;
  double pitPrev = in.turb.pitc;
  double etat = in.turb.etatd;
  float nc2 = in.nc2;
  double mc1 = in.mc1;
  double nPrev = 0, errNPrev = 0;
  int halvings = 0;
  long turbinePasses = 0;
  try {
    for (int kS = 0;; ++kS) {
      Check(kS < kSpeedPasses);
      struct Saved {
        double tt3, tt4, pitPrev, etat, mc1;
        float tt5;
      } const saved{tt3, tt4, pitPrev, etat, mc1, tt5};
      double errN = 0;
      try {
        double mc2Prev = 0, errPrev = 0;
        double pid = 0, mc2 = 0, pic = 0, etac = 0, tr3 = 0, cpc = 0, tt3x = 0, mc3 = 0, pi33x = 0,
               mc4 = 0, nc4 = 0, n = 0, pit = 0, tr5 = 0, m = 0, power = 0;
        maps::BurnerPoint burner{};
        for (int kF = 0;; ++kF) {
          Check(kF < kFlowPasses);
          pid = 1 - in.z1 * mc1 * mc1;
          mc2 = mc1 / pid;
          if (watch.trace) watch.trace->push_back({nc2, mc1, mc2});
          const maps::CompressorPoint cp = maps::CompressorAt(in.comp, nc2, mc2);
          Check(cp.x >= 0 && std::isfinite(cp.pic) && cp.etac >= 0);
          pic = cp.pic;
          etac = cp.etac;
          for (int pass = 0; pass < kPropertyPasses; ++pass) {
            const maps::Gas g = GasAt((tt3 + tt2) / 2);
            tr3 = maps::CompressorTemperatureRatio(pic, g.gamma, etac);
            tt3 = tr3 * tt2;
            cpc = g.cp;
          }
          // Cold side of the regenerator, then the burner at its exit.
          tt3x = in.effectiveness * (tt5 - tt3) + tt3;
          mc3 = (mc2 / pic) * std::sqrt(tr3);
          pi33x = 1 - in.b33x * mc3 * mc3;
          const double mc3x = (mc2 / pic / pi33x) * std::sqrt(tr3 * tt3x / tt3);
          burner = maps::BurnerAt(in.burn, mc3x, f, tt3x);
          for (int pass = 0; pass < kPropertyPasses; ++pass) {
            const maps::Gas g = GasAt((tt4 + tt3x) / 2);
            tt4 = maps::BurnerTemperatureRatio(in.burn, g.cp, tt3x, f, burner.etab) * tt3x;
          }
          const double tr4 = (tt4 / tt3x) * tr3 * tt3x / tt3;
          mc4 = (1 + f) * mc2 * std::sqrt(tr4) / (burner.pib * pic);
          n = nc2 / std::sqrt(maps::kTstd / tt1);
          nc4 = nc2 / std::sqrt(tr4);
          const double etam = maps::ShaftEfficiency(in.s1, in.s2, n);
          Check(std::isfinite(mc4) && std::isfinite(nc4) && std::isfinite(etam));

          double mc4t = 0;
          for (int kT = 0;; ++kT) {
            Check(kT < kTurbinePasses && ++turbinePasses <= kMatchTurbinePasses);
            const maps::Gas g = GasAt((tt5 + tt4) / 2);
            m = mc2 * pid * in.p0 / maps::kPstd * std::sqrt(maps::kTstd / tt1);
            power = in.z3 * kHpBtu * std::pow(n, in.z4);
            // Shaft work: the compressor and the load.
            tr5 = 1 - cpc * (tr3 - 1) / (etam * (1 + f) * g.cp * tr4) -
                  power / (etam * (1 + f) * g.cp * tt4 * m);
            Check(tr5 >= 0);
            if (watch.turbineRatio) watch.turbineRatio(tr5);
            const double z = 1 - (1 - tr5) / etat;
            Check(z >= 0);
            pit = std::pow(z, g.gamma / (g.gamma - 1));
            tt5 = static_cast<float>(tt4 * tr5);
            mc4t = maps::TurbineFlow(in.turb, pit, nc4);
            etat = maps::TurbineEfficiency(in.turb, (pit + pitPrev) / 2, mc4, nc4);
            Check(etat >= 0 && std::isfinite(pit) && std::isfinite(mc4t) && std::isfinite(tt5));
            if (std::fabs(pit - pitPrev) <= kTurbineTolerance) break;
            pitPrev = pit;
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
          mc1 = mc2 * pid;
        }

        // Hot side of the regenerator and the exhaust.
        const double tt5x = tt5 - (tt3x - tt3);
        const double mc5 = mc4 * std::sqrt(tr5) / pit;
        const double pi55x = 1 - in.b55x * mc5 * mc5;
        const double mc5x = mc4 * std::sqrt(tr5 * tt5x / tt5) / pit / pi55x;
        const double pt5xp0 = pit * burner.pib * pic * pi33x * pi55x * pid;
        const double pie = 1 - in.z2 * mc5x * mc5x;
        errN = 1 / pie - pt5xp0;
        Check(std::isfinite(errN));

        r.mc1 = mc1;
        r.mc2 = mc2;
        r.pic = pic;
        r.etac = etac;
        r.mc3 = mc3;
        r.tt3 = tt3;
        r.tt4 = tt4;
        r.mc4 = mc4;
        r.nc4 = nc4;
        r.pit = pit;
        r.etat = etat;
        r.mc5 = mc5;
        r.m = m;
        r.n = n;
        r.tt3x = tt3x;
        r.tt5x = tt5x;
        r.pi33x = pi33x;
        r.pi55x = pi55x;
        r.pie = pie;
        r.picSurge = maps::SurgePressureRatio(in.comp, mc2);
        if (std::fabs(errN) < kSpeedTolerance) break;

      } catch (const NoMatch&) {
        // A speed step that leaves the maps: back up halfway to the last
        // speed that matched, and go on from there.
        if (kS == 0 || ++halvings > kSpeedHalvings) throw;
        tt3 = saved.tt3;
        tt4 = saved.tt4;
        pitPrev = saved.pitPrev;
        etat = saved.etat;
        mc1 = saved.mc1;
        tt5 = saved.tt5;
        nc2 = static_cast<float>((nPrev + nc2) / 2);
        continue;
      }
      halvings = 0;
      const double candidate = (errN * nPrev - errNPrev * nc2) / (errN - errNPrev);
      nPrev = nc2;
      errNPrev = errN;
      if (kS == 0) {
        nc2 = static_cast<float>(nc2 + 10.0);
      } else {
        Check(std::isfinite(candidate));
        nc2 = static_cast<float>(candidate);
      }
    }
    r.power = in.z3 * std::pow(r.n, in.z4);
    r.efficiency = r.power * kHpBtu / (in.burn.h * f) / r.m;
    r.sfc = f * r.m * 3600 / r.power;
    Check(std::isfinite(r.power) && std::isfinite(r.efficiency) && std::isfinite(r.sfc));
  } catch (const NoMatch&) {
    GtResult zero;  // every result 0, Nc2 and Tt5 too
    zero.turbinePasses = turbinePasses;
    return zero;
  }
  r.converged = true;
  r.turbinePasses = turbinePasses;
  r.nc2 = nc2;
  r.tt5 = tt5;
  r.surged = r.pic > r.picSurge;
  r.regenWarm = tt5 < r.tt3;
  return r;
}

}  // namespace shaftfit
