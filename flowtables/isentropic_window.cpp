#include "flowtables/isentropic_window.h"

#include "core/numtext.h"

namespace flowtables {

namespace {

const TableDesign& Design() {
  static const TableDesign design{
      .caption = core::Caption("Isentropic Flow", 16),
      .title = "Isentropic Flow",
      .inputs = {{"optSingle", "Single Value of M", "Fram", "txtm1", 1},
                 {"OptSingleAA", "Single Value of A/A* (subsonic)", "Fraaa1", "Txtaa1", 2},
                 {"Optsingleaa2", "Single Value of A/A* (supersonic)", "Fraaa2", "Txtaa2", 1.5}},
      .tableCaption = "Table of 11 Values of M",
      .warnings = {{"Frame1", "Label5", "A/A* must be at least one!"}},
      .columns = {{"Label7", "lblAlt2", "Mach Number", "Lblmm", "lblm"},
                  {"Label8", "lblPress2", "T/Tt", "lblt1", "lblt"},
                  {"Label9", "lblTemp2", "p/pt", "lblp1", "lblp"},
                  {"Label4", "Label1", core::SymbolText("r/rt"), "lblr1", "lblr"},
                  {"Label3", "Label2", "A/A*", "lbla1", "lbla"}},
      .first = 0,
      .last = 1};
  return design;
}

// A/A* is shown through its number text, as the ratio was held.
std::string AreaText(double a) { return core::FormatPattern(core::NumberText(a), "0.####"); }

}  // namespace

Isentropic::Isentropic() : TableWindow(Design()) {
  InputOption(1)->Click = [this] { OptSingleAA_Click(); };
  InputOption(2)->Click = [this] { Optsingleaa2_Click(); };
}

void Isentropic::cmdscompute_Click() {
  const float g = Strict(txtg);
  const IsentropicConstants k = ConstantsFor<IsentropicConstants>(g);
  if (Mode() > 0) {
    const bool subsonic = Mode() == 1;
    const double a = Strict(Input(Mode()));
    if (a < 1) return ShowWarning(0);
    auto area = [&k](double m) { return IsentropicRatios(m, k).a; };
    auto m = SearchMach(area, a, subsonic ? 0.01 : 1.1,
                        subsonic ? Branch::Subsonic : Branch::Supersonic);
    if (!m)
      NoSolution(std::string("No ") + (subsonic ? "subsonic" : "supersonic") +
                 " Mach number found for A/A* = " + core::NumberText(a) +
                 " with γ = " + core::NumberText(g));
    const IsentropicState s = IsentropicRatios(*m, k);
    ShowResults({Out(s.m), Out(s.t), Out(s.p), Out(s.r), AreaText(a)});
    return;
  }
  const float mach = Strict(Input(0));
  const IsentropicState s = IsentropicRatios(mach, k);
  ShowResults({mach < 1e-9f ? Out(s.m) : Out(mach), Out(s.t), Out(s.p), Out(s.r),
               AreaText(Limit(s.a))});
}

std::function<Row(float)> Isentropic::RowFormula(float g) const {
  return [k = ConstantsFor<IsentropicConstants>(g)](float mach) {
    const IsentropicState s = IsentropicRatios(mach, k);
    return Row{mach < 1e-9f ? Out(s.m) : Out(mach), Out(s.t), Out(s.p), Out(s.r),
               AreaText(Limit(s.a))};
  };
}

}  // namespace flowtables
