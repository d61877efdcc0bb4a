#include "flowtables/isentropic.h"

#include <cmath>

#include "frame/numtext.h"

namespace flowtables {

IsentropicConstants::IsentropicConstants(float gs) {
  const double g = gs;
  g1 = (g - 1) / 2;
  g2 = 2 / (g + 1);
  g3 = g / (g - 1);
  g5 = (g + 1) / (2 * (g - 1));
  g6 = std::pow(g2, g5);
}

IsentropicState IsentropicRatios(double m, const IsentropicConstants& k) {
  if (m < 1e-9) m = 1e-8;
  const double c = 1 + k.g1 * m * m;
  IsentropicState s;
  s.m = m;
  s.t = 1 / c;
  s.p = std::pow(s.t, k.g3);
  s.r = s.p / s.t;
  s.a = std::pow(c, k.g5) * k.g6 / m;
  return s;
}

Isentropic::Isentropic()
    : TableWindow(frame::Caption("Isentropic Flow", 16), "Isentropic Flow") {
  BuildSelection({{"optSingle", "Single Value of M", "Fram", "txtm1"},
                  {"OptSingleAA", "Single Value of A/A* (subsonic)", "Fraaa1", "Txtaa1"},
                  {"Optsingleaa2", "Single Value of A/A* (supersonic)", "Fraaa2", "Txtaa2"}},
                 "Table of 11 Values of M");
  Frame1 = AddWarning("Frame1", "Label5", "A/A* must be at least one!");
  BuildSingle({{"Label7", "Mach Number", "Lblmm"},
               {"Label8", "T/Tt", "lblt1"},
               {"Label9", "p/pt", "lblp1"},
               {"Label4", frame::SymbolText("r/rt"), "lblr1"},
               {"Label3", "A/A*", "lbla1"}});
  BuildMulti({{"lblAlt2", "Mach Number", "lblm"},
              {"lblPress2", "T/Tt", "lblt"},
              {"lblTemp2", "p/pt", "lblp"},
              {"Label1", frame::SymbolText("r/rt"), "lblr"},
              {"Label2", "A/A*", "lbla"}});

  OptSingleAA = static_cast<frame::Option*>(Find("OptSingleAA"));
  Optsingleaa2 = static_cast<frame::Option*>(Find("Optsingleaa2"));
  Fram = static_cast<frame::Frame*>(Find("Fram"));
  Fraaa1 = static_cast<frame::Frame*>(Find("Fraaa1"));
  Fraaa2 = static_cast<frame::Frame*>(Find("Fraaa2"));
  txtm1 = Box("txtm1");
  Txtaa1 = Box("Txtaa1");
  Txtaa2 = Box("Txtaa2");
  Lblmm = Lbl("Lblmm");
  lblt1 = Lbl("lblt1");
  lblp1 = Lbl("lblp1");
  lblr1 = Lbl("lblr1");
  lbla1 = Lbl("lbla1");
  lblm = Array("lblm");
  lblt = Array("lblt");
  lblp = Array("lblp");
  lblr = Array("lblr");
  lbla = Array("lbla");

  optSingle->Click = [this] { optSingle_Click(); };
  OptSingleAA->Click = [this] { OptSingleAA_Click(); };
  Optsingleaa2->Click = [this] { Optsingleaa2_Click(); };
  optTable->Click = [this] { optTable_Click(); };
  txtm1->Change = [this] { txtm1_Change(); };
  Txtaa1->Change = [this] { txtm1_Change(); };
  Txtaa2->Change = [this] { txtm1_Change(); };
}

void Isentropic::Form_Load() { SetDefaults({{txtm1, 1}, {Txtaa1, 2}, {Txtaa2, 1.5}}, 0, 1); }

void Isentropic::optSingle_Click() {
  frasingle->setVisible(true);
  ShowOnly(Fram, {Fraaa1, Fraaa2});
  fraMulti->setVisible(false);
  Frame1->setVisible(false);
  sss = 1;
}

void Isentropic::OptSingleAA_Click() {
  frasingle->setVisible(true);
  ShowOnly(Fraaa1, {Fram, Fraaa2});
  fraMulti->setVisible(false);
  Frame1->setVisible(false);
  sss = 2;
}

void Isentropic::Optsingleaa2_Click() {
  frasingle->setVisible(true);
  ShowOnly(Fraaa2, {Fram, Fraaa1});
  fraMulti->setVisible(false);
  Frame1->setVisible(false);
  sss = 3;
}

void Isentropic::optTable_Click() {
  fraMulti->setVisible(true);
  ShowOnly(nullptr, {frasingle, Fram, Fraaa1, Fraaa2, Frame1});
  cmdMcompute_Click();
}

void Isentropic::txtm1_Change() {
  frasingle->setVisible(true);
  Frame1->setVisible(false);
}

void Isentropic::cmdscompute_Click() {
  g = Strict(txtg);
  const IsentropicConstants k(g);
  if (sss > 1) {
    const bool subsonic = sss == 2;
    a = Strict(subsonic ? Txtaa1 : Txtaa2);
    if (a < 1) {
      Frame1->setVisible(true);
      frasingle->setVisible(false);
      return;
    }
    auto area = [&k](double m) { return IsentropicRatios(m, k).a; };
    auto m = SearchMach(area, a, subsonic ? 0.01 : 1.1,
                        subsonic ? Branch::Subsonic : Branch::Supersonic);
    if (!m)
      NoSolution({Lblmm, lblt1, lblp1, lblr1, lbla1},
                 std::string("No ") + (subsonic ? "subsonic" : "supersonic") +
                     " Mach number found for A/A* = " + frame::NumberText(a) +
                     " with γ = " + frame::NumberText(g));
    const IsentropicState s = IsentropicRatios(*m, k);
    Lblmm->setCaption(Out(s.m));
    lblt1->setCaption(Out(s.t));
    lblp1->setCaption(Out(s.p));
    lblr1->setCaption(Out(s.r));
  } else {
    const float mach = Strict(txtm1);
    const IsentropicState s = IsentropicRatios(mach, k);
    a = Limit(s.a);
    Lblmm->setCaption(mach < 1e-9f ? Out(s.m) : Out(mach));
    lblt1->setCaption(Out(s.t));
    lblp1->setCaption(Out(s.p));
    lblr1->setCaption(Out(s.r));
  }
  lbla1->setCaption(frame::FormatPattern(frame::NumberText(a), "0.####"));
}

void Isentropic::cmdMcompute_Click() {
  const auto [first, last] = ReadLimits();
  g = Strict(txtg);
  const IsentropicConstants k(g);
  for (int i = 0; i < kRows; ++i) {
    const float mach = RowValue(first, last, i);
    const IsentropicState s = IsentropicRatios(mach, k);
    a = Limit(s.a);
    lblm[i]->setCaption(mach < 1e-9f ? Out(s.m) : Out(mach));
    lblt[i]->setCaption(Out(s.t));
    lblp[i]->setCaption(Out(s.p));
    lblr[i]->setCaption(Out(s.r));
    lbla[i]->setCaption(frame::FormatPattern(frame::NumberText(a), "0.####"));
  }
}

}  // namespace flowtables
