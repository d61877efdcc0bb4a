#include "flowtables/planejump.h"

#include <cmath>

namespace flowtables {

// Each constant is formed from the Single γ and then stored as a Single.
ShockConstants::ShockConstants(float gs) {
  const double g = gs;
  k1 = static_cast<float>((g - 1) / 2);
  k2 = static_cast<float>((g + 1) / 2);
  k3 = static_cast<float>(g / (g - 1));
  k4 = static_cast<float>(g / k2);
  k5 = static_cast<float>(static_cast<double>(k1) / k2);
  RequireFinite({k1, k2, k3, k4, k5}, gs);
}

ShockState ShockRelations(double m1, const ShockConstants& k) {
  if (m1 < 1) m1 = 1;  // no shock below sonic speed
  const double mm = m1 * m1;
  const double c1 = 1 + k.k1 * mm;
  ShockState s;
  s.m1 = m1;
  s.r = k.k2 * mm / c1;
  s.p = k.k4 * mm - k.k5;
  s.t = s.p / s.r;
  s.m2 = m1 / std::sqrt(s.r * s.p);
  const double c2 = 1 + k.k1 * s.m2 * s.m2;
  s.pt = std::pow(c2 / c1, static_cast<double>(k.k3)) * s.p;
  s.ptp = std::pow(c2, static_cast<double>(k.k3)) * s.p;
  s.t = Limit(s.t);
  s.p = Limit(s.p);
  s.ptp = Limit(s.ptp);
  return s;
}

PlaneJump::PlaneJump()
    : TableWindow(frame::Caption("Normal Shocks", 28), "Normal Shocks     (Tt = constant)") {
  BuildSelection({{"optSingle", "Single Value", "", ""}}, "Table of 11 Values");
  BuildSingle({{"Label7", "Mach Number", ""},
               {"Label8", "M2", "lblt1"},
               {"Label9", frame::SymbolText("r2/r1"), "lblp1"},
               {"Label4", "T2/T1", "lblr1"},
               {"Label5", "p2/p1", "lbla1"},
               {"Label12", "pt2/pt1", "lblx1"},
               {"Label13", "pt2/p1", "lbly1"}},
              "txtm1");
  BuildMulti({{"lblAlt2", "Mach Number", "lblm"},
              {"Label1", "M2", "lblt"},
              {"Label2", frame::SymbolText("r2/r1"), "lblp"},
              {"Label3", "T2/T1", "lblr"},
              {"Label10", "p2/p1", "lbla"},
              {"Label11", "pt2/pt1", "lblx"},
              {"Label14", "pt2/p1", "lbly"}});

  txtm1 = Box("txtm1");
  lblt1 = Lbl("lblt1");
  lblp1 = Lbl("lblp1");
  lblr1 = Lbl("lblr1");
  lbla1 = Lbl("lbla1");
  lblx1 = Lbl("lblx1");
  lbly1 = Lbl("lbly1");
  lblm = Array("lblm");
  lblt = Array("lblt");
  lblp = Array("lblp");
  lblr = Array("lblr");
  lbla = Array("lbla");
  lblx = Array("lblx");
  lbly = Array("lbly");

  optSingle->Click = [this] { optSingle_Click(); };
  optTable->Click = [this] { optTable_Click(); };
}

void PlaneJump::Form_Load() { SetDefaults({{txtm1, 2}}, 1, 2); }

void PlaneJump::optSingle_Click() {
  frasingle->setVisible(true);
  fraMulti->setVisible(false);
}

void PlaneJump::optTable_Click() {
  frasingle->setVisible(false);
  fraMulti->setVisible(true);
  cmdMcompute_Click();
}

void PlaneJump::cmdscompute_Click() {
  const float m1 = Strict(txtm1);
  g = Strict(txtg);
  const ShockState s = ShockRelations(m1, ShockConstants(g));
  txtm1->setText(Out(m1 < 1 ? 1.0f : m1));
  lblt1->setCaption(Out(s.m2));
  lblp1->setCaption(Out(s.r));
  lblr1->setCaption(Out(s.t));
  lbla1->setCaption(Out(s.p));
  lblx1->setCaption(Out(s.pt));
  lbly1->setCaption(Out(s.ptp));
}

void PlaneJump::cmdMcompute_Click() {
  const auto [first, last] = ReadLimits();
  g = Strict(txtg);
  const ShockConstants k(g);
  for (int i = 0; i < kRows; ++i) {
    const float m1 = RowValue(first, last, i);
    const ShockState s = ShockRelations(m1, k);
    lblm[i]->setCaption(Out(m1 < 1 ? 1.0f : m1));
    lblt[i]->setCaption(Out(s.m2));
    lblp[i]->setCaption(Out(s.r));
    lblr[i]->setCaption(Out(s.t));
    lbla[i]->setCaption(Out(s.p));
    lblx[i]->setCaption(Out(s.pt));
    lbly[i]->setCaption(Out(s.ptp));
  }
}

}  // namespace flowtables
