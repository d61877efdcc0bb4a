#include "bladerow/velocity_triangles.h"

#include <utility>
#include <vector>

namespace bladerow {

namespace {

const char* MachineName(short ct) {
  switch (ct) {
    case kAxialCompressor: return "axial compressor stage";
    case kRadialCompressor: return "radial compressor impeller";
    case kAxialTurbine: return "axial turbine stage";
    default: return "radial inflow turbine rotor";
  }
}

frame::ChartSeries Arrow(std::string name, double x0, double y0, double x1, double y1) {
  return {std::move(name), {std::pair{x0, y0}, std::pair{x1, y1}}, frame::SeriesStyle::Arrows};
}

}  // namespace

frame::ChartData VelocityTriangles(const Stage& s, short ct, const ShownAngles& angles,
                                   bool settled) {
  frame::ChartData chart;
  chart.name = kVelocityTriangles;
  chart.title = std::string("Velocity triangles, ") + MachineName(ct);
  if (!settled) chart.title += " (last pass: the exit density did not settle)";
  // A textbook's layout: the blade speed across the page, the through-flow
  // up it. Tangential components count in the direction of blade motion,
  // so W = V - U, as the stage computes them.
  chart.x = {"Tangential velocity, in the direction of blade motion (ft/s)", false};
  chart.y = {Radial(ct) ? "Meridional velocity (ft/s)" : "Axial velocity (ft/s)", false};
  chart.equalScale = true;

  // Inlet (station 1) and rotor exit (station 2): V and W leave the common
  // apex; U runs from the tip of W to the tip of V.
  const double ca1 = s.ca1, cu1 = s.cu1, wu1 = s.wu1;
  const double ca2 = s.ca2, cu2 = s.cu2, wu2 = s.wu2;
  chart.series.push_back(Arrow("V1 absolute, inlet", 0, 0, cu1, ca1));
  chart.series.push_back(Arrow("W1 relative, inlet", 0, 0, wu1, ca1));
  chart.series.push_back(Arrow("U1 blade, inlet", wu1, ca1, cu1, ca1));
  chart.series.push_back(Arrow("V2 absolute, rotor exit", 0, 0, cu2, ca2));
  chart.series.push_back(Arrow("W2 relative, rotor exit", 0, 0, wu2, ca2));
  chart.series.push_back(Arrow("U2 blade, rotor exit", wu2, ca2, cu2, ca2));

  chart.marks.push_back({"α1", cu1, ca1, "α1 = " + angles.al1 + " deg"});
  chart.marks.push_back({"β1", wu1, ca1, "β1 = " + angles.b1 + " deg"});
  chart.marks.push_back({"α2", cu2, ca2, "α2 = " + angles.al2 + " deg"});
  chart.marks.push_back({"β2", wu2, ca2, "β2 = " + angles.b2 + " deg"});
  return chart;
}

}  // namespace bladerow
