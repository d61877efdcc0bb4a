#include "flowtables/isodrag_window.h"

#include "core/numtext.h"

namespace flowtables {

namespace {

const TableDesign& Design() {
  static const TableDesign design{
      .caption = core::Caption("Isothermal Flow with Friction", 22,
                                "FOR EDUCATIONAL PURPOSES ONLY (See Discalimer)"),
      .title = "Isothermal Flow with Friction",
      .inputs = {{"optSingle", "Single Value", "", "txtm1", 1}},
      .tableCaption = "Table of 11 Values",
      // A note on the reference state, with γ set into the gap of "sqr(   )".
      .notes = {{"Label14", "Lmax is maximum length of duct where Mexit=sqr(   )", {16, 0, 200, 44}},
                {"Label15", core::SymbolText("g"), {116, 19, 10, 22}}},
      .columns = {{"Label7", "lblAlt2", "Mach Number", "", "lblm"},
                  {"Label5", "Label16", "V/VLmax", "lblt1", "lblt"},
                  {"Label8", "Label11", "Tt/TtLmax", "lblp1", "lblp"},
                  {"Label4", "Label10", "pt/ptLmax", "lblr1", "lblr"},
                  {"Label9", "Label2", "F/FLmax", "lbla1", "lbla"},
                  {"Label12", "Label1", "4fLmax/D", "lblx1", "lblx"}},
      // ρLmax/ρ =: the subscript is a label of its own set into the gap.
      .above = Above{1, core::SymbolText("r        /r="), "Label3", "Label18", "Label13", "Label17"},
      .first = 0,
      .last = 1};
  return design;
}

}  // namespace

IsoDrag::IsoDrag() : TableWindow(Design()) {}

void IsoDrag::cmdscompute_Click() {
  const float m = Strict(Input(0));
  const float g = Strict(txtg);
  const IsothermalFrictionState s = IsothermalFrictionRatios(m, ConstantsFor<IsothermalFrictionConstants>(g));
  ShowResults({Out(s.v), Out(s.tt), Out(s.pt), Out(s.f), Out(s.fld)});
}

std::function<Row(float)> IsoDrag::RowFormula(float g) const {
  return [k = ConstantsFor<IsothermalFrictionConstants>(g)](float m) {
    const IsothermalFrictionState s = IsothermalFrictionRatios(m, k);
    return Row{m < 1e-9f ? Out(s.m) : Out(m), Out(s.v), Out(s.tt), Out(s.pt), Out(s.f), Out(s.fld)};
  };
}

}  // namespace flowtables
