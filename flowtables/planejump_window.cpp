#include "flowtables/planejump_window.h"

namespace flowtables {

namespace {

const TableDesign& Design() {
  static const TableDesign design{
      .caption = core::Caption("Normal Shocks", 28),
      .title = "Normal Shocks     (Tt = constant)",
      .inputs = {{"optSingle", "Single Value", "", "txtm1", 2}},
      .tableCaption = "Table of 11 Values",
      .columns = {{"Label7", "lblAlt2", "Mach Number", "", "lblm"},
                  {"Label8", "Label1", "M2", "lblt1", "lblt"},
                  {"Label9", "Label2", core::SymbolText("r2/r1"), "lblp1", "lblp"},
                  {"Label4", "Label3", "T2/T1", "lblr1", "lblr"},
                  {"Label5", "Label10", "p2/p1", "lbla1", "lbla"},
                  {"Label12", "Label11", "pt2/pt1", "lblx1", "lblx"},
                  {"Label13", "Label14", "pt2/p1", "lbly1", "lbly"}},
      .first = 1,
      .last = 2};
  return design;
}

// The upstream Mach number used: no shock below sonic speed.
float Upstream(float m1) { return m1 < 1 ? 1.0f : m1; }

}  // namespace

PlaneJump::PlaneJump() : TableWindow(Design()) {}

void PlaneJump::cmdscompute_Click() {
  const float m1 = Strict(Input(0));
  const float g = Strict(txtg);
  const ShockState s = ShockRelations(m1, ConstantsFor<ShockConstants>(g));
  Input(0)->setText(Out(Upstream(m1)));
  ShowResults({Out(s.m2), Out(s.r), Out(s.t), Out(s.p), Out(s.pt), Out(s.ptp)});
}

std::function<Row(float)> PlaneJump::RowFormula(float g) const {
  return [k = ConstantsFor<ShockConstants>(g)](float m1) {
    const ShockState s = ShockRelations(m1, k);
    return Row{Out(Upstream(m1)), Out(s.m2), Out(s.r), Out(s.t), Out(s.p), Out(s.pt), Out(s.ptp)};
  };
}

}  // namespace flowtables
