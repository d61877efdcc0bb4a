#include "flowtables/rayleigh_window.h"

#include "core/numtext.h"

namespace flowtables {

namespace {

const TableDesign& Design() {
  static const TableDesign design{
      .caption = core::Caption("Rayleigh Line Flow", 26),
      .title = "Rayleigh Line Flow",
      .inputs = {{"optSingle", "Single Value of M", "Frame1", "txtm1", 1},
                 {"Opttt1", "Single Value of Tt/Tt* (subsonic)", "Frame2", "Txttt1", 0.7},
                 {"Opttt2", "Single Value of Tt/Tt* (supersonic)", "Frame3", "Txttt2", 0.8}},
      .tableCaption = "Table of 11 Values",
      .warnings = {{"Frame4", "Label13", "Tt/Tt* can not be greater than 1", 300},
                   {"Frame5", "Label14", "Tt/Tt* can not be less than", 154, "Lblttmin", "0.5", 164}},
      .columns = {{"Label7", "lblAlt2", "Mach Number", "Lblmm", "lblm"},
                  {"Label8", "lblPress2", "T/T*", "lblt1", "lblt"},
                  {"Label9", "lblTemp2", "p/p*", "lblp1", "lblp"},
                  {"Label4", "Label1", "pt/pt*", "lblr1", "lblr"},
                  {"Label5", "Label10", "V/V*", "lbla1", "lbla"},
                  {"Label12", "Label11", "Tt/Tt*", "lblx1", "lblx"}},
      .above = Above{4, core::SymbolText("r*/r="), "Label3", "Label2"},
      .first = 0,
      .last = 1};
  return design;
}

// M = 0 is evaluated at 1E-8.
double Mach(double m) { return m < 1e-9 ? 1e-8 : m; }

}  // namespace

Rayleigh::Rayleigh() : LineWindow(Design(), "Rayleigh line", RayleighLine) {
  InputOption(1)->Click = [this] { Opttt1_Click(); };
  InputOption(2)->Click = [this] { Opttt2_Click(); };
}

void Rayleigh::Single() {
  const float g = Strict(txtg);
  const RayleighConstants k = ConstantsFor<RayleighConstants>(g);
  if (Mode() > 0) {
    const bool subsonic = Mode() == 1;
    const double limit = RayleighLimit(k);
    WarningValue(1)->setCaption(Out(limit));
    const float target = Strict(Input(Mode()));
    if (!subsonic && target < limit) {
      why_ = "No state to mark: Tt/Tt* can not be less than " + Out(limit);
      return ShowWarning(1);
    }
    if (target > 1) {
      why_ = "No state to mark: Tt/Tt* can not be greater than 1";
      return ShowWarning(0);
    }
    auto heat = [&k](double mach) { return RayleighRatios(mach, k).T0; };
    auto found = SearchMach(heat, target, subsonic ? 0.5 : 1.1,
                            subsonic ? Branch::Subsonic : Branch::Supersonic);
    if (!found)
      NoSolution(std::string("No ") + (subsonic ? "subsonic" : "supersonic") +
                 " Mach number found for Tt/Tt* = " + core::NumberText(target) +
                 " with γ = " + core::NumberText(g));
    const RayleighState s = RayleighRatios(*found, k);
    ShowResults({Out(*found), Out(s.t), Out(s.p), Out(s.pt), Out(s.ms), Out(target)});
    last_ = LineState{g, *found, txtg->text(), StateText(Out(*found), Out(s.t))};
    return;
  }
  const double m = Mach(Strict(Input(0)));
  const RayleighState s = RayleighRatios(m, k);
  ShowResults({Out(m), Out(s.t), Out(Limit(s.p)), Out(Limit(s.pt)), Out(s.ms), Out(Limit(s.T0))});
  last_ = LineState{g, m, txtg->text(), StateText(Out(m), Out(s.t))};
}

std::function<Row(float)> Rayleigh::RowFormula(float g) const {
  return [k = ConstantsFor<RayleighConstants>(g)](float row) {
    const double m = Mach(row);
    const RayleighState s = RayleighRatios(m, k);
    return Row{Out(m), Out(s.t), Out(Limit(s.p)), Out(Limit(s.pt)), Out(s.ms), Out(Limit(s.T0))};
  };
}

}  // namespace flowtables
