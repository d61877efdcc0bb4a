#include "flowtables/isoheat_window.h"

namespace flowtables {

namespace {

const TableDesign& Design() {
  static const TableDesign design{
      .caption = core::Caption("Isothermal Flow w/ Heat Transfer & Area Change", 8),
      .title = "Isothermal Flow with Heat Transfer and Area Change",
      .titleRect = core::Rect{90, 8, 720, 38},  // the longest title of the family
      .inputs = {{"optSingle", "Single Value", "", "txtm1", 1}},
      .tableCaption = "Table of 11 Values",
      .columns = {{"Label7", "lblAlt2", "Mach Number", "", "lblm"},
                  {"Label9", "lblPress2", "p/p*", "lblt1", "lblt"},
                  {"Label4", "lblTemp2", "pt/pt*", "lblp1", "lblp"},
                  {"Label5", "Label1", "A/A*", "lblr1", "lblr"},
                  {"Label8", "Label10", "F/F*", "lbla1", "lbla"},
                  {"Label12", "Label11", "Tt/Tt*", "lblx1", "lblx"}},
      .first = 0,
      .last = 1};
  return design;
}

}  // namespace

IsoHeat::IsoHeat() : TableWindow(Design()) {}

void IsoHeat::cmdscompute_Click() {
  const float m = Strict(Input(0));
  const float g = Strict(txtg);
  const IsothermalHeatState s = IsothermalHeatRatios(m, ConstantsFor<IsothermalHeatConstants>(g));
  ShowResults({Out(s.p), Out(s.pt), Out(s.a), Out(s.f), Out(s.tt)});
}

std::function<Row(float)> IsoHeat::RowFormula(float g) const {
  return [k = ConstantsFor<IsothermalHeatConstants>(g)](float m) {
    const IsothermalHeatState s = IsothermalHeatRatios(m, k);
    return Row{m < 1e-9f ? Out(s.m) : Out(m), Out(s.p), Out(s.pt), Out(s.a), Out(s.f), Out(s.tt)};
  };
}

}  // namespace flowtables
