#include "thrustdeck/ts_chart.h"

#include "lib/gas/gas_properties.h"

namespace thrustdeck {

cycle_charts::CycleDiagram JetCycleDiagram(const CycleState& s) {
  cycle_charts::CycleDiagram d;
  const bool variable = s.igcs == "n";
  if (variable)
    d.rule.cp = [](double t) { return gas::VariableGasWide(t).cp; };
  else
    d.rule.constantCp = gas::ConstantGasWide(s.gmcn).cp;
  d.detail = std::string(s.ir == 1 ? "real" : "ideal") +
             (variable ? ", cp varying with temperature" : ", constant cp");
  d.temperatureAxis = "Total temperature (R); static at nozzle exits";
  d.temperatureHeading = "Temperature (R)";
  d.pressureHeading = "Pressure (psia)";

  // The calculation's own tests of which parts the engine has.
  const bool compressor = s.pic >= 1.001f;
  const bool fan = s.al >= 0.001f;
  const bool mixed = s.mm > 0;
  const bool fanNozzle = s.mfe >= 0.01f;
  const bool afterburner = s.iab == 1;

  auto add = [&](const char* number, const char* name, const char* label, float t, float p) {
    d.stations.push_back({number, name, label, t, p});
  };
  cycle_charts::CyclePath core{"Core stream", {}};
  add("0", "free stream", "free stream", s.tt0, s.pt0);
  add("2", "diffuser exit", "diffuser", s.tt2, s.pt2);
  core.stations = {"0", "2"};
  if (compressor) {
    add("3", "compressor exit", "compressor", s.tt3, s.pt3);
    core.stations.push_back("3");
  }
  add("4", "burner exit", "burner", s.tt4, s.pt4);
  core.stations.push_back("4");
  if (compressor) {
    add("5", "turbine exit", "turbine", s.tt5, s.pt5);
    core.stations.push_back("5");
  }
  if (mixed) {
    add("5.5", "mixer exit", "mixer", s.tt55, s.pt55);
    core.stations.push_back("5.5");
  }
  if (afterburner) {
    add("6", "afterburner exit", "afterburner", s.tt6, s.pt6);
    core.stations.push_back("6");
  }
  add("8", "primary nozzle exit, static", "nozzle", s.t8, s.p8);
  core.stations.push_back("8");
  d.paths.push_back(core);

  if (fan) {
    add("7", "fan exit", "fan", s.tt7, s.pt7);
    if (mixed) {
      // The mixed part of the fan air joins the core in the mixer.
      add("7.5", "duct exit", "duct", s.tt75, s.pt75);
      d.paths.push_back({"Fan stream, mixed", {"2", "7", "7.5", "5.5"}});
    }
    if (fanNozzle) {
      add("9", "fan nozzle exit, static", "fan nozzle", s.t9, s.p9);
      if (mixed)
        d.paths.push_back({"Fan stream, exhausted", {"7", "9"}});
      else
        d.paths.push_back({"Fan stream", {"2", "7", "9"}});
    }
  }

  d.isobars = {{"4", "Burner exit, pt4 ="}, {"8", "Nozzle exit, p8 ="}};
  return d;
}

}  // namespace thrustdeck
