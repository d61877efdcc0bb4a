#include "flowtables/fanno_window.h"

#include "core/numtext.h"

namespace flowtables {

namespace {

const TableDesign& Design() {
  static const TableDesign design{
      .caption = core::Caption("Fanno Line Flow", 15),
      .title = "Fanno Line Flow     (Tt = constant)",
      .inputs = {{"optSingle", "Single Value of M", "Frame1", "txtm1", 1},
                 {"Opts2", "Single Value of 4fL*/D (subsonic)", "Frame2", "Txtfld1", 0.5},
                 {"Opts3", "Single Value of 4fL*/D (supersonic)", "Frame3", "txtfld2", 0.1}},
      .tableCaption = "Table of 11 Values",
      .warnings = {{"Frame4", "Label14", "4fL*/D must be > 0", 200},
                   {"Frame5", "Label13", "4fL*/D must be <", 104, "lblxmax", "0.00", 114}},
      .columns = {{"Label7", "lblAlt2", "Mach Number", "lblmm", "lblm"},
                  {"Label8", "lblPress2", "T/T*", "lblt1", "lblt"},
                  {"Label9", "lblTemp2", "p/p*", "lblp1", "lblp"},
                  {"Label4", "Label1", "pt/pt*", "lblr1", "lblr"},
                  {"Label5", "Label10", "V/V*", "lbla1", "lbla"},
                  {"Label12", "Label11", "4fL*/D", "lblx1", "lblx"}},
      .above = Above{4, core::SymbolText("r*/r="), "Label3", "Label2"},
      .first = 0,
      .last = 1};
  return design;
}

// M = 0 is evaluated at 1E-8.
double Mach(double m) { return m < 1e-9 ? 1e-8 : m; }

}  // namespace

Fanno::Fanno() : LineWindow(Design(), "Fanno line", FannoLine) {
  InputOption(1)->Click = [this] { Opts2_Click(); };
  InputOption(2)->Click = [this] { Opts3_Click(); };
}

void Fanno::Single() {
  const float g = Strict(txtg);
  const FannoConstants k = ConstantsFor<FannoConstants>(g);
  if (Mode() > 0) {
    const bool subsonic = Mode() == 1;
    const double limit = FannoLimit(k);
    WarningValue(1)->setCaption(Out(limit));
    const float read = Strict(Input(Mode()));
    double target = read;
    if (!subsonic && target > limit) {
      why_ = "No state to mark: 4fL*/D must be < " + Out(limit);
      return ShowWarning(1);
    }
    if (target == 0) target = 1e-9;  // M = 1 itself is the end of the line
    if (target < 0) {
      why_ = "No state to mark: 4fL*/D must be > 0";
      return ShowWarning(0);
    }
    auto friction = [&k](double mach) { return FannoRatios(mach, k).fld; };
    auto found = SearchMach(friction, target, subsonic ? 0.01 : 1.1,
                            subsonic ? Branch::Subsonic : Branch::Supersonic);
    if (!found)
      NoSolution(std::string("No ") + (subsonic ? "subsonic" : "supersonic") +
                 " Mach number found for 4fL*/D = " + core::NumberText(read) +
                 " with γ = " + core::NumberText(g));
    const FannoState s = FannoRatios(*found, k);
    ShowResults({Out(*found), Out(s.t), Out(s.p), Out(s.pt), Out(s.ms), Out(read)});
    last_ = LineState{g, *found, txtg->text(), StateText(Out(*found), Out(s.t))};
    return;
  }
  const double m = Mach(Strict(Input(0)));
  const FannoState s = FannoRatios(m, k);
  ShowResults({Out(m), Out(s.t), Out(Limit(s.p)), Out(Limit(s.pt)), Out(s.ms), Out(Limit(s.fld))});
  last_ = LineState{g, m, txtg->text(), StateText(Out(m), Out(s.t))};
}

std::function<Row(float)> Fanno::RowFormula(float g) const {
  return [k = ConstantsFor<FannoConstants>(g)](float row) {
    const double m = Mach(row);
    const FannoState s = FannoRatios(m, k);
    return Row{Out(m), Out(s.t), Out(Limit(s.p)), Out(Limit(s.pt)), Out(s.ms), Out(Limit(s.fld))};
  };
}

}  // namespace flowtables
