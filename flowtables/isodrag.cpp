#include "flowtables/isodrag.h"

#include <cmath>

namespace flowtables {

IsothermalFrictionConstants::IsothermalFrictionConstants(float gs)
    : g(gs),
      k1(static_cast<float>((g - 1) / 2)),
      k2(static_cast<float>(2 * g / (3 * g - 1))),
      k3(static_cast<float>(g / (g - 1))),
      sg(std::sqrt(g)) {
  RequireFinite({k1, k2, k3, sg}, gs);
}

IsothermalFrictionState IsothermalFrictionRatios(double m, const IsothermalFrictionConstants& k) {
  if (m < 1e-9) m = 1e-8;
  IsothermalFrictionState s;
  const double mm = m * m;
  s.m = m;
  s.v = m * k.sg;
  s.tt = (1 + k.k1 * mm) * k.k2;
  s.pt = Limit(std::pow(s.tt, static_cast<double>(k.k3)) / s.v);
  s.f = Limit((1 + k.g * mm) / (2 * s.v));
  s.fld = Limit(std::log(s.v * s.v) + (1 - k.g * mm) / (s.v * s.v));
  return s;
}

IsoDrag::IsoDrag()
    : TableWindow(frame::Caption("Isothermal Flow with Friction", 22,
                                 "FOR EDUCATIONAL PURPOSES ONLY (See Discalimer)"),
                  "Isothermal Flow with Friction") {
  BuildSelection({{"optSingle", "Single Value", "", ""}}, "Table of 11 Values");
  // A note on the reference state, with γ set into the gap of "sqr(   )".
  AddLabel("Label14", "Lmax is maximum length of duct where Mexit=sqr(   )",
           {16, BelowGamma(), 200, 44});
  AddLabel("Label15", frame::SymbolText("g"), {116, BelowGamma() + 19, 10, 22});
  BuildSingle({{"Label7", "Mach Number", ""},
               {"Label5", "V/VLmax", "lblt1"},
               {"Label8", "Tt/TtLmax", "lblp1"},
               {"Label4", "pt/ptLmax", "lblr1"},
               {"Label9", "F/FLmax", "lbla1"},
               {"Label12", "4fLmax/D", "lblx1"}},
              "txtm1");
  // ρLmax/ρ =: the subscript is a label of its own set into the gap.
  Subscript(AddAbove(frasingle, 1, "Label3", frame::SymbolText("r        /r=")), "Label13");
  BuildMulti({{"lblAlt2", "Mach Number", "lblm"},
              {"Label16", "V/VLmax", "lblt"},
              {"Label11", "Tt/TtLmax", "lblp"},
              {"Label10", "pt/ptLmax", "lblr"},
              {"Label2", "F/FLmax", "lbla"},
              {"Label1", "4fLmax/D", "lblx"}});
  Subscript(AddAbove(fraMulti, 1, "Label18", frame::SymbolText("r        /r=")), "Label17");

  txtm1 = Box("txtm1");
  lblt1 = Lbl("lblt1");
  lblp1 = Lbl("lblp1");
  lblr1 = Lbl("lblr1");
  lbla1 = Lbl("lbla1");
  lblx1 = Lbl("lblx1");
  lblm = Array("lblm");
  lblt = Array("lblt");
  lblp = Array("lblp");
  lblr = Array("lblr");
  lbla = Array("lbla");
  lblx = Array("lblx");

  optSingle->Click = [this] { optSingle_Click(); };
  optTable->Click = [this] { optTable_Click(); };
}

void IsoDrag::Subscript(frame::Label* over, const std::string& name) {
  // "Lmax" in the blanks after ρ, a little lower, in a smaller face.
  const frame::Rect r = over->rect;
  frame::Label* sub =
      AddLabel(name, "Lmax", {r.x + r.w / 2 - 20, r.y + 5, 28, r.h}, over->parent());
  sub->points = 8;
}

void IsoDrag::Form_Load() { SetDefaults({{txtm1, 1}}, 0, 1); }

void IsoDrag::optSingle_Click() {
  frasingle->setVisible(true);
  fraMulti->setVisible(false);
}

void IsoDrag::optTable_Click() {
  frasingle->setVisible(false);
  fraMulti->setVisible(true);
  cmdMcompute_Click();
}

void IsoDrag::cmdscompute_Click() {
  const float m = Strict(txtm1);
  g = Strict(txtg);
  const IsothermalFrictionState s = IsothermalFrictionRatios(m, IsothermalFrictionConstants(g));
  lblt1->setCaption(Out(s.v));
  lblp1->setCaption(Out(s.tt));
  lblr1->setCaption(Out(s.pt));
  lbla1->setCaption(Out(s.f));
  lblx1->setCaption(Out(s.fld));
}

void IsoDrag::cmdMcompute_Click() {
  const auto [first, last] = ReadLimits();
  g = Strict(txtg);
  const IsothermalFrictionConstants k(g);
  for (int i = 0; i < kRows; ++i) {
    const float m = RowValue(first, last, i);
    const IsothermalFrictionState s = IsothermalFrictionRatios(m, k);
    lblm[i]->setCaption(m < 1e-9f ? Out(s.m) : Out(m));
    lblt[i]->setCaption(Out(s.v));
    lblp[i]->setCaption(Out(s.tt));
    lblr[i]->setCaption(Out(s.pt));
    lbla[i]->setCaption(Out(s.f));
    lblx[i]->setCaption(Out(s.fld));
  }
}

}  // namespace flowtables
