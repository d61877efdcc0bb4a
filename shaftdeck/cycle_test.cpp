#include "shaftdeck/cycle.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/failure.h"

namespace shaftdeck {
namespace {

CycleInputs Defaults() {
  CycleInputs in;
  in.p0 = 14.69f, in.t0 = 518.7f, in.alt = 0, in.gmcn = 1.4f, in.etd = 0.98f, in.pic = 18;
  in.etc = 0.88f, in.pib = 0.96f, in.etb = 0.96f, in.tt4 = 2620, in.h = 18400, in.ma = 147;
  in.ett = 0.915f, in.etrg = 0.75f, in.pirg3 = 0.99f, in.pirg5 = 0.99f, in.pin = 0.93f;
  in.etm = 0.98f;
  return in;
}

CycleResult Calculate(CycleInputs in) {
  PrepareInputs(in);
  TurbineCarry carry;
  return RunCycle(in, carry);
}

TEST(shaftdeckAtmosphere, SeaLevelAndAltitude) {
  struct Case {
    float alt;
    double t0, p0;
  } cases[] = {
      {0, 518.7, 14.69},
      // 518.7 - 35.66; 14.69 * (1 - 35.66/518.7)^5.26
      {10000, 483.04, 10.09981},
      {30000, 411.72, 4.35882},
  };
  for (const Case& c : cases) {
    const Ambient a = OneLayerAtmosphere(c.alt);
    EXPECT_NEAR(a.t0, c.t0, 1e-3) << c.alt;
    EXPECT_NEAR(a.p0, c.p0, 1e-4) << c.alt;
  }
  EXPECT_EQ(OneLayerAtmosphere(0).t0, 518.7f);
  EXPECT_EQ(OneLayerAtmosphere(0).p0, 14.69f);
}

TEST(shaftdeckInputs, IdealRegeneratorAndAtmosphere) {
  CycleInputs in = Defaults();
  in.real = false;
  in.regenerator = true;
  in.constantGas = false;
  in.alt = 5000;
  in.p0 = 1, in.t0 = 1;
  PrepareInputs(in);
  for (float loss : {in.etd, in.etc, in.pib, in.etb, in.etm, in.ett, in.pirg3, in.pirg5, in.pin})
    EXPECT_EQ(loss, 1.0f);
  EXPECT_TRUE(in.constantGas);
  EXPECT_EQ(in.etrg, 0.75f);  // the typed effectiveness stays
  EXPECT_NEAR(in.t0, 518.7 - 17.83, 1e-3);

  CycleInputs off = Defaults();
  off.regenerator = false;
  off.standardAir = false;
  off.p0 = 13, off.t0 = 500, off.alt = 20000;
  PrepareInputs(off);
  EXPECT_EQ(off.etrg, 0.0f);
  EXPECT_EQ(off.pirg3, 1.0f);
  EXPECT_EQ(off.pirg5, 1.0f);
  EXPECT_EQ(off.t0, 500.0f);  // typed ambient state, altitude unused
  EXPECT_EQ(off.p0, 13.0f);
  EXPECT_EQ(off.etd, 0.98f);
}

// The ideal Brayton cycle with gamma 1.4: cp = 0.068559·1.4/0.4, Tt3 = Tt2·πc^(2/7),
// Tt5 = Tt4/πc^(2/7), efficiency 1 - 1/πc^(2/7); with a regenerator the
// burner starts from Tt3 + ε(Tt5 - Tt3).
TEST(shaftdeckCycle, IdealBraytonByHand) {
  struct Case {
    float pic, etrg;
    bool regenerator;
    double efficiency;
    bool cools;
  } cases[] = {
      {18, 0.75f, false, 0.562124, false},
      // Tt3 1184.58, Tt5 1147.24: the regenerator takes heat from the air.
      {18, 0.75f, true, 0.551365, true},
      // Tt3 865.46, Tt5 1570.26, Tt3x 1394.06.
      {6, 0.75f, true, 0.573422, false},
      {6, 0.75f, false, 0.400663, false},
  };
  const double cp = 0.068559 * 1.4 / 0.4;
  for (const Case& c : cases) {
    CycleInputs in = Defaults();
    in.real = false;
    in.pic = c.pic;
    in.etrg = c.etrg;
    in.regenerator = c.regenerator;
    const CycleResult r = Calculate(in);
    const double x = std::pow(static_cast<double>(c.pic), 2.0 / 7);
    const double tt3 = 518.7 * x, tt5 = 2620 / x;
    const double work = cp * ((2620 - tt5) - (tt3 - 518.7));  // BTU per lbm of air
    const double tt3x = c.regenerator ? tt3 + c.etrg * (tt5 - tt3) : tt3;
    const double fuel = (2620 - tt3x) * cp * 147 / 18400;      // lbm/s
    EXPECT_NEAR(r.tt3, tt3, 0.01) << c.pic;
    EXPECT_NEAR(r.tt5, tt5, 0.01) << c.pic;
    EXPECT_NEAR(r.pow, work * 147 * 778.16 / 550, 0.5) << c.pic;
    EXPECT_NEAR(r.mfu, fuel, 1e-5) << c.pic;
    EXPECT_NEAR(r.efth, c.efficiency, 2e-5) << c.pic;
    EXPECT_NEAR(r.hrt, 2544.46386 / c.efficiency, 0.2) << c.pic;  // 550·3600/778.16 over η
    EXPECT_NEAR(r.sfc, 2544.46386 / c.efficiency / 18400, 1e-5) << c.pic;
    EXPECT_EQ(r.regeneratorCools, c.cools) << c.pic;
  }
}

// Real cycles, worked step by step in single precision outside the program.
TEST(shaftdeckCycle, RealCycles) {
  struct Case {
    const char* name;
    bool regenerator, constantGas;
    float pic;
    double pow, efth, sfc, hrt, tt3, tt5;
    bool cools;
  } cases[] = {
      {"defaults", false, false, 18, 31140.07, 0.365611, 0.378233, 6959.48, 1242.865, 1432.667,
       false},
      {"regenerator", true, false, 18, 30649.75, 0.399889, 0.345811, 6362.92, 1242.865, 1438.967,
       false},
      {"regenerator at 40", true, false, 40, 26712.28, 0.324908, 0.425616, 7831.34, 1544.183,
       1210.790, true},
      {"constant gamma", false, true, 18, 27357.33, 0.377444, 0.366375, 6741.31, 1275.385,
       1313.261, false},
  };
  for (const Case& c : cases) {
    CycleInputs in = Defaults();
    in.regenerator = c.regenerator;
    in.constantGas = c.constantGas;
    in.pic = c.pic;
    const CycleResult r = Calculate(in);
    EXPECT_NEAR(r.pow, c.pow, 0.02) << c.name;
    EXPECT_NEAR(r.efth, c.efth, 1e-6) << c.name;
    EXPECT_NEAR(r.sfc, c.sfc, 1e-6) << c.name;
    EXPECT_NEAR(r.hrt, c.hrt, 0.01) << c.name;
    EXPECT_NEAR(r.tt3, c.tt3, 1e-3) << c.name;
    EXPECT_NEAR(r.tt5, c.tt5, 1e-3) << c.name;
    EXPECT_EQ(r.regeneratorCools, c.cools) << c.name;
    if (!c.regenerator) {
      EXPECT_EQ(r.tt3x, r.tt3) << c.name;
      EXPECT_EQ(r.pt3x, r.pt3) << c.name;
    }
  }
}

TEST(shaftdeckCycle, SecondCalculationStartsFromTheFirst) {
  CycleInputs in = Defaults();
  in.regenerator = true;
  PrepareInputs(in);
  TurbineCarry carry;
  const CycleResult first = RunCycle(in, carry);
  EXPECT_EQ(carry.tt5, first.tt5);
  EXPECT_EQ(carry.tt5x, first.tt5x);
  const CycleResult second = RunCycle(in, carry);
  EXPECT_EQ(second.passes, 1);  // already settled
  EXPECT_NEAR(second.pow, first.pow, 0.5);
  EXPECT_NEAR(second.efth, first.efth, 1e-6);
}

TEST(shaftdeckCycle, FailuresDoNotPoisonTheNextCalculation) {
  CycleInputs in = Defaults();
  PrepareInputs(in);
  TurbineCarry carry;
  CycleInputs bad = in;
  bad.pib = -1;  // a negative pressure to a fractional power
  EXPECT_THROW(RunCycle(bad, carry), core::Failure);
  EXPECT_TRUE(std::isfinite(carry.tt5));
  EXPECT_NEAR(RunCycle(in, carry).pow, 31140.07, 0.02);

  CycleInputs noFuel = in;
  noFuel.tt4 = 1242.86475f;  // Tt3 of the defaults: nothing to burn
  noFuel.ma = 0;
  EXPECT_THROW(RunCycle(noFuel, carry), core::Failure);
}

TEST(shaftdeckCycle, RegeneratorLoopSettlesFarInsideItsBound) {
  // The turbine exit temperature settles in the second pass, or the third
  // for a hot burner and a partial regenerator with variable properties;
  // its bound only stops loops that would never settle.
  struct Case {
    float tt4, pic, etrg, ett;
    bool regenerator, constantGas;
  } cases[] = {
      {2620, 18, 0.75f, 0.915f, true, false},
      {6885, 28.4f, 0.3f, 0.85f, true, false},
      {9000, 40, 0.99f, 0.5f, true, false},
      {3411, 2.4f, 0, 1, false, true},
  };
  for (const Case& c : cases) {
    CycleInputs in = Defaults();
    in.tt4 = c.tt4, in.pic = c.pic, in.etrg = c.etrg, in.ett = c.ett;
    in.regenerator = c.regenerator, in.constantGas = c.constantGas;
    const CycleResult r = Calculate(in);
    EXPECT_GE(r.passes, 2) << c.tt4;
    EXPECT_LE(r.passes, 3) << c.tt4;
  }
}

}  // namespace
}  // namespace shaftdeck
