#include "shaftdeck/ts_chart.h"

#include "lib/gas/gas_properties.h"

namespace shaftdeck {

cycle_charts::CycleDiagram PowerCycleDiagram(const CycleInputs& in, const CycleResult& r) {
  cycle_charts::CycleDiagram d;
  if (in.constantGas)
    d.rule.constantCp = gas::ConstantGas(in.gmcn).cp;
  else
    d.rule.cp = [](double t) -> double { return gas::VariableGas(t).cp; };
  d.detail = std::string(in.real ? "real" : "ideal") +
             (in.constantGas ? ", constant cp" : ", cp varying with temperature") +
             (in.regenerator ? ", regenerator" : ", no regenerator");
  d.temperatureAxis = "Total temperature (R)";
  d.temperatureHeading = "Tt (R)";
  d.pressureHeading = "pt (psia)";

  // At rest, the inlet total state is the ambient one.
  d.stations.push_back({"0", "ambient", "ambient", in.t0, r.pt0});
  d.stations.push_back({"2", "compressor inlet", "inlet", r.tt2, r.pt2});
  d.stations.push_back({"3", "compressor exit", "compressor", r.tt3, r.pt3});
  if (in.regenerator)
    d.stations.push_back({"3x", "regenerator air exit", "regenerator", r.tt3x, r.pt3x});
  d.stations.push_back({"4", "burner exit", "burner", in.tt4, r.pt4});
  d.stations.push_back({"5", "turbine exit", "turbine", r.tt5, r.pt5});
  if (in.regenerator)
    d.stations.push_back({"5x", "regenerator gas exit", "regenerator", r.tt5x, r.pt5x});

  cycle_charts::CyclePath path{"Cycle", {}};
  for (const cycle_charts::CycleStation& st : d.stations) path.stations.push_back(st.number);
  d.paths.push_back(path);
  d.isobars = {{"4", "Burner exit, pt4 ="}, {"5", "Turbine exhaust, pt5 ="}};
  return d;
}

}  // namespace shaftdeck
