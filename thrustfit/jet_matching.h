// The operating point of a single-spool turbojet from its component maps:
// the flow the turbine swallows at a speed, the speed at which the nozzle
// passes that flow, and the flight Mach number of thrust-drag balance.
#pragma once

#include <string>
#include <vector>

#include "lib/engine_maps/component_maps.h"

namespace thrustfit {

enum class Mode { GasGenerator, Engine, Airframe };  // "g", "e", "f"

struct JetInputs {
  Mode mode = Mode::Engine;
  engine_maps::Compressor comp;
  engine_maps::Burner burn;
  engine_maps::Turbine turb;
  float s1 = 0, s2 = 0;
  float f = 0;
  float pidd = 0, mn = 0, a = 0;
  double etand = 0;
  std::string nozzle;  // "c", "cd1" or "cd2"
  double tt2 = 0;      // gas generator inlet
  float p0 = 0, t0 = 0;
  double d1 = 0;  // airframe drag at Mach 1
  float engines = 0;
  float nc2 = 0;  // starting corrected speed
  float m0 = 0;   // flight (or starting) Mach number
};

struct JetResult {
  bool converged = false;
  bool surged = false;
  float nc2 = 0, m0 = 0;
  double thrust = 0, tsfc = 0, ndThrust = 0;
  double mc2 = 0, pic = 0, etac = 0;
  double mc3 = 0, pib = 0, etab = 0, tt4 = 0;
  double mc4 = 0, nc4 = 0, pit = 0, etat = 0;
  double m8 = 0, etan = 0, mc5 = 0;
  double m = 0, n = 0;
  double picSurge = 0;
  long turbinePasses = 0;  // of the whole match, settled or not
};

// Every flow pass as it starts, for a look inside the iteration.
struct FlowPass {
  float nc2;
  double mc2;
  double m0;
};

// Pass bounds of the four loops. Over a wide sweep of inputs the matches
// that settle needed at most about 1,850 turbine, 50 flow, 1,160 speed and
// 96 Mach passes; the ones that do not settle wander or oscillate for ever.
inline constexpr int kTurbinePasses = 20000;
inline constexpr int kFlowPasses = 500;
inline constexpr int kSpeedPasses = 5000;
inline constexpr int kMachPasses = 1000;
// A speed step that leaves the maps (past choke, too little turbine work) is
// halved back toward the last matched speed at most this often in a row.
inline constexpr int kSpeedHalvings = 30;
// The loops nest four deep, so their own bounds allow far more work than a
// handler may take: the turbine passes of one whole match are bounded too.
// Unbounded, unsettled matches ran up to 22 s; the dearest match that
// settled in sweeps of 42,000 inputs needed 3,818,320 turbine passes. A pass
// costs about 0.13 us, so the bound ends a match within about 0.8 s.
inline constexpr long kMatchTurbinePasses = 6000000;

JetResult MatchJet(const JetInputs& in, std::vector<FlowPass>* trace = nullptr);

}  // namespace thrustfit
