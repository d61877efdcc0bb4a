#include "flowtables/isoheat.h"

#include <cmath>

namespace flowtables {

IsothermalHeatConstants::IsothermalHeatConstants(float gs)
    : g(gs),
      k1(static_cast<float>((g - 1) / 2)),
      k2(static_cast<float>(g / 2)),
      k3(static_cast<float>(2 / (g + 1))),
      k4(static_cast<float>(g / (g - 1))),
      k6(static_cast<float>(g + 1)) {
  RequireFinite({k1, k2, k3, k4, k6}, gs);
}

IsothermalHeatState IsothermalHeatRatios(double m, const IsothermalHeatConstants& k) {
  if (m < 1e-9) m = 1e-8;
  IsothermalHeatState s;
  const double mm = m * m;
  s.m = m;
  s.p = std::exp(k.k2 * (1 - mm));
  s.tt = (1 + k.k1 * mm) * k.k3;
  double pt = std::pow(s.tt, static_cast<double>(k.k4)) * s.p;
  // Far out (or with γ close to 1) the power overflows while p/p* underflows
  // to 0; their product is then formed from the logarithms instead.
  if (std::isnan(pt)) pt = std::exp(k.k4 * std::log(s.tt) + k.k2 * (1 - mm));
  s.pt = Limit(pt);
  s.a = Limit(1 / (m * s.p));
  s.f = Limit((1 + k.g * mm) / (m * k.k6));
  return s;
}

IsoHeat::IsoHeat()
    : TableWindow(frame::Caption("Isothermal Flow w/ Heat Transfer & Area Change", 8),
                  "Isothermal Flow with Heat Transfer and Area Change") {
  lblTitle->rect = {90, 8, 720, 38};  // the longest title of the family
  BuildSelection({{"optSingle", "Single Value", "", ""}}, "Table of 11 Values");
  BuildSingle({{"Label7", "Mach Number", ""},
               {"Label9", "p/p*", "lblt1"},
               {"Label4", "pt/pt*", "lblp1"},
               {"Label5", "A/A*", "lblr1"},
               {"Label8", "F/F*", "lbla1"},
               {"Label12", "Tt/Tt*", "lblx1"}},
              "txtm1");
  BuildMulti({{"lblAlt2", "Mach Number", "lblm"},
              {"lblPress2", "p/p*", "lblt"},
              {"lblTemp2", "pt/pt*", "lblp"},
              {"Label1", "A/A*", "lblr"},
              {"Label10", "F/F*", "lbla"},
              {"Label11", "Tt/Tt*", "lblx"}});

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

void IsoHeat::Form_Load() { SetDefaults({{txtm1, 1}}, 0, 1); }

void IsoHeat::optSingle_Click() {
  frasingle->setVisible(true);
  fraMulti->setVisible(false);
}

void IsoHeat::optTable_Click() {
  frasingle->setVisible(false);
  fraMulti->setVisible(true);
  cmdMcompute_Click();
}

void IsoHeat::cmdscompute_Click() {
  const float m = Strict(txtm1);
  g = Strict(txtg);
  const IsothermalHeatState s = IsothermalHeatRatios(m, IsothermalHeatConstants(g));
  lblt1->setCaption(Out(s.p));
  lblp1->setCaption(Out(s.pt));
  lblr1->setCaption(Out(s.a));
  lbla1->setCaption(Out(s.f));
  lblx1->setCaption(Out(s.tt));
}

void IsoHeat::cmdMcompute_Click() {
  const auto [first, last] = ReadLimits();
  g = Strict(txtg);
  const IsothermalHeatConstants k(g);
  for (int i = 0; i < kRows; ++i) {
    const float m = RowValue(first, last, i);
    const IsothermalHeatState s = IsothermalHeatRatios(m, k);
    lblm[i]->setCaption(m < 1e-9f ? Out(s.m) : Out(m));
    lblt[i]->setCaption(Out(s.p));
    lblp[i]->setCaption(Out(s.pt));
    lblr[i]->setCaption(Out(s.a));
    lbla[i]->setCaption(Out(s.f));
    lblx[i]->setCaption(Out(s.tt));
  }
}

}  // namespace flowtables
