#include "flowtables/rayleigh.h"

#include <cmath>

#include "frame/numtext.h"

namespace flowtables {

RayleighConstants::RayleighConstants(float gs) : g(gs) {
  g1 = (g - 1) / 2;
  g2 = g + 1;
  g3 = g / (g - 1);
  g4 = 2 / (g + 1);
  g5 = std::pow(g4, g3);
  RequireFinite({g1, g2, g3, g4, g5}, gs);
}

RayleighState RayleighRatios(double m, const RayleighConstants& k) {
  RayleighState s;
  const double mm = m * m;
  s.ms = k.g2 * mm / (k.g * mm + 1);
  s.t = (s.ms / m) * (s.ms / m);
  s.p = s.ms / mm;
  s.c = 1 + k.g1 * mm;
  s.T0 = s.t * k.g4 * s.c;
  s.pt = std::pow(s.c, k.g3) * (k.g5 * s.p);
  return s;
}

double RayleighLimit(const RayleighConstants& k) { return RayleighRatios(10000, k).T0; }

Rayleigh::Rayleigh()
    : TableWindow(frame::Caption("Rayleigh Line Flow", 26), "Rayleigh Line Flow") {
  BuildSelection({{"optSingle", "Single Value of M", "Frame1", "txtm1"},
                  {"Opttt1", "Single Value of Tt/Tt* (subsonic)", "Frame2", "Txttt1"},
                  {"Opttt2", "Single Value of Tt/Tt* (supersonic)", "Frame3", "Txttt2"}},
                 "Table of 11 Values");
  Frame4 = AddWarning("Frame4", "Label13", "Tt/Tt* can not be greater than 1", 300);
  Frame5 = AddWarning("Frame5", "Label14", "Tt/Tt* can not be less than", 154);
  Lblttmin = AddLabel("Lblttmin", "0.5", {164, 6, 80, 28}, Frame5, frame::Look::Warning);
  BuildSingle({{"Label7", "Mach Number", "Lblmm"},
               {"Label8", "T/T*", "lblt1"},
               {"Label9", "p/p*", "lblp1"},
               {"Label4", "pt/pt*", "lblr1"},
               {"Label5", "V/V*", "lbla1"},
               {"Label12", "Tt/Tt*", "lblx1"}});
  AddAbove(frasingle, 4, "Label3", frame::SymbolText("r*/r="));
  BuildMulti({{"lblAlt2", "Mach Number", "lblm"},
              {"lblPress2", "T/T*", "lblt"},
              {"lblTemp2", "p/p*", "lblp"},
              {"Label1", "pt/pt*", "lblr"},
              {"Label10", "V/V*", "lbla"},
              {"Label11", "Tt/Tt*", "lblx"}});
  AddAbove(fraMulti, 4, "Label2", frame::SymbolText("r*/r="));

  Opttt1 = static_cast<frame::Option*>(Find("Opttt1"));
  Opttt2 = static_cast<frame::Option*>(Find("Opttt2"));
  Frame1 = static_cast<frame::Frame*>(Find("Frame1"));
  Frame2 = static_cast<frame::Frame*>(Find("Frame2"));
  Frame3 = static_cast<frame::Frame*>(Find("Frame3"));
  txtm1 = Box("txtm1");
  Txttt1 = Box("Txttt1");
  Txttt2 = Box("Txttt2");
  Lblmm = Lbl("Lblmm");
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
  Opttt1->Click = [this] { Opttt1_Click(); };
  Opttt2->Click = [this] { Opttt2_Click(); };
  optTable->Click = [this] { optTable_Click(); };
  txtm1->Change = [this] { txtm1_Change(); };
  Txttt1->Change = [this] { txtm1_Change(); };
  Txttt2->Change = [this] { txtm1_Change(); };
}

void Rayleigh::Form_Load() { SetDefaults({{txtm1, 1}, {Txttt1, 0.7}, {Txttt2, 0.8}}, 0, 1); }

void Rayleigh::optSingle_Click() {
  frasingle->setVisible(true);
  ShowOnly(Frame1, {fraMulti, Frame2, Frame3, Frame4, Frame5});
  sss = 1;
}

void Rayleigh::Opttt1_Click() {
  frasingle->setVisible(true);
  ShowOnly(Frame2, {fraMulti, Frame1, Frame3, Frame4, Frame5});
  sss = 2;
}

void Rayleigh::Opttt2_Click() {
  frasingle->setVisible(true);
  ShowOnly(Frame3, {fraMulti, Frame1, Frame2, Frame4, Frame5});
  sss = 3;
}

void Rayleigh::optTable_Click() {
  fraMulti->setVisible(true);
  ShowOnly(nullptr, {frasingle, Frame1, Frame2, Frame3, Frame4, Frame5});
  cmdMcompute_Click();
}

void Rayleigh::txtm1_Change() {
  frasingle->setVisible(true);
  Frame4->setVisible(false);
  Frame5->setVisible(false);
}

void Rayleigh::Show(const RayleighState& s, double mach) {
  Lblmm->setCaption(Out(mach));
  lblt1->setCaption(Out(s.t));
  lblp1->setCaption(Out(s.p));
  lblr1->setCaption(Out(s.pt));
  lbla1->setCaption(Out(s.ms));
}

void Rayleigh::cmdscompute_Click() {
  g = Strict(txtg);
  const RayleighConstants k(g);
  if (sss > 1) {
    const bool subsonic = sss == 2;
    const double limit = RayleighLimit(k);
    Lblttmin->setCaption(Out(limit));
    const float target = Strict(subsonic ? Txttt1 : Txttt2);
    if (!subsonic && target < limit) {
      Frame5->setVisible(true);
      frasingle->setVisible(false);
      return;
    }
    if (target > 1) {
      Frame4->setVisible(true);
      frasingle->setVisible(false);
      return;
    }
    auto heat = [&k](double mach) { return RayleighRatios(mach, k).T0; };
    auto found = SearchMach(heat, target, subsonic ? 0.5 : 1.1,
                            subsonic ? Branch::Subsonic : Branch::Supersonic);
    if (!found)
      NoSolution({Lblmm, lblt1, lblp1, lblr1, lbla1, lblx1},
                 std::string("No ") + (subsonic ? "subsonic" : "supersonic") +
                     " Mach number found for Tt/Tt* = " + frame::NumberText(target) +
                     " with γ = " + frame::NumberText(g));
    m = *found;
    Show(RayleighRatios(m, k), m);
    lblx1->setCaption(Out(target));
    return;
  }
  m = Strict(txtm1);
  if (m < 1e-9) m = 1e-8;
  RayleighState s = RayleighRatios(m, k);
  s.p = Limit(s.p);
  s.pt = Limit(s.pt);
  Show(s, m);
  lblx1->setCaption(Out(Limit(s.T0)));
}

void Rayleigh::cmdMcompute_Click() {
  const auto [first, last] = ReadLimits();
  g = Strict(txtg);
  const RayleighConstants k(g);
  for (int i = 0; i < kRows; ++i) {
    m = RowValue(first, last, i);
    if (m < 1e-9) m = 1e-8;
    const RayleighState s = RayleighRatios(m, k);
    lblm[i]->setCaption(Out(m));
    lblt[i]->setCaption(Out(s.t));
    lblp[i]->setCaption(Out(Limit(s.p)));
    lblr[i]->setCaption(Out(Limit(s.pt)));
    lbla[i]->setCaption(Out(s.ms));
    lblx[i]->setCaption(Out(Limit(s.T0)));
  }
}

}  // namespace flowtables
