#include "thrustdeck/cycle.h"

#include <cfloat>
#include <cmath>

#include "core/failure.h"
#include "lib/atmosphere/standard_atmosphere.h"
#include "lib/gas/gas_properties.h"
#include "lib/mathfn/mathfn.h"

namespace thrustdeck {
namespace {

// Stores a Double as a Single; a value that is not a finite Single means a
// division by zero, an undefined power or an overflow somewhere before it.
float Put(double value, const char* what) {
  if (!(std::fabs(value) <= FLT_MAX))
    throw core::Failure(std::string("Cannot compute the ") + what +
                         ": division by zero or undefined power");
  return static_cast<float>(value);
}

// An input that the next step divides by.
void Divisor(double value, const char* box) {
  if (value == 0) throw core::Failure(std::string(box) + " must not be 0");
}

// A mean of two stations, rounded to Single before the property rule sees it.
double Mean(float a, float b) { return static_cast<float>((static_cast<double>(a) + b) / 2); }

// Compressor or fan exit temperature for a pressure ratio and efficiency.
double Compressed(float ratio, float gamma, float efficiency, float inlet) {
  const double g = gamma;
  return ((mathfn::pow(ratio, (g - 1) / g) - 1) / efficiency + 1) * inlet;
}

// Property passes of one bisection round at most; they settle in a few, or
// end up stepping between two neighbouring Singles.
constexpr int kSettlePasses = 50;
// Halvings of a fan ratio bracket: halving the widest bracket of positive
// Singles comes down to two neighbours in fewer than 280.
constexpr int kBisectSteps = 300;

// Duct and turbine exit pressures that meet to 0.0001 psia, or as closely as
// Singles of their size can (a few units in the last place).
bool Balanced(float gap, float pt5) {
  return std::fabs(gap) < 0.0001f || std::fabs(gap) <= 1e-5f * std::fabs(pt5);
}

// One nozzle, primary or fan: choked at the critical pressure (a convergent
// nozzle, where ambient is below it) or expanded to ambient, then the jet it
// gives. The stations are the cycle's own.
struct Nozzle {
  struct Stations {
    float &cp, &gamma, &pstr, &ti, &t, &p, &u, &ro, &a;
  };
  const char* name;           // "primary" or "fan", in the failure messages
  const char* efficiencyBox;  // the box of its efficiency
  bool convergent;
  float tt, pt, et;
  Stations n;

  float Put(double value, const char* part, const char* what) const {
    return thrustdeck::Put(value, (std::string(name) + part + what).c_str());
  }

  // The exit state from the gas at the nozzle's total temperature; true
  // where the nozzle chokes.
  bool Exit(const gas::WideGas& gas, float p0) {
    n.cp = Put(gas.cp, " nozzle ", "cp");
    n.gamma = Put(gas.gamma, " nozzle ", "gamma");
    const double g = n.gamma;
    if (convergent) {
      Divisor(et, efficiencyBox);
      n.pstr = Put(pt * mathfn::pow(1 + (1 - g) / et / (1 + g), g / (g - 1)), " nozzle ",
                   "choking pressure");
      if (p0 <= n.pstr) {
        n.t = Put(tt / (1 + (g - 1) / 2), " nozzle ", "exit temperature");
        n.p = n.pstr;
        return true;
      }
    }
    n.p = p0;
    n.ti = Put(tt * mathfn::pow(static_cast<double>(n.p) / pt, (g - 1) / g), " nozzle ",
               "isentropic exit temperature");
    n.t = Put(tt - et * (static_cast<double>(tt) - n.ti), " nozzle ", "exit temperature");
    return false;
  }

  // Jet velocity, exit density and the exit area that passes the flow.
  void Jet(double flow) {
    n.u = Put(mathfn::pow(2 * n.cp * (static_cast<double>(tt) - n.t) * 32.17 * 778.16, 0.5), " jet ",
              "velocity");
    n.ro = Put(static_cast<double>(n.p) / n.t / 53.35 / 32.17 * 144, " exit ", "density");
    n.a = Put(flow / n.ro / n.u / 32.17 * 144, " exit ", "area");
  }
};

class Run {
 public:
  explicit Run(CycleState& s) : s(s) {}
  Outcome Go();

 private:
  gas::WideGas Props(double t) const {
    return s.igcs == "n" ? gas::VariableGasWide(t) : gas::ConstantGasWide(s.gmcn);
  }
  void Prepare();
  void InletToBurner();
  bool PowerBalance();  // false: impossible design
  // One round of fan, duct and turbine at the current fan ratio; false when
  // the turbine cannot deliver. settle: passes until the temperatures stay.
  bool Round(bool settle, float& gap);
  bool Bisect(float lo, float hi);
  double CompressorWork() const;
  void Mixer();
  bool Nozzles();       // false: impossible design
  void Thrust();

  CycleState& s;
  double cpd = 0;    // diffuser cp
  double gmbar = 0;  // gamma at the mean of burner exit and free stream
  double ms = 0;     // fan stream flow
  double n = 3;      // property passes of the fan, turbine and mixer loops
};

void Run::Prepare() {
  s.ir = s.irs == "R" ? 1 : 0;
  if (s.ir == 0) {
    // The ideal cycle: no losses, constant properties, full expansion.
    s.etd = s.etc = s.pib = s.etb = s.etf = s.etm = s.ett = 1;
    s.pip = s.pim = s.etab = s.piab = s.etn = s.etfn = s.etp = 1;
    s.igcs = "y";
    s.inozs = s.inofs = "cd";
  }
  if (s.igcs != "n" && s.gmcn == 1)
    throw core::Failure("gamma must not be 1: cp would be infinite");
  if (s.SAs != "n") {
    const atmosphere::AirState air = atmosphere::StandardAtmosphere(s.alt);
    s.t0 = air.t;
    s.p0 = air.p;
  }
  s.iab = s.iabs == "y" ? 1 : 0;
  if (s.pic < 1.001f) {  // no compressor: nothing can drive fan, propeller or mixing
    s.al = s.wc = s.sg = 0;
    s.iab = 0;
    s.pim = s.pip = 1;
  }
  if (s.al < 0.001f) {  // no fan
    s.sg = 0;
    s.pim = s.pip = s.pif = 1;
  }
  if (s.sg < 0.0001f) s.pim = 1;
  s.inoz = s.inozs == "cd" ? 1 : 0;
  s.inof = s.inofs == "cd" ? 1 : 0;
}

void Run::InletToBurner() {
  const gas::WideGas ambient = Props(s.t0);
  s.gm0 = Put(ambient.gamma, "ambient gamma");
  s.cp0 = Put(ambient.cp, "ambient cp");
  s.a0 = Put(gas::SoundSpeed(s.gm0, s.t0), "speed of sound");
  s.u0 = Put(static_cast<double>(s.a0) * s.m0, "flight speed");

  // Ram rise, with the diffuser gamma taken at the total temperature.
  const double m2 = static_cast<double>(s.m0) * s.m0;
  double t = (1 + 0.19999999999999996 * m2) * s.t0;
  for (int pass = 1; pass <= 3; ++pass) {
    const gas::WideGas d = Props(t);
    s.gmd = Put(d.gamma, "diffuser gamma");
    cpd = d.cp;
    s.tt0 = Put((1 + (s.gmd - 1.0) / 2 * m2) * s.t0, "free-stream total temperature");
    t = s.tt0;
  }
  s.tt2 = s.tt0;
  const double gd = s.gmd;
  const double pta = mathfn::pow(static_cast<double>(s.tt0) / s.t0, gd / (gd - 1)) * s.p0;
  s.pt2 = Put(s.etd * pta, "diffuser exit pressure");
  // Only the charts read it: a value beyond a Single shows there, not here.
  s.pt0 = static_cast<float>(pta);

  gmbar = Props(Mean(s.tt4, s.tt0)).gamma;

  s.pt3 = Put(static_cast<double>(s.pic) * s.pt2, "compressor exit pressure");
  s.gmc = Put(s.gmd - 0.02, "compressor gamma");
  Divisor(s.etc, "Compressor efficiency");
  s.tt3 = Put(Compressed(s.pic, s.gmc, s.etc, s.tt2), "compressor exit temperature");
  for (int pass = 1; pass <= 3; ++pass) {
    const gas::WideGas c = Props(Mean(s.tt2, s.tt3));
    s.cpc = Put(c.cp, "compressor cp");
    s.gmc = Put(c.gamma, "compressor gamma");
    s.tt3 = Put(Compressed(s.pic, s.gmc, s.etc, s.tt2), "compressor exit temperature");
  }

  s.pt4 = Put(static_cast<double>(s.pt3) * s.pib, "burner exit pressure");
  s.cpb = Put(Props(Mean(s.tt3, s.tt4)).cp, "burner cp");
  s.mfu = Put(s.cpb * static_cast<double>(s.ma) * (static_cast<double>(s.tt4) - s.tt3) /
                  (static_cast<double>(s.h) * s.etb - static_cast<double>(s.tt4) * s.cpb),
              "fuel flow");
  Divisor(s.ma, "Core air flow rate");
  s.f = Put(static_cast<double>(s.mfu) / s.ma, "fuel-air ratio");
  if (s.ir == 0) s.mfu = s.f = 0;  // the ideal fuel flow comes after the thrust
}

bool Run::PowerBalance() {
  if (s.sg >= 0.001f) {
    // Mixed fan air: the fan pressure ratio is found by the balance below,
    // starting from the ideal guess; two property passes per round suffice.
    const double taur = static_cast<double>(s.tt0) / s.t0;
    const double taul = static_cast<double>(s.tt4) / s.t0;
    const double tauc = static_cast<double>(s.tt3) / s.tt2;
    const float tauf =
        Put((taur * (1 + s.al - tauc) + taul) / (taul / tauc + s.al * taur), "fan temperature ratio");
    const double guess = mathfn::pow(static_cast<double>(s.etf) * s.etc * s.pib * s.ett, 0.9) *
                         mathfn::pow(tauf, gmbar / (gmbar - 1));
    // A high compressor ratio on a small fan can make the guess undefined;
    // the balance then starts from the typed ratio instead.
    if (guess > 0 && guess <= FLT_MAX) s.pif = static_cast<float>(guess);
    n = 1 + 3.0 / 2;
  }
  s.passes = 0;
  for (int pass = 1; pass <= n; ++pass) ++s.passes;

  ms = static_cast<double>(s.al) * s.ma;
  Divisor(s.etf, "Fan efficiency");
  s.tt7 = Put(Compressed(s.pif, s.gmd, s.etf, s.tt2), "fan exit temperature");
  Divisor(s.etm, "Shaft mechanical efficiency");
  s.tt5 = Put(s.tt4 - (CompressorWork() + ms * cpd * (static_cast<double>(s.tt7) - s.tt2)) /
                          (0.27 * (static_cast<double>(s.mfu) + s.ma) * s.etm),
              "turbine exit temperature");
  Divisor(s.ett, "Turbine efficiency");

  // Fan ratios known to leave the duct below (lo) and above (hi) the turbine.
  float lo = 0, hi = 0;
  for (s.iterations = 1; s.iterations <= kMaxBalanceIterations; ++s.iterations) {
    float gap = 0;
    if (!Round(false, gap)) return false;
    if (s.sg < 0.001f) return true;
    if (std::fabs(gap) < 0.0001f) return true;
    (gap < 0 ? lo : hi) = s.pif;
    // Duct exit pressure set to the flow-weighted mean of duct and turbine.
    const double w = static_cast<double>(s.sg) * s.al;
    const double next =
        ((w * s.pt75 / s.pt2 + static_cast<double>(s.pt5) / s.pt2) / (w + 1)) / s.pip;
    if (!(next > 0 && next <= FLT_MAX)) break;
    // A ratio that rounds back to itself is as balanced as a Single can be,
    // unless the mixed fan air outweighs the core so far that the mean
    // cannot move off the duct pressure: then bisection looks for the balance.
    if (static_cast<float>(next) == s.pif) {
      if (Balanced(gap, s.pt5)) return true;
      break;
    }
    s.pif = static_cast<float>(next);
  }
  // The rounds oscillate about the balance without reaching it (or run off):
  // bisect between the ratios they bracketed it with.
  if (lo == 0 || hi == 0)
    throw core::Failure(
        "The fan pressure ratio does not settle: no power balance of fan and turbine found");
  return Bisect(lo, hi);
}

double Run::CompressorWork() const {
  return s.cpc * static_cast<double>(s.ma) * (static_cast<double>(s.tt3) - s.tt2);
}

bool Run::Round(bool settle, float& gap) {
  s.mm = ms * s.sg;
  s.mfe = Put(ms - s.mm, "fan nozzle flow");
  s.pt7 = Put(static_cast<double>(s.pt2) * s.pif, "fan exit pressure");
  // Property passes: n of them, or (bisecting) until the temperature stays.
  const double passes = settle ? kSettlePasses : n;
  for (int pass = 1; pass <= passes; ++pass) {
    const gas::WideGas fan = Props(Mean(s.tt7, s.tt2));
    s.cpf = Put(fan.cp, "fan cp");
    s.gmf = Put(fan.gamma, "fan gamma");
    const float before = s.tt7;
    s.tt7 = Put(Compressed(s.pif, s.gmf, s.etf, s.tt2), "fan exit temperature");
    if (settle && s.tt7 == before) break;
  }
  s.pt75 = Put(static_cast<double>(s.pt7) * s.pip, "duct exit pressure");
  s.tt75 = s.tt7;

  const double propellerWork = static_cast<double>(s.wc) * s.ma * s.cp0 * s.t0;
  for (int pass = 1; pass <= passes; ++pass) {
    const gas::WideGas turbine = Props(Mean(s.tt5, s.tt4));
    s.gmt = Put(turbine.gamma, "turbine gamma");
    s.cpt = Put(turbine.cp, "turbine cp");
    const double fanWork = ms * s.cpf * (static_cast<double>(s.tt7) - s.tt2);
    const float before = s.tt5;
    s.tt5 = Put(s.tt4 - (CompressorWork() + fanWork + propellerWork) /
                            ((static_cast<double>(s.mfu) + s.ma) * s.etm * s.cpt),
                "turbine exit temperature");
    if (settle && s.tt5 == before) break;
  }

  // The isentropic turbine exit temperature must stay positive.
  const double drop = (1 - static_cast<double>(s.tt5) / s.tt4) / s.ett;
  const float x = Put(drop, "turbine temperature ratio");
  if (x > 1 || 1 - drop < 0) return false;
  const double gt = s.gmt;
  s.pt5 = Put(mathfn::pow(1 - drop, gt / (gt - 1)) * s.pt4, "turbine exit pressure");
  gap = s.pt75 - s.pt5;
  return true;
}

bool Run::Bisect(float lo, float hi) {
  const float tt5 = s.tt5, tt7 = s.tt7;
  float best = 0, bestGap = FLT_MAX;
  // One settled round at a trial ratio; false when the turbine cannot deliver.
  auto trial = [&](float pif, float& gap) {
    s.pif = pif;
    s.tt5 = tt5;
    s.tt7 = tt7;
    const bool possible = Round(true, gap);
    if (possible && std::fabs(gap) < bestGap) {
      best = pif;
      bestGap = std::fabs(gap);
    }
    return possible;
  };
  float gap = 0;
  trial(lo, gap);
  trial(hi, gap);
  for (int step = 0; step < kBisectSteps && bestGap >= 0.0001f; ++step) {
    const float mid = static_cast<float>((static_cast<double>(lo) + hi) / 2);
    if (mid == lo || mid == hi) break;  // down to adjacent Singles
    const bool possible = trial(mid, gap);
    // Too much fan work for the turbine counts as a ratio too high.
    (possible && gap < 0 ? lo : hi) = mid;
  }
  // Where no Single ratio meets 0.0001 psia, the closest one is the balance,
  // as long as duct and turbine meet there: a bracket that closes on a jump
  // (where the turbine stops delivering) holds none.
  if (bestGap == FLT_MAX) return false;
  if (!trial(best, gap)) return false;
  if (!Balanced(gap, s.pt5))
    throw core::Failure(
        "The fan pressure ratio does not settle: no power balance of fan and turbine found");
  return true;
}

void Run::Mixer() {
  const double w = static_cast<double>(s.sg) * s.al;
  s.tt55 = Put((w * s.tt75 + s.tt5) / (w + 1), "mixer exit temperature");
  for (int pass = 1; pass <= n; ++pass) {
    s.cpmp = Put(Props(Mean(s.tt5, s.tt55)).cp, "mixer core cp");
    s.cpmf = Put(Props(Mean(s.tt75, s.tt55)).cp, "mixer fan cp");
    const double w1 = w * s.cpmf;
    const double w2 = (1 + static_cast<double>(s.f)) * s.cpmp;
    s.tt55 = Put((w1 * s.tt75 + w2 * s.tt5) / (w1 + w2), "mixer exit temperature");
  }
  s.pt55 = Put(static_cast<double>(s.pt5) * s.pim, "mixer exit pressure");
}

bool Run::Nozzles() {
  if (s.iab == 1) {
    if (s.tt6 < 0.001f) s.tt6 = s.tt55;  // afterburner off: only its loss remains
    s.cpab = Put(Props(Mean(s.tt6, s.tt55)).cp, "afterburner cp");
    s.mfuab = Put((s.mfu + static_cast<double>(s.ma) + s.mm) * s.cpab *
                      (static_cast<double>(s.tt6) - s.tt55) /
                      (static_cast<double>(s.etab) * s.h - static_cast<double>(s.cpab) * s.tt6),
                  "afterburner fuel flow");
    if (s.ir == 0) s.mfuab = 0;
    s.pt6 = Put(static_cast<double>(s.piab) * s.pt55, "afterburner exit pressure");
  } else {
    s.pt6 = s.pt55;
    s.tt6 = s.tt55;
    s.cpab = 0;
    s.mfuab = 0;  // no afterburner fuel left over from an earlier calculation
  }

  // The primary nozzle takes the afterburner exit state.
  const double core = s.ma + s.mm + s.mfu + s.mfuab;
  Nozzle primary{"primary", "Primary nozzle efficiency", s.inoz != 1, s.tt6, s.pt6, s.etn,
                 {s.cpn, s.gmn, s.pstr, s.t8i, s.t8, s.p8, s.u8, s.ro8, s.a8}};
  const bool choked = primary.Exit(Props(s.tt6), s.p0);
  if (!choked && s.t8 > s.tt6) return false;  // ambient above the nozzle total pressure
  primary.Jet(core);

  if (s.mfe >= 0.01f) {
    // The fan nozzle takes the fan exit state; the duct loss is the mixed stream's.
    Nozzle fan{"fan", "Fan nozzle efficiency", s.inof != 1, s.tt7, s.pt7, s.etfn,
               {s.cpfn, s.gmfn, s.pstrf, s.t9i, s.t9, s.p9, s.u9, s.ro9, s.a9}};
    fan.Exit(Props(s.tt7), s.p0);
    fan.Jet(s.mfe);
  } else {
    s.gmfn = s.cpfn = s.u9 = s.p9 = s.t9 = s.ro9 = s.a9 = s.pstrf = 0;
  }
  return true;
}

void Run::Thrust() {
  const double core = s.ma + s.mm + s.mfu + s.mfuab;
  const double air = s.ma + s.mm;
  s.ff = Put(core * s.u8 / 32.17 - air * s.u0 / 32.17 +
                 (static_cast<double>(s.p8) - s.p0) * s.a8,
             "thrust");
  s.ff = Put(s.ff + static_cast<double>(s.u9) * s.mfe / 32.17 -
                 static_cast<double>(s.u0) * s.mfe / 32.17 + (static_cast<double>(s.p9) - s.p0) * s.a9,
             "thrust");
  // Propeller thrust is its power over the flight speed; at rest it is
  // taken at a vanishing speed rather than divided by zero.
  if (s.u0 == 0) s.u0 = 0.0000001f;
  s.ff = Put(s.ff + static_cast<double>(s.etp) * s.wc * s.cp0 * s.t0 * s.ma / s.u0 * 778.16,
             "thrust");
  s.ffnd = Put(static_cast<double>(s.ff) * 32.17 / s.ma / (s.al + 1.0) / s.a0,
               "non-dimensional thrust");

  if (s.ir == 0) {
    s.mfu = Put((static_cast<double>(s.tt4) - s.tt3) * s.cpb * s.ma / s.h, "ideal fuel flow");
    s.f = Put(static_cast<double>(s.mfu) / s.ma, "fuel-air ratio");
    s.mfuab = Put(air * s.cpab * (static_cast<double>(s.tt6) - s.tt55) / s.h,
                  "ideal afterburner fuel flow");
  }
  s.tsfc = Put((static_cast<double>(s.mfuab) + s.mfu) / s.ff * 3600, "fuel consumption");
}

Outcome Run::Go() {
  Prepare();
  InletToBurner();
  if (!PowerBalance()) return Outcome::Impossible;
  Mixer();
  if (!Nozzles()) return Outcome::Impossible;
  Thrust();
  return Outcome::Done;
}

}  // namespace

Outcome RunCycle(const CycleInputs& in, CycleState& s) {
  s.p0 = in.p0, s.t0 = in.t0, s.alt = in.alt, s.m0 = in.m0, s.gmcn = in.gmcn;
  s.etd = in.etd, s.pic = in.pic, s.etc = in.etc, s.pib = in.pib, s.etb = in.etb;
  s.tt4 = in.tt4, s.h = in.h, s.ma = in.ma, s.ett = in.ett;
  s.al = in.al, s.etf = in.etf, s.sg = in.sg, s.pif = in.pif, s.pip = in.pip, s.pim = in.pim;
  s.wc = in.wc, s.etp = in.etp, s.etm = in.etm;
  s.tt6 = in.tt6, s.etab = in.etab, s.piab = in.piab, s.etn = in.etn, s.etfn = in.etfn;
  s.irs = in.irs, s.SAs = in.SAs, s.igcs = in.igcs, s.iabs = in.iabs;
  s.inozs = in.inozs, s.inofs = in.inofs;
  const Outcome outcome = Run(s).Go();
  if (outcome == Outcome::Impossible) s.ff = s.ffnd = s.tsfc = 0;
  return outcome;
}

}  // namespace thrustdeck
