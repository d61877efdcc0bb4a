#include "shock/polar_chart.h"

#include <cmath>
#include <cstdio>

#include "lib/mathfn/mathfn.h"

namespace shock {

namespace {

constexpr int kBranchPoints = 120;  // per branch of the planar polar
constexpr int kConePoints = 150;    // shock angles from the Mach angle to 90°
constexpr int kRefinements = 40;    // golden-section passes on the largest cone
// March steps for the whole cone curve (some 150,000 used at M1 = 2).
constexpr long kConeCurveBudget = 1'500'000;

std::string Fixed(double v, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

std::string Subject(const ShockSolution& x) {
  return "M1 = " + Fixed(x.m1, 3) + ", γ = " + Fixed(x.g, 3);
}

core::ChartData ConeChart(const ShockSolution& x, const ConeCurve& curve) {
  core::ChartData chart;
  chart.name = kPolarChart;
  chart.title = "Conical shock, " + Subject(x);
  chart.x = {"Cone half-angle δ (deg)", false};
  chart.y = {"Shock angle β (deg)", false};
  if (curve.attached.empty())
    return core::Unavailable(chart.name, chart.title, "No attached cone shock found at this Mach number");
  chart.series.push_back({"Attached shock", curve.attached});
  chart.series.push_back({"Strong branch", curve.strong, core::SeriesStyle::Dashed});
  chart.marks.push_back({"Largest cone", curve.largestCone, curve.largestConeShock,
                         "Largest cone " + Fixed(curve.largestCone, 2) + "°: detached beyond"});
  if (x.detached) {
    const double mach = kDegrees * mathfn::asin(1 / static_cast<double>(x.m1));
    // No solution: the cone asked is a line across the shock angles, and
    // nothing marks a point that was not computed.
    chart.series.push_back({"Cone " + Fixed(x.dl, 3) + "° asked: detached or did not converge",
                            {std::pair{double(x.dl), mach}, std::pair{double(x.dl), 90.0}},
                            core::SeriesStyle::Dashed});
  } else {
    chart.marks.push_back({"Computed cone", x.dl, x.s.angle,
                           "Cone " + Fixed(x.dl, 3) + "°: β = " + Fixed(x.s.angle, 3) +
                               "°, M2 = " + Fixed(x.s.m2, 4)});
  }
  return chart;
}

}  // namespace

ConeCurve ConeShockCurve(float m1, float g) {
  ConeCurve curve;
  const double mach = kDegrees * mathfn::asin(1 / static_cast<double>(m1));
  if (!(mach > 0 && mach < 90)) return curve;
  long budget = kConeCurveBudget;
  // A cone of no thickness sends out the Mach wave.
  std::vector<std::pair<double, double>> points{{0.0, mach}};  // (cone, shock), by shock angle
  for (int i = 1; i < kConePoints; ++i) {
    // Closer near the Mach angle, where thin cones crowd.
    const double f = static_cast<double>(i) / kConePoints;
    const double eps = mach + (90 - mach) * f * f;
    if (const auto cone = ConeOfShock(m1, g, eps, budget)) points.emplace_back(*cone, eps);
    if (budget < 0) break;
  }
  if (points.size() < 2) return curve;
  size_t top = 0;
  for (size_t i = 1; i < points.size(); ++i)
    if (points[i].first > points[top].first) top = i;
  // The largest cone between the samples beside the top one.
  double lo = top > 0 ? points[top - 1].second : points[top].second;
  double hi = top + 1 < points.size() ? points[top + 1].second : points[top].second;
  std::pair<double, double> best = points[top];
  const double phi = (std::sqrt(5.0) - 1) / 2;
  for (int k = 0; k < kRefinements && hi - lo > 1e-9; ++k) {
    const double a = hi - phi * (hi - lo), b = lo + phi * (hi - lo);
    const auto ca = ConeOfShock(m1, g, a, budget), cb = ConeOfShock(m1, g, b, budget);
    if (!ca || !cb) break;
    if (*ca > best.first) best = {*ca, a};
    if (*cb > best.first) best = {*cb, b};
    (*ca < *cb ? lo : hi) = *ca < *cb ? a : b;
  }
  for (size_t i = 0; i < points.size(); ++i) {
    if (points[i].second < best.second) curve.attached.emplace_back(points[i]);
    if (points[i].second > best.second) curve.strong.emplace_back(points[i]);
  }
  curve.attached.emplace_back(best);
  curve.strong.insert(curve.strong.begin(), best);
  curve.largestCone = best.first;
  curve.largestConeShock = best.second;
  return curve;
}

core::ChartData PolarChart(const ShockSolution& x, const ConeCurve* cone) {
  if (x.type == ShockType::Conical) return ConeChart(x, cone ? *cone : ConeShockCurve(x.m1, x.g));
  core::ChartData chart;
  chart.name = kPolarChart;
  chart.title = "Shock polar, " + Subject(x);
  if (!(x.m1 > 1))
    return core::Unavailable(chart.name, chart.title,
                              "At Mach 1 the normal shock is a Mach wave of no strength: "
                              "there is no turning to draw");
  chart.x = {"Shock angle β (deg)", false};
  chart.y = {"Turning angle δ (deg)", false};
  const double mu = mathfn::asin(1 / static_cast<double>(x.m1));
  const double top = MaxTurningShockAngle(x.m1, x.g), right = mathfn::acos(0.0);
  auto branch = [&](double from, double to) {
    std::vector<core::ChartPoint> points;
    for (int i = 0; i <= kBranchPoints; ++i) {
      const double beta = i == kBranchPoints ? to : from + (to - from) * i / kBranchPoints;
      points.emplace_back(std::pair{kDegrees * beta, TurningAngle(x.m1, x.g, beta)});
    }
    return points;
  };
  chart.series.push_back({"Weak branch", branch(mu, top)});
  chart.series.push_back({"Strong branch", branch(top, right)});
  const double dmax = TurningAngle(x.m1, x.g, top);
  chart.marks.push_back({"Maximum turning", kDegrees * top, dmax,
                         "Maximum turning " + Fixed(dmax, 3) + "° at β = " + Fixed(kDegrees * top, 3) + "°"});
  if (x.type == ShockType::Normal) {
    chart.marks.push_back({"Normal shock", 90, 0, "Normal shock: β = 90°, M2 = " + Fixed(x.s.m2, 4)});
    return chart;
  }
  const bool strong = x.type == ShockType::Strong;
  const bool limited = x.asked > x.dl;
  // The other crossing of this line is the other solution.
  if (x.dl > 0 && !limited)
    chart.series.push_back({"Turning " + Fixed(x.dl, 3) + "°",
                            {std::pair{kDegrees * mu, double(x.dl)}, std::pair{90.0, double(x.dl)}},
                            core::SeriesStyle::Dashed});
  const std::string name = strong ? "Strong solution" : "Weak solution";
  std::string text = name + ": β = " + Fixed(x.s.angle, 3) + "°, M2 = " + Fixed(x.s.m2, 4);
  if (limited) text = "Turning " + Fixed(x.asked, 3) + "° is above the maximum: taken as the maximum";
  chart.marks.push_back({name, x.s.angle, x.dl, text, limited});
  return chart;
}

}  // namespace shock
