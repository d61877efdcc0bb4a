// Design point of a stationary single-shaft gas turbine with an optional
// regenerator: net shaft power, thermal efficiency, fuel consumption and heat
// rate, ideal or real, with constant or temperature-dependent properties.
#pragma once

namespace shaftdeck {

// What the window reads, as Singles, already fixed for the chosen analysis
// by PrepareInputs.
struct CycleInputs {
  float p0 = 0, t0 = 0, alt = 0, gmcn = 0, etd = 0, pic = 0, etc = 0, pib = 0, etb = 0;
  float tt4 = 0, h = 0, ma = 0, ett = 0, etrg = 0, pirg3 = 0, pirg5 = 0, pin = 0, etm = 0;
  bool real = true;           // "R": real analysis
  bool standardAir = true;    // ambient state from the one-layer atmosphere
  bool constantGas = false;   // constant cp and gamma
  bool regenerator = false;
};

// The ideal analysis makes every loss 1 and the properties constant (the
// regenerator effectiveness stays as typed); without a regenerator its
// pressure ratios are 1 and its effectiveness 0; the standard atmosphere
// replaces the typed ambient state.
void PrepareInputs(CycleInputs& in);

// The one-layer atmosphere of this program, used at every altitude.
struct Ambient {
  float t0, p0;
};
Ambient OneLayerAtmosphere(float alt);

// Turbine temperatures that each calculation starts from: what the last one
// left (0 after start).
struct TurbineCarry {
  float tt5 = 0, tt5a = 0, tt5x = 0;
};

struct CycleResult {
  float tt2 = 0, pt0 = 0, pt2 = 0, pt3 = 0, tt3 = 0, gmc = 0, cpc = 0;
  float tt3x = 0, pt3x = 0, cprg3 = 0, cprg5 = 0, tt5x = 0, pt4 = 0, cpb = 0, mfu = 0;
  float pt5 = 0, gmt = 0, cpt = 0, tt5 = 0, tt5a = 0;
  float pt5x = 0;  // exhaust gas after the regenerator (psia)
  float pow = 0;   // hp
  float efth = 0;  // fraction
  float sfc = 0;   // lbm/(hp·hr)
  float hrt = 0;   // BTU/(hp·hr)
  int passes = 0;  // of the regenerator and turbine loop
  bool regeneratorCools = false;  // regenerator on and Tt5 < Tt3
};

// Passes of the regenerator and turbine loop before it counts as unsettled.
inline constexpr int kLoopBound = 100;

// The cycle from inlet to exhaust. carry is read at the start and holds the
// turbine temperatures of this calculation at the end. Throws
// core::Failure when the loop does not settle within its bound.
CycleResult RunCycle(const CycleInputs& in, TurbineCarry& carry);

}  // namespace shaftdeck
