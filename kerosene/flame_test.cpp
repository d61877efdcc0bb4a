#include "kerosene/flame.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/failure.h"

namespace kerosene {
namespace {

// The window's defaults, as Singles widened to Double.
FlameInput Defaults(float percent = 300) {
  FlameInput in;
  in.x = percent / 100.0f;
  in.fuelT = 556;
  in.airT = 556;
  in.ar = {296.0f, 27.0f, 27.6f};
  in.br = {0.0f, 0.0079f, 0.0051f};
  in.ap = {30.5f, 28.8f};
  in.bp = {0.0103f, 0.0280f};
  return in;
}

TEST(SensibleEnthalpy, FromTheReference) {
  struct Case { double a, b, t, want; } cases[] = {
      {30, 0.01, 298, 0},
      {30, 0, 398, 3000},
      {0, 0.02, 398, 0.01 * (398.0 * 398 - 298.0 * 298)},  // 696
      {27.0, 0.0079, 556, 27.0 * 258 + 0.00395 * (556.0 * 556 - 298.0 * 298)},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(SensibleEnthalpy(c.a, c.b, c.t), c.want, 1e-9) << c.t;
}

TEST(Mix, ProductSets) {
  struct Case {
    float percent;
    double water, co2, third, thirdHf, thirdA, nitrogen;
  } cases[] = {
      // Lean: excess oxygen with the oxygen coefficients.
      {300, 11, 10, 31, 0, 27.0f, 174.84},
      {200, 11, 10, 15.5, 0, 27.0f, 116.56},
      // Stoichiometric: the lean set with no oxygen left.
      {100, 11, 10, 0, 0, 27.0f, 58.28},
      // Rich: a fifth of the fuel leaves unburnt, with the kerosene coefficients.
      {80, 8.8, 8, 0.2, -294366, 296, 46.624},
      {50, 5.5, 5, 0.5, -294366, 296, 29.14},
  };
  for (const auto& c : cases) {
    const Mixture m = Mix(Defaults(c.percent));
    SCOPED_TRACE(c.percent);
    EXPECT_NEAR(m.products[0].n, c.water, 1e-6);
    EXPECT_NEAR(m.products[1].n, c.co2, 1e-6);
    EXPECT_NEAR(m.products[2].n, c.third, 1e-6);
    EXPECT_EQ(m.products[2].hf, c.thirdHf);
    EXPECT_EQ(m.products[2].a, c.thirdA);
    EXPECT_NEAR(m.products[3].n, c.nitrogen, 1e-5);
    EXPECT_EQ(m.products[0].hf, -241810);
    EXPECT_EQ(m.products[1].hf, -393520);
  }
  // The rich unburnt kerosene keeps its constant heat capacity (b = 0).
  EXPECT_EQ(Mix(Defaults(80)).products[2].b, 0);
}

TEST(Mix, ReactantEnthalpyOfTheDefaults) {
  // Kerosene: -294366 + 296·258; oxygen 46.5 kmol and nitrogen 174.84 kmol at
  // 556 K: 258 a + b/2 (556² - 298²) = 258 a + 110166 b.
  const double o2 = 27.0 * 258 + 0.0079f / 2.0 * 220332;
  const double n2 = double{27.6f} * 258 + 0.0051f / 2.0 * 220332;
  const double want = -294366 + 296.0 * 258 + 46.5 * o2 + 174.84 * n2;
  EXPECT_NEAR(Mix(Defaults()).reactantEnthalpy, want, 1e-3);
}

TEST(Mix, FuelTemperatureEntersOnlyThroughTheKerosene) {
  FlameInput in = Defaults();
  in.fuelT = 300;
  const double change = Mix(Defaults()).reactantEnthalpy - Mix(in).reactantEnthalpy;
  EXPECT_NEAR(change, 296.0 * 256, 1e-6);
}

TEST(FlameTemperature, Table) {
  struct Case { const char* name; FlameInput in; double t; } cases[] = {
      {"defaults 300 %", Defaults(), 1367.406047},
      {"100 %", Defaults(100), 2475.735145},
      {"80 %, rich", Defaults(80), 2440.249684},
      {"50 %, rich", Defaults(50), 2340.141769},
      {"150 %", Defaults(150), 1989.339381},
      {"400 %", Defaults(400), 1184.808350},
  };
  for (const auto& c : cases) {
    const Flame f = FlameTemperature(c.in);
    SCOPED_TRACE(c.name);
    // Stopping at |E| <= 1 kJ leaves the temperature within a few mK.
    EXPECT_NEAR(f.t, c.t, 0.01);
    EXPECT_FALSE(f.bisected);
    EXPECT_LE(std::abs(Mix(c.in).reactantEnthalpy - Enthalpy(Mix(c.in).products, f.t)), 1.0);
  }
}

TEST(FlameTemperature, FallsAsAirRisesAboveStoichiometric) {
  double previous = FlameTemperature(Defaults(100)).t;
  for (float percent : {110.0f, 150.0f, 200.0f, 300.0f, 500.0f, 1000.0f}) {
    const double t = FlameTemperature(Defaults(percent)).t;
    EXPECT_LT(t, previous) << percent;
    previous = t;
  }
}

TEST(FlameTemperature, SecantSettlesWellInsideItsBound) {
  for (float percent = 10; percent <= 1000; percent += 10) {
    const Flame f = FlameTemperature(Defaults(percent));
    EXPECT_FALSE(f.bisected) << percent;
    EXPECT_LE(f.passes, 10) << percent;
  }
}

TEST(FlameTemperature, SecantBoundHoldsTheHardestMixture) {
  // The most passes measured over the whole sweep of mixtures and inlet
  // temperatures: eleven, just above stoichiometric with air near 3 K.
  FlameInput in = Defaults(110.021f);
  in.airT = 3.31958f;
  const Flame f = FlameTemperature(in);
  EXPECT_FALSE(f.bisected);
  EXPECT_LE(f.passes, 11);
  EXPECT_LE(std::abs(Mix(in).reactantEnthalpy - Enthalpy(Mix(in).products, f.t)), 1.0);
}

// Only the water carries heat, with cp = b T: the products' enthalpy
// -6595110 + 11·(b/2)(T² - 298²) meets the reactants' -294366 at
// T = ±sqrt(298² + 6300744/(5.5 b)), one root either side of absolute zero.
FlameInput Symmetric() {
  FlameInput in = Defaults(100);
  in.ar = {0, 0, 0};
  in.br = {0, 0, 0};
  in.ap = {0, 0};
  in.bp = {0.2f, 0};
  return in;
}

TEST(FlameTemperature, BalanceBelowAbsoluteZeroIsNotAFlame) {
  const double root = std::sqrt(298.0 * 298 + 6300744 / (5.5 * double{0.2f}));  // 2411.79 K
  struct Case { const char* name; float airT; bool bisected; } cases[] = {
      // From 756 K the secant walks to the root above zero.
      {"warm air", 556, false},
      // From -100 K it walks to the mirror root; the search over the physical
      // range finds the flame instead.
      {"air below zero", -300, true},
  };
  for (const auto& c : cases) {
    FlameInput in = Symmetric();
    in.airT = c.airT;
    const Flame f = FlameTemperature(in);
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(f.t, root, 1e-3);
    EXPECT_EQ(f.bisected, c.bisected);
  }
  // Halving 1 K to 20000 K settles within the spacing of doubles.
  FlameInput in = Symmetric();
  in.airT = -300;
  EXPECT_LE(FlameTemperature(in).halvings, 68);
}

TEST(FlameTemperature, NoBalanceIsReportedNotLooped) {
  // Heat capacities that fall steeply with temperature: the product enthalpy
  // peaks below the reactants' enthalpy, the secant wanders, and no
  // temperature from 1 K to 20000 K balances.
  FlameInput wild = Defaults();
  wild.bp = {-0.2f, -0.2f};
  wild.br = {0, -0.05f, -0.05f};
  EXPECT_THROW(FlameTemperature(wild), core::Failure);
  // Zero heat capacity of every product: the enthalpy never changes, the two
  // first errors are equal and no temperature balances.
  FlameInput flat = Defaults();
  flat.ar = {296, 0, 0};
  flat.br = {0, 0, 0};
  flat.ap = {0, 0};
  flat.bp = {0, 0};
  EXPECT_THROW(FlameTemperature(flat), core::Failure);
}

}  // namespace
}  // namespace kerosene
