#include "bladerow/velocity_chart.h"

#include <cmath>
#include <utility>
#include <vector>

namespace bladerow {

namespace {

const char* MachineName(short ct) {
  switch (ct) {
    case kAxialCompressor:
      return "axial compressor stage";
    case kRadialCompressor:
      return "radial compressor impeller";
    case kAxialTurbine:
      return "axial turbine stage";
    default:
      return "radial inflow turbine rotor";
  }
}

core::ChartSeries Arrow(std::string name, double x0, double y0, double x1, double y1) {
  return {std::move(name), {std::pair{x0, y0}, std::pair{x1, y1}}, core::SeriesStyle::Arrows};
}

}  // namespace

core::ChartData VelocityTriangles(const Stage& s, short ct, const ShownAngles& angles,
                                  bool settled) {
  core::ChartData chart;
  chart.name = kVelocityTriangles;
  chart.title = std::string("Velocity triangles, ") + MachineName(ct) + " (1 inlet, 2 exit)";
  if (!settled) chart.title += " (last pass: the exit density did not settle)";
  // A textbook's layout: the blade speed across the page, the through-flow
  // up it. Tangential components count in the direction of blade motion,
  // so W = V - U, as the stage computes them.
  chart.x = {"Tangential velocity, in the direction of blade motion (ft/s)", false};
  chart.y = {Radial(ct) ? "Meridional velocity (ft/s)" : "Axial velocity (ft/s)", false};
  chart.equalScale = true;

  // Both triangles on a common base, as V = U + W: V and U leave the
  // origin, W runs from the tip of U to the tip of V (with the stage's own
  // components, so its tail meets U to the last bit of a Single).
  const double ca1 = s.ca1, cu1 = s.cu1, wu1 = s.wu1, u1 = s.u;
  const double ca2 = s.ca2, cu2 = s.cu2, wu2 = s.wu2, u2 = s.u2;
  chart.series.push_back(Arrow("V1 absolute", 0, 0, cu1, ca1));
  chart.series.push_back(Arrow("W1 relative", cu1 - wu1, 0, cu1, ca1));
  chart.series.push_back(Arrow("V2 absolute", 0, 0, cu2, ca2));
  chart.series.push_back(Arrow("W2 relative", cu2 - wu2, 0, cu2, ca2));
  if (u1 == u2) {
    // One blade speed at one radius: the axial machines.
    chart.series.push_back(Arrow("U blade", 0, 0, u1, 0));
  } else {
    // Two radii: the shorter arrow last, so that it shows on top.
    core::ChartSeries in = Arrow("U1 blade", 0, 0, u1, 0);
    core::ChartSeries out = Arrow("U2 blade", 0, 0, u2, 0);
    const bool inletShorter = std::fabs(u1) < std::fabs(u2);
    chart.series.push_back(inletShorter ? out : in);
    chart.series.push_back(inletShorter ? in : out);
  }

  // Each angle on its own vector, each at its own height (a fraction of
  // the way along), so that the labels keep apart in narrow triangles.
  auto along = [](double f, double x0, double x1, double y1) {
    return std::pair{x0 + f * (x1 - x0), f * y1};
  };
  const auto a1 = along(0.25, 0, cu1, ca1), b1 = along(0.4, cu1 - wu1, cu1, ca1);
  const auto a2 = along(0.55, 0, cu2, ca2), b2 = along(0.7, cu2 - wu2, cu2, ca2);
  chart.marks.push_back({"α1", a1.first, a1.second, "α1 = " + angles.al1 + " deg"});
  chart.marks.push_back({"β1", b1.first, b1.second, "β1 = " + angles.b1 + " deg"});
  chart.marks.push_back({"α2", a2.first, a2.second, "α2 = " + angles.al2 + " deg"});
  chart.marks.push_back({"β2", b2.first, b2.second, "β2 = " + angles.b2 + " deg"});
  return chart;
}

}  // namespace bladerow
