#include "flowtables/fanno.h"

#include <cmath>

#include "frame/numtext.h"

namespace flowtables {

FannoConstants::FannoConstants(double gamma) : g(gamma) {
  g1 = (g - 1) / 2;
  g2 = 2 / (g + 1);
  g3 = 1 / g2;
  g4 = (g + 1) * 0.5 / (g - 1);
  g5 = std::pow(g2, g4);
  g7 = g3 / g;
  RequireFinite({g1, g2, g3, g4, g5, g7}, static_cast<float>(g));
}

FannoState FannoRatios(double m, const FannoConstants& k) {
  FannoState s;
  const double mm = m * m;
  s.c = 1 + k.g1 * mm;
  s.ms = m / std::sqrt(s.c * k.g2);
  s.t = k.g3 / s.c;
  s.p = s.ms / mm;
  s.pt = std::pow(s.c, k.g4) * k.g5 / m;
  s.fld = (1 - mm) / (mm * k.g) + std::log(mm * s.t) * k.g7;
  return s;
}

double FannoLimit(const FannoConstants& k) { return FannoRatios(1000000, k).fld; }

Fanno::Fanno()
    : TableWindow(frame::Caption("Fanno Line Flow", 15), "Fanno Line Flow     (Tt = constant)") {
  BuildSelection({{"optSingle", "Single Value of M", "Frame1", "txtm1"},
                  {"Opts2", "Single Value of 4fL*/D (subsonic)", "Frame2", "Txtfld1"},
                  {"Opts3", "Single Value of 4fL*/D (supersonic)", "Frame3", "txtfld2"}},
                 "Table of 11 Values");
  Frame4 = AddWarning("Frame4", "Label14", "4fL*/D must be > 0", 200);
  Frame5 = AddWarning("Frame5", "Label13", "4fL*/D must be <", 104);
  lblxmax = AddLabel("lblxmax", "0.00", {114, 6, 80, 28}, Frame5, frame::Look::Warning);
  BuildSingle({{"Label7", "Mach Number", "lblmm"},
               {"Label8", "T/T*", "lblt1"},
               {"Label9", "p/p*", "lblp1"},
               {"Label4", "pt/pt*", "lblr1"},
               {"Label5", "V/V*", "lbla1"},
               {"Label12", "4fL*/D", "lblx1"}});
  AddAbove(frasingle, 4, "Label3", frame::SymbolText("r*/r="));
  BuildMulti({{"lblAlt2", "Mach Number", "lblm"},
              {"lblPress2", "T/T*", "lblt"},
              {"lblTemp2", "p/p*", "lblp"},
              {"Label1", "pt/pt*", "lblr"},
              {"Label10", "V/V*", "lbla"},
              {"Label11", "4fL*/D", "lblx"}});
  AddAbove(fraMulti, 4, "Label2", frame::SymbolText("r*/r="));

  Opts2 = static_cast<frame::Option*>(Find("Opts2"));
  Opts3 = static_cast<frame::Option*>(Find("Opts3"));
  Frame1 = static_cast<frame::Frame*>(Find("Frame1"));
  Frame2 = static_cast<frame::Frame*>(Find("Frame2"));
  Frame3 = static_cast<frame::Frame*>(Find("Frame3"));
  txtm1 = Box("txtm1");
  Txtfld1 = Box("Txtfld1");
  txtfld2 = Box("txtfld2");
  lblmm = Lbl("lblmm");
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
  Opts2->Click = [this] { Opts2_Click(); };
  Opts3->Click = [this] { Opts3_Click(); };
  optTable->Click = [this] { optTable_Click(); };
  txtm1->Change = [this] { txtm1_Change(); };
  Txtfld1->Change = [this] { txtm1_Change(); };
  txtfld2->Change = [this] { txtm1_Change(); };
}

void Fanno::Form_Load() { SetDefaults({{txtm1, 1}, {Txtfld1, 0.5}, {txtfld2, 0.1}}, 0, 1); }

void Fanno::optSingle_Click() {
  frasingle->setVisible(true);
  ShowOnly(Frame1, {fraMulti, Frame2, Frame3, Frame4, Frame5});
  sss = 1;
}

void Fanno::Opts2_Click() {
  frasingle->setVisible(true);
  ShowOnly(Frame2, {fraMulti, Frame1, Frame3, Frame4, Frame5});
  sss = 2;
}

void Fanno::Opts3_Click() {
  frasingle->setVisible(true);
  ShowOnly(Frame3, {fraMulti, Frame1, Frame2, Frame4, Frame5});
  sss = 3;
}

void Fanno::optTable_Click() {
  fraMulti->setVisible(true);
  ShowOnly(nullptr, {frasingle, Frame1, Frame2, Frame3, Frame4, Frame5});
  cmdMcompute_Click();
}

void Fanno::txtm1_Change() {
  frasingle->setVisible(true);
  Frame4->setVisible(false);
  Frame5->setVisible(false);
}

void Fanno::Show(const FannoState& s, double mach) {
  lblmm->setCaption(Out(mach));
  lblt1->setCaption(Out(s.t));
  lblp1->setCaption(Out(s.p));
  lblr1->setCaption(Out(s.pt));
  lbla1->setCaption(Out(s.ms));
}

void Fanno::cmdscompute_Click() {
  g = Strict(txtg);
  const FannoConstants k(g);
  if (sss > 1) {
    const bool subsonic = sss == 2;
    const double limit = FannoLimit(k);
    lblxmax->setCaption(Out(limit));
    const float read = Strict(subsonic ? Txtfld1 : txtfld2);
    double target = read;
    if (!subsonic && target > limit) {
      Frame5->setVisible(true);
      frasingle->setVisible(false);
      return;
    }
    if (target == 0) target = 1e-9;  // M = 1 itself is the end of the line
    if (target < 0) {
      Frame4->setVisible(true);
      frasingle->setVisible(false);
      return;
    }
    auto friction = [&k](double mach) { return FannoRatios(mach, k).fld; };
    auto found = SearchMach(friction, target, subsonic ? 0.01 : 1.1,
                            subsonic ? Branch::Subsonic : Branch::Supersonic);
    if (!found)
      NoSolution({lblmm, lblt1, lblp1, lblr1, lbla1, lblx1},
                 std::string("No ") + (subsonic ? "subsonic" : "supersonic") +
                     " Mach number found for 4fL*/D = " + frame::NumberText(read) +
                     " with γ = " + frame::NumberText(static_cast<float>(g)));
    m = *found;
    Show(FannoRatios(m, k), m);
    lblx1->setCaption(Out(read));
    return;
  }
  m = Strict(txtm1);
  if (m < 1e-9) m = 1e-8;
  FannoState s = FannoRatios(m, k);
  s.p = Limit(s.p);
  s.pt = Limit(s.pt);
  Show(s, m);
  lblx1->setCaption(Out(Limit(s.fld)));
}

void Fanno::cmdMcompute_Click() {
  const auto [first, last] = ReadLimits();
  g = Strict(txtg);
  const FannoConstants k(g);
  for (int i = 0; i < kRows; ++i) {
    m = RowValue(first, last, i);
    if (m < 1e-9) m = 1e-8;
    const FannoState s = FannoRatios(m, k);
    lblm[i]->setCaption(Out(m));
    lblt[i]->setCaption(Out(s.t));
    lblp[i]->setCaption(Out(Limit(s.p)));
    lblr[i]->setCaption(Out(Limit(s.pt)));
    lbla[i]->setCaption(Out(s.ms));
    lblx[i]->setCaption(Out(Limit(s.fld)));
  }
}

}  // namespace flowtables
