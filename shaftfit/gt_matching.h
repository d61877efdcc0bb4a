// The operating point of a single-shaft power gas turbine from its component
// maps: the compressor flow the turbine swallows, and the shaft speed at
// which the exhaust leaves at ambient pressure while the load takes its
// speed-dependent power.
#pragma once

#include <functional>
#include <string>

#include "lib/engine_maps/component_maps.h"

namespace shaftfit {

struct GtInputs {
  engine_maps::Compressor comp;  // mu as the window's Single
  engine_maps::Burner burn;
  engine_maps::Turbine turb;
  float s1 = 0, s2 = 0;
  float z1 = 0, z2 = 0, z3 = 0, z4 = 0;  // inlet, exhaust, load
  float f = 0, p0 = 0, t0 = 0;
  // Regenerator; all 0 for none.
  float effectiveness = 0, b33x = 0, b55x = 0;
  float tt5 = 0;  // starting turbine exit temperature
  float nc2 = 0;  // starting corrected speed
  float mc1 = 0;  // starting corrected inlet flow
};

struct GtResult {
  bool converged = false;
  bool surged = false;
  bool regenWarm = false;  // Tt5 below Tt3: the regenerator would heat the exhaust
  float nc2 = 0, tt5 = 0;
  double mc1 = 0, mc2 = 0, pic = 0, etac = 0;
  double mc3 = 0, tt3 = 0, tt4 = 0;
  double mc4 = 0, nc4 = 0, pit = 0, etat = 0, mc5 = 0;
  double power = 0, efficiency = 0, sfc = 0, m = 0, n = 0;
  // Inside the regenerator and the exhaust, for a look at the stations.
  double tt3x = 0, tt5x = 0, pi33x = 0, pi55x = 0, pie = 0, picSurge = 0;
  long turbinePasses = 0;  // of the whole match, settled or not
};

// Every flow pass as it starts.
struct GtPass {
  float nc2;
  double mc1, mc2;
};

struct GtWatch {
  std::function<void(double)> turbineRatio;  // Tt5/Tt4 of every turbine pass
  std::vector<GtPass>* trace = nullptr;
};

// Pass bounds of the three loops. Over a wide sweep of inputs the matches
// that settle needed at most about 50 turbine, 61 flow and 4,120 speed
// passes.
inline constexpr int kTurbinePasses = 20000;
inline constexpr int kFlowPasses = 500;
inline constexpr int kSpeedPasses = 10000;
// A speed step that leaves the maps is halved back toward the last matched
// speed at most this often in a row.
inline constexpr int kSpeedHalvings = 30;
// The loops nest three deep, so their own bounds allow far more work than a
// handler may take: the turbine passes of one whole match are bounded too.
// Sweeps of 7,000 inputs settled within 16,117 turbine passes; unsettled
// ones stopped on their own bounds within 357,000. A pass costs about 0.6 us
// with its ratio shown, so the bound keeps a match well inside a second.
inline constexpr long kMatchTurbinePasses = 1000000;

GtResult MatchGt(const GtInputs& in, const GtWatch& watch = {});

}  // namespace shaftfit
