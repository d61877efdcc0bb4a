#include "shaftfit/gt_print.h"

#include <cmath>

#include "core/printline.h"
#include "lib/mathfn/mathfn.h"

namespace shaftfit {
namespace {

using core::PrintLine;

constexpr int kRows = 11;

std::string Row(double x, float y) { return PrintLine().num(x).zone().num(y).str(); }

std::string Heading(const char* a, const char* b) {
  return PrintLine().text(a).zone().text(b).str();
}

// Eleven rows from 0 to top in tenths, with a loss coefficient b: 1 - b x^2.
void LossRows(std::vector<std::string>& lines, double top, float b, const char* bad) {
  for (int k = 0; k < kRows; ++k) {
    const double x = k * top / 10;
    const float loss = static_cast<float>(1 - b * x * x);
    engine_maps::RequireFinite({x, loss}, bad);
    lines.push_back(Row(x, loss));
  }
}

}  // namespace

std::vector<std::string> GtMapLines(const GtPrintInputs& in) {
  std::vector<std::string> lines;
  engine_maps::AppendCoreTables(lines, in.core);
  // The flows of the new tables reach the choking flow of the top speed.
  const float w5 = engine_maps::ChokeFlows(in.core.comp)[5];

  lines.push_back("");
  engine_maps::RequireFinite({in.z1, in.z2, in.z3, in.z4},
                             "Inlet, exhaust or load map undefined: check z1 to z4");
  lines.push_back("      ***   INLET MAP   ***");
  lines.push_back(PrintLine().text("       ( z1=").num(in.z1).text(")").str());
  lines.push_back("");
  lines.push_back(Heading("mc1", "pid"));
  LossRows(lines, w5, in.z1, "Inlet map undefined: check z1, c2 and Nc2d");
  lines.push_back("");

  if (in.regenerator != "n") {
    lines.push_back("");
    engine_maps::RequireFinite({in.b33x, in.b55x, in.effectiveness},
                               "Regenerator map undefined: check its three constants");
    lines.push_back("      ***   REGENERATOR MAP   ***");
    lines.push_back(PrintLine()
                        .text("( b33x=")
                        .num(in.b33x)
                        .text(",b55x = ")
                        .num(in.b55x)
                        .text(",effectiveness=")
                        .num(in.effectiveness)
                        .text(")")
                        .str());
    lines.push_back("");
    lines.push_back(Heading("mc3", "pi3-3x"));
    LossRows(lines, in.core.turb.mc4c, in.b33x, "Regenerator map undefined: check b 3-3x and mc4c");
    lines.push_back("");
    lines.push_back(Heading("mc5", "pi5-5x"));
    LossRows(lines, w5, in.b55x, "Regenerator map undefined: check b 5-5x, c2 and Nc2d");
    lines.push_back("");
  }

  lines.push_back("");
  lines.push_back("      ***   EXHAUST MAP   ***");
  lines.push_back(PrintLine().text("       ( z2=").num(in.z2).text(")").str());
  lines.push_back("");
  lines.push_back(Heading("mc5", "pie"));
  LossRows(lines, static_cast<float>(2.0 * w5), in.z2,
           "Exhaust map undefined: check z2, c2 and Nc2d");
  lines.push_back("");
  lines.push_back("");

  lines.push_back("      ***   LOAD MAP   ***");
  lines.push_back(
      PrintLine().text("       ( z3=").num(in.z3).text(", z4=").num(in.z4).text(")").str());
  lines.push_back("");
  lines.push_back(Heading("N", "Power"));
  const float top = static_cast<float>(2.0 * in.core.comp.nc2d);
  for (int k = 0; k < kRows; ++k) {
    const double n = k * static_cast<double>(top) / 10;
    const float power = static_cast<float>(in.z3 * mathfn::pow(n, in.z4));
    engine_maps::RequireFinite({n, power}, "Load map undefined: check z3, z4 and Nc2d");
    lines.push_back(Row(n, power));
  }
  lines.push_back("");
  return lines;
}

}  // namespace shaftfit
