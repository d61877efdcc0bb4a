#include "shock/polar_chart.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <ostream>
#include <string>

#include "core/testing/driver.h"
#include "shock/shock_window.h"

namespace shock {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The window driven as a person would, and its chart.
struct Driven : core::testing::Driven<Shock> {
  void Run(int type, const std::string& m1, const std::string& g, const std::string& dl) {
    Select("lsttype", type);
    Type("txtm1", m1);
    Type("txtg", g);
    Type("txtdl", dl);
    Calculate();
  }
  core::ChartData Polar() const { return form.Chart("polar"); }
};

using core::testing::FindMark;

// tan δ = 2 cot β (M² sin²β − 1) / (M² (γ + cos 2β) + 2), in degrees.
double Turning(double m, double g, double betaDeg) {
  const double b = betaDeg * kPi / 180;
  return 180 / kPi *
         std::atan(2 / std::tan(b) * (m * m * std::sin(b) * std::sin(b) - 1) / (m * m * (g + std::cos(2 * b)) + 2));
}

struct PlanarCase {
  int type;  // 1 weak, 2 strong
  const char *m1, *g, *dl;
  bool limited;  // above the maximum turning
};

void PrintTo(const PlanarCase& c, std::ostream* os) {
  *os << (c.type == 2 ? "strong" : "weak") << " M1 " << c.m1 << " γ " << c.g << " δ " << c.dl;
}

class PolarChart : public ::testing::TestWithParam<PlanarCase> {};

TEST_P(PolarChart, SolutionSatisfiesTheShockRelationOnItsBranch) {
  const PlanarCase c = GetParam();
  Driven w;
  w.Run(c.type, c.m1, c.g, c.dl);
  const core::ChartData chart = w.Polar();
  ASSERT_TRUE(chart.available()) << chart.unavailable;
  const bool strong = c.type == 2;
  const core::ChartMark* sol = FindMark(chart, strong ? "Strong solution" : "Weak solution");
  const core::ChartMark* top = FindMark(chart, "Maximum turning");
  ASSERT_TRUE(sol && top);
  const double m = std::stod(c.m1), g = std::stod(c.g);
  // The point is the window's shock angle and turning, and obeys the relation.
  EXPECT_NEAR(sol->x, w.Number("txtdr"), 5e-4);
  EXPECT_NEAR(sol->y, w.Number("txtdl"), 5e-4);
  // The solver stops within 1e-5 rad of the shock angle.
  const double slope = std::fabs(Turning(m, g, sol->x + 1e-3) - Turning(m, g, sol->x - 1e-3)) / 2e-3;
  EXPECT_NEAR(Turning(m, g, sol->x), sol->y, 1e-4 + slope * 2e-5 * 180 / kPi);
  EXPECT_EQ(sol->alarm, c.limited);
  // On the branch asked for: the weak one below the shock angle of the
  // maximum turning, the strong one above.
  if (!c.limited) {
    if (strong)
      EXPECT_GT(sol->x, top->x);
    else
      EXPECT_LT(sol->x, top->x);
  }
  // The maximum turning is the window's and the largest of the curve.
  EXPECT_NEAR(top->y, w.Number("txtdx"), 5e-4);
  EXPECT_NEAR(Turning(m, g, top->x), top->y, 1e-3);
  double largest = -1;
  size_t points = 0;
  for (const core::ChartSeries& s : chart.series) {
    if (s.style != core::SeriesStyle::Line) continue;
    for (const core::ChartPoint& p : s.points) {
      ASSERT_TRUE(p);
      largest = std::max(largest, p->second);
      ++points;
      EXPECT_NEAR(Turning(m, g, p->first), p->second, 1e-3) << p->first;
    }
  }
  EXPECT_GT(points, 100u);
  EXPECT_NEAR(largest, top->y, 1e-6);
  EXPECT_LE(largest, top->y + 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    shock, PolarChart,
    ::testing::Values(PlanarCase{1, "2.00", "1.400", "5", false}, PlanarCase{2, "2.00", "1.400", "5", false},
                      PlanarCase{1, "3.5", "1.3", "25", false}, PlanarCase{2, "3.5", "1.3", "25", false},
                      PlanarCase{1, "1.2", "1.67", "1", false}, PlanarCase{2, "8", "1.4", "40", false},
                      PlanarCase{1, "2.00", "1.400", "30", true}, PlanarCase{2, "2.00", "1.400", "30", true},
                      PlanarCase{1, "20", "1.4", "10", false}));

TEST(PolarChartNormal, TheNormalShockStandsAtNinetyDegrees) {
  Driven w;
  w.Run(0, "2.00", "1.400", "5");
  core::ChartData chart = w.Polar();
  ASSERT_TRUE(chart.available()) << chart.unavailable;
  const core::ChartMark* normal = FindMark(chart, "Normal shock");
  ASSERT_TRUE(normal);
  EXPECT_EQ(normal->x, 90);
  EXPECT_EQ(normal->y, 0);
  EXPECT_NE(normal->text.find("M2 = " + w.Text("txte2")), std::string::npos)
      << normal->text;
  // At Mach 1 there is no polar, and the chart says so.
  w.Run(0, "1", "1.400", "5");
  EXPECT_EQ(w.Text("lblError"), "");
  chart = w.Polar();
  EXPECT_FALSE(chart.available());
  EXPECT_NE(chart.unavailable.find("Mach 1"), std::string::npos) << chart.unavailable;
}

// A cone's point lies on the curve of cone solutions; a cone beyond the
// largest has no solution to mark: only the line of the cone asked, named
// detached.
TEST(PolarChartCone, ComputedConeLiesOnTheCurveOrIsDetached) {
  struct Case {
    const char *m1, *g, *dl;
    bool detached;
  };
  for (const Case& c : {Case{"2.00", "1.400", "5", false}, Case{"2.00", "1.400", "20", false},
                        Case{"3", "1.3", "30", false}, Case{"1.5", "1.4", "10", false},
                        Case{"2.00", "1.400", "45", true}}) {
    Driven w;
    w.Run(3, c.m1, c.g, c.dl);
    const auto began = std::chrono::steady_clock::now();
    const core::ChartData chart = w.Polar();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
    // A chart is drawn at once; the bound is generous for a loaded machine
    // and a sanitizer build, and still catches a search that runs away.
    EXPECT_LT(seconds, 10.0) << c.m1;
    ASSERT_TRUE(chart.available()) << chart.unavailable;
    const core::ChartMark* cone = FindMark(chart, "Computed cone");
    const core::ChartMark* largest = FindMark(chart, "Largest cone");
    ASSERT_TRUE(largest);
    const double dl = std::stod(c.dl);
    EXPECT_EQ(dl > largest->x, c.detached) << c.dl << " vs " << largest->x;
    if (c.detached) {
      EXPECT_EQ(cone, nullptr) << "a solution marked where there is none";
      EXPECT_EQ(chart.marks.size(), 1u);
      const core::ChartSeries& asked = chart.series.back();
      EXPECT_EQ(asked.name, "Cone " + std::string(c.dl) + ".000° asked: detached or did not converge");
      EXPECT_EQ(asked.points.front()->first, dl);
      continue;
    }
    ASSERT_TRUE(cone);
    EXPECT_FALSE(cone->alarm);
    EXPECT_NEAR(cone->x, dl, 1e-6);
    EXPECT_NEAR(cone->y, w.Number("txtdr"), 5e-4);
    // Between the two neighbouring solutions of the attached branch.
    const auto& pts = chart.series.at(0).points;
    bool bracketed = false;
    for (size_t i = 1; i < pts.size(); ++i) {
      const auto a = *pts[i - 1], b = *pts[i];
      if (a.first <= dl && dl <= b.first) {
        const double y = a.second + (b.second - a.second) * (dl - a.first) / (b.first - a.first);
        EXPECT_NEAR(cone->y, y, 0.05) << c.m1 << " " << c.dl;
        bracketed = true;
      }
    }
    EXPECT_TRUE(bracketed) << c.dl;
    // The cone angle grows along the attached branch and falls on the other.
    for (size_t i = 1; i < pts.size(); ++i) EXPECT_GT(pts[i]->first, pts[i - 1]->first);
  }
}

TEST(PolarChartUnavailable, BeforeTheFirstAndAfterAFailedCalculation) {
  Driven w;
  core::ChartData chart = w.Polar();
  EXPECT_FALSE(chart.available());
  EXPECT_NE(chart.unavailable.find("Press Calculate"), std::string::npos);
  w.Run(1, "2", "1.4", "10");
  EXPECT_TRUE(w.Polar().available());
  for (const char* bad : {"0.5", "x"}) {
    w.Run(1, bad, "1.4", "10");
    const std::string error = w.Text("lblError");
    ASSERT_FALSE(error.empty());
    chart = w.Polar();
    EXPECT_FALSE(chart.available());
    EXPECT_NE(chart.unavailable.find(error), std::string::npos) << chart.unavailable;
    w.Run(1, "2", "1.4", "10");
  }
  // The reason stays once the error line has gone with the next action.
  w.Run(1, "2", "1.0", "10");
  w.Type("txtm1", "3");
  EXPECT_EQ(w.Text("lblError"), "");
  EXPECT_NE(w.Polar().unavailable.find("gamma must be above 1"), std::string::npos) << w.Polar().unavailable;
}

}  // namespace
}  // namespace shock
