// On-design cycle of a ramjet, turbojet, turbofan or turboprop: inlet,
// compressor, burner, fan and turbine in power balance, mixer, afterburner,
// nozzles, thrust and fuel consumption. English units: psia, degR, lbm/s,
// BTU/lbm, ft/s, lbf.
//
// Every station value is a Single, rounded where it is stored; the
// arithmetic between stores is Double.
#pragma once

#include <cstdint>
#include <string>

namespace thrustdeck {

// What the window hands over: the boxes as read (with the list-driven
// overrides already applied to pic, sg, al, wc, tt6 and iabs) and the choice
// texts of the lists.
struct CycleInputs {
  float p0 = 0, t0 = 0, alt = 0, m0 = 0, gmcn = 0;
  float etd = 0, pic = 0, etc = 0, pib = 0, etb = 0;
  float tt4 = 0, h = 0, ma = 0, ett = 0;
  float al = 0, etf = 0, sg = 0, pif = 0, pip = 0, pim = 0;
  float wc = 0, etp = 0, etm = 0;
  float tt6 = 0, etab = 0, piab = 0, etn = 0, etfn = 0;
  std::string irs, SAs, igcs, iabs, inozs, inofs;
};

// Everything the calculation stores, kept from one calculation to the next.
struct CycleState {
  // Inputs as the calculation fixed them.
  float p0 = 0, t0 = 0, alt = 0, m0 = 0, gmcn = 0;
  float etd = 0, pic = 0, etc = 0, pib = 0, etb = 0;
  float tt4 = 0, h = 0, ma = 0, ett = 0;
  float al = 0, etf = 0, sg = 0, pif = 0, pip = 0, pim = 0;
  float wc = 0, etp = 0, etm = 0;
  float tt6 = 0, etab = 0, piab = 0, etn = 0, etfn = 0;
  std::string irs, SAs, igcs, iabs, inozs, inofs;
  std::int16_t ir = 0, iab = 0, inoz = 0, inof = 0;

  // Ambient and inlet.
  float gm0 = 0, cp0 = 0, a0 = 0, u0 = 0;
  float gmd = 0, tt0 = 0, tt2 = 0, pt2 = 0;
  float pt0 = 0;  // free-stream total pressure, kept as a Single for the charts
  // Core.
  float gmc = 0, cpc = 0, tt3 = 0, pt3 = 0;
  float cpb = 0, pt4 = 0, mfu = 0, f = 0;
  float gmt = 0, cpt = 0, tt5 = 0, pt5 = 0;
  // Fan stream.
  float gmf = 0, cpf = 0, tt7 = 0, pt7 = 0;
  float tt75 = 0, pt75 = 0, mfe = 0;
  double mm = 0;  // fan air mixed into the core (lbm/s)
  // Mixer and afterburner.
  float cpmp = 0, cpmf = 0, tt55 = 0, pt55 = 0;
  float cpab = 0, mfuab = 0, pt6 = 0;
  // Primary nozzle.
  float gmn = 0, cpn = 0, pstr = 0, t8i = 0, t8 = 0, p8 = 0, u8 = 0, ro8 = 0, a8 = 0;
  // Fan nozzle.
  float gmfn = 0, cpfn = 0, pstrf = 0, t9i = 0, t9 = 0, p9 = 0, u9 = 0, ro9 = 0, a9 = 0;
  // Results.
  float ff = 0, ffnd = 0, tsfc = 0;

  // How the calculation went, for inspection.
  int passes = 0;      // property passes of the fan, turbine and mixer loops
  int iterations = 0;  // rounds of the power balance
};

enum class Outcome {
  Done,        // ff, ffnd and tsfc hold the results
  Impossible,  // the turbine cannot drive compressor, fan and propeller
};

// Rounds of the power balance before it counts as not settling. The mixed
// turbofans that settle at all need far fewer (see the tests).
inline constexpr int kMaxBalanceIterations = 2000;

// Runs one calculation into state. A division by zero, an undefined power
// or a power balance that does not settle throws core::Failure; state may
// then hold a partial calculation.
Outcome RunCycle(const CycleInputs& in, CycleState& state);

}  // namespace thrustdeck
