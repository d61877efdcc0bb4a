#include "stagemap/cascade.h"

#include <gtest/gtest.h>

#include "core/failure.h"

namespace stagemap {
namespace {

// Inputs as the window reads them: Singles widened to Double.
StageInput Defaults() {
  return {-42.0f, -8.0f, 42.0f, 8.0f, 2.3f, 0.4f, 1.0f, 0.75f, 0.5f};
}

TEST(InterpolateSc, ReturnsEachFitAtItsOwnSpacing) {
  struct Case { double sc, want; } cases[] = {{0.5, 3}, {1.0, 5}, {1.5, 11}, {2.0, 21}, {0.0, 5}};
  // y = 3, 5, 11 at 0.5, 1, 1.5 is 8x² - 8x + 5.
  for (const auto& c : cases) EXPECT_NEAR(InterpolateSc(3, 5, 11, c.sc), c.want, 1e-12) << c.sc;
}

TEST(NominalDeflection, TakesTheFitOfTheSpacing) {
  struct Case { double x, sc, want; } cases[] = {
      {10, 0.5, 46.406 - 8.1875 + 0.40625},
      {10, 1.0, 34.125 - 5.625 + 0.25},
      {10, 1.5, 26.875 - 4 + 0.125},
      {0, 1.0, 34.125},
  };
  for (const auto& c : cases) EXPECT_NEAR(NominalDeflection(c.x, c.sc), c.want, 1e-9);
}

TEST(DeflectionRatio, Polynomial) {
  EXPECT_DOUBLE_EQ(DeflectionRatio(0), 1.00888);
  EXPECT_NEAR(DeflectionRatio(1), 0.673966, 1e-12);
  EXPECT_NEAR(DeflectionRatio(-1), 1.00888 - 0.9705 - 0.72705 + 0.85952 + 0.281156, 1e-12);
}

TEST(ProfileDrag, FitsUpToPointFourThenTheParabola) {
  struct Case { double r, sc, want; } cases[] = {
      {0, 0.5, 0.018533},
      {0, 1.0, 0.014343},
      {0, 1.5, 0.01168571},
      {0.4, 1.0, 0.014343 + 0.00030476 + 0.00860952 + 0.002742848},
      {0.5, 1.0, 0.118 - 0.315 + 0.25},
      {0.5, 0.5, 0.053},  // the parabola ignores s/c
      {1.0, 1.0, 0.118 - 0.63 + 1.0},
  };
  for (const auto& c : cases) EXPECT_NEAR(ProfileDrag(c.r, c.sc), c.want, 1e-9) << c.r;
}

TEST(NominalExitAngle, DeviationRule) {
  // No camber, no deviation.
  EXPECT_DOUBLE_EQ(NominalExitAngle(-10, -10, 0.4, 1), -10);
  // Rotor of the default stage: m = 0.184 + 0.002|θ|, δ = 34 m, settles near -15.296.
  EXPECT_NEAR(NominalExitAngle(-42, -8, 0.4f, 1), -15.296137, 1e-6);
  // The stator mirrors it.
  EXPECT_NEAR(NominalExitAngle(42, 8, 0.4f, 1), 15.296137, 1e-6);
  EXPECT_THROW(NominalExitAngle(-42, -8, 0.4, -1), core::Failure);
}

struct StageCase {
  const char* name;
  double inc, sc, r;
  double eta, phi, b1, b2, al2, al3, incs, cdr, clr, cds, cls;
};

TEST(Stage, Table) {
  const StageCase cases[] = {
      {"defaults", 2.3f, 1, 0.5f, 0.898961, 0.799007, -44.3, -15.413288, 44.3, 15.413288, -2.3,
       0.05511, 1.177579, 0.05511, 1.177579},
      {"s/c 0.5", 2.3f, 0.5f, 0.5f, 0.849731, 0.828505, -44.3, -13.014514, 44.3, 13.014514, -2.3,
       0.043336, 0.624749, 0.043336, 0.624749},
      {"s/c 1.5", 2.3f, 1.5f, 0.5f, 0.891806, 0.753705, -44.3, -19.337058, 44.3, 19.337058, -2.3,
       0.079856, 1.547881, 0.079856, 1.547881},
      {"stalled", 12, 1, 0.5f, 0.868889, 0.5618, -54, -21.979645, 54, 21.979645, -12, 0.097724,
       1.411609, 0.097724, 1.411609},
      {"reaction 0.7", 2.3f, 1, 0.7f, 0.848646, 1.11861, -44.3, -15.413288, 31.727338, 16.105154,
       10.272662, 0.05511, 1.177579, 0.040567, 0.591499},
  };
  for (const auto& c : cases) {
    StageInput in = Defaults();
    in.inc = c.inc;
    in.sc = c.sc;
    in.r = c.r;
    const StageResult s = Stage(in);
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(s.eta, c.eta, 2e-6);
    EXPECT_NEAR(s.phi, c.phi, 2e-6);
    EXPECT_NEAR(s.b1, c.b1, 1e-5);
    EXPECT_NEAR(s.b2, c.b2, 2e-6);
    EXPECT_NEAR(s.al2, c.al2, 1e-5);
    EXPECT_NEAR(s.al3, c.al3, 2e-6);
    EXPECT_NEAR(s.incs, c.incs, 1e-5);
    EXPECT_NEAR(s.cdr, c.cdr, 2e-6);
    EXPECT_NEAR(s.clr, c.clr, 2e-6);
    EXPECT_NEAR(s.cds, c.cds, 2e-6);
    EXPECT_NEAR(s.cls, c.cls, 2e-6);
  }
}

TEST(Stage, SymmetricStageIsMirrored) {
  const StageResult s = Stage(Defaults());
  EXPECT_NEAR(s.b1, -s.al2, 1e-9);
  EXPECT_NEAR(s.b2, -s.al3, 1e-9);
  EXPECT_NEAR(s.cdr, s.cds, 1e-9);
  EXPECT_NEAR(s.clr, s.cls, 1e-9);
  EXPECT_NEAR(s.rr, s.rs, 1e-9);
}

TEST(Stage, HighIncidenceSwitchesToTheParabola) {
  StageInput in = Defaults();
  in.inc = 12;
  const StageResult s = Stage(in);
  EXPECT_NEAR(s.rr, 0.482574, 1e-6);
  // Profile drag from the parabola, plus secondary and annulus drag.
  const double cdp = 0.118 - 0.63 * s.rr + s.rr * s.rr;
  EXPECT_NEAR(s.cdr, cdp + 0.018 * s.clr * s.clr + 0.015, 1e-12);
}

TEST(Stage, DivisionsByZeroAreReported) {
  struct Case { const char* name; StageInput in; const char* message; };
  StageInput zeroReaction = Defaults();
  zeroReaction.r = 0;
  StageInput negativeSpacing = Defaults();
  negativeSpacing.sc = -1;
  const Case cases[] = {
      {"reaction 0", zeroReaction, "zero flow coefficient"},
      {"negative s/c", negativeSpacing, "s/c"},
  };
  for (const auto& c : cases) {
    try {
      Stage(c.in);
      ADD_FAILURE() << c.name << " did not fail";
    } catch (const core::Failure& f) {
      EXPECT_NE(std::string(f.what()).find(c.message), std::string::npos) << f.what();
    }
  }
}

}  // namespace
}  // namespace stagemap
