#include "thrustfit/jet_print.h"

#include <cmath>

#include "core/printline.h"
#include "lib/mathfn/mathfn.h"

namespace thrustfit {
namespace {

using core::PrintLine;
using engine_maps::RequireFinite;

constexpr double kGammaN = 1.36;  // the nozzle table's own gas

void Diffuser(std::vector<std::string>& lines, const JetPrintInputs& in) {
  lines.push_back("");
  RequireFinite({in.pidd}, "Diffuser map undefined: check pidd");
  lines.push_back("      ***   DIFFUSER MAP   ***");
  lines.push_back(PrintLine().text("       ( pidd=").num(in.pidd).text(")").str());
  lines.push_back("");
  lines.push_back(PrintLine().text("Mach").zone().text("pid").str());
  double mach = -0.25;
  for (int k = 0; k < 9; ++k) {
    mach += 0.25;
    const float pid = static_cast<float>(engine_maps::DiffuserRecovery(in.pidd, mach));
    lines.push_back(PrintLine().num(mach).zone().num(pid).str());
  }
  lines.push_back("");
}

// Pressure ratio at which the exit reaches Mach me with the efficiency etan.
double RatioAtMach(double me, double etan) {
  const double g = kGammaN;
  return 1 / mathfn::pow((1 / (1 + (g - 1) / 2 * me * me) - 1 + etan) / etan, g / (g - 1));
}

void Nozzle(std::vector<std::string>& lines, const JetPrintInputs& in) {
  const double g = kGammaN;
  lines.push_back("");
  const char* bad = "Nozzle map undefined: check mn, etand and a";
  RequireFinite({in.mn, in.etand, in.a}, bad);
  lines.push_back("      ***   NOZZLE MAP   ***");
  lines.push_back(PrintLine()
                      .text(" ( ntyp= ")
                      .text(in.nozzle)
                      .text(" ,mn=")
                      .num(in.mn)
                      .text(",etand=")
                      .num(in.etand)
                      .text(",a1=")
                      .num(in.a)
                      .text(",gamman=")
                      .num(kGammaN)
                      .text(")")
                      .str());
  lines.push_back("");
  PrintLine head;
  head.text("pp50").zone().text("mc5").zone().text("Me").zone().text("etn").zone().text("ae/a*");
  lines.push_back(head.str());

  // Subsonic band up to Me = 1; the variable nozzles add a band up to 2.
  const bool convergent = in.nozzle == "c";
  const int bands = convergent ? 1 : 2;
  double etan = in.etand;
  double start = 1;
  for (int band = 1; band <= bands; ++band) {
    const double end = RatioAtMach(band, etan);
    const double step = (end - start) / 7;
    float p = static_cast<float>(start - step);
    for (int row = 0; row < 8; ++row) {
      p = static_cast<float>(p + step);
      etan = in.etand;
      float me = 0;
      for (int pass = 0; pass < 4; ++pass) {
        // NozzleExitMach's law, written in the table's own order (1/pow,
        // the efficiency term first): that order keeps the printed digits.
        me = static_cast<float>(
            std::sqrt(2 / (g - 1) * (1 / (etan * (1 / mathfn::pow(p, (g - 1) / g)) + 1 - etan) - 1)));
        etan = in.etand - in.a * static_cast<double>(me) * me;
      }
      if (convergent && me >= 1) {
        me = 1;
        etan = in.etand - in.a;
        p = static_cast<float>(engine_maps::NozzleCriticalRatio(g, etan));
      }
      const double area = me >= 0.001f ? engine_maps::NozzleAreaRatio(me, g, etan) : 999.0;
      const double af = in.nozzle == "cd1" ? area : 1;
      const double t = 1 + (g - 1) / 2 * static_cast<double>(me) * me;
      const double mc5 =
          static_cast<double>(in.mn) * me * af * std::sqrt(g / 1.4) * std::sqrt(t) / p;
      if (band == 2 && row == 0) continue;  // the first band's last row again
      RequireFinite({p, static_cast<float>(mc5), me, etan, static_cast<float>(area)}, bad);
      lines.push_back(PrintLine()
                          .num(p)
                          .zone()
                          .num(static_cast<float>(mc5))
                          .zone()
                          .num(me)
                          .zone()
                          .num(etan)
                          .zone()
                          .num(static_cast<float>(area))
                          .str());
    }
    start = end;
  }
}

void Airframe(std::vector<std::string>& lines, const JetPrintInputs& in) {
  lines.push_back("");
  lines.push_back("");
  RequireFinite({in.d1, in.engines, in.d1 * 4},
                "Airframe map undefined: check the drag and engines");
  lines.push_back("      ***   AIRFRAME MAP   ***");
  lines.push_back(PrintLine()
                      .text("       ( Cdm = ")
                      .num(in.d1)
                      .text(",No. engines = ")
                      .num(in.engines)
                      .text(")")
                      .str());
  lines.push_back("");
  lines.push_back(PrintLine().text("Mach").zone().text("Drag(lbf)").str());
  double mach = 0;
  for (int k = 0; k < 10; ++k) {
    mach += 0.2;
    lines.push_back(PrintLine().num(mach).zone().num(in.d1 * mach * mach).str());
  }
}

}  // namespace

std::vector<std::string> JetMapLines(const JetPrintInputs& in) {
  std::vector<std::string> lines;
  engine_maps::AppendCoreTables(lines, in.core);
  if (in.mode == Mode::GasGenerator) return lines;
  Diffuser(lines, in);
  Nozzle(lines, in);
  if (in.mode == Mode::Airframe) Airframe(lines, in);
  return lines;
}

}  // namespace thrustfit
