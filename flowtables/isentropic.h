// Isentropic flow of a perfect gas: T/Tt, p/pt, ρ/ρt and A/A* of a Mach
// number, the Mach number of an area ratio, and a table of eleven rows.
#pragma once

#include "flowtables/family.h"

namespace flowtables {

struct IsentropicConstants {
  explicit IsentropicConstants(float g);
  double g1, g2, g3, g5, g6;
};

struct IsentropicState {
  double m;  // the Mach number used (1E-8 for anything below 1E-9)
  double t, p, r, a;  // T/Tt, p/pt, ρ/ρt, A/A* (not limited)
};

IsentropicState IsentropicRatios(double m, const IsentropicConstants& k);

class Isentropic : public TableWindow {
 public:
  Isentropic();

 protected:
  void Form_Load() override;
  void cmdscompute_Click() override;
  void cmdMcompute_Click() override;

 private:
  void optSingle_Click();
  void OptSingleAA_Click();
  void Optsingleaa2_Click();
  void optTable_Click();
  void txtm1_Change();

  frame::Option *OptSingleAA, *Optsingleaa2;
  frame::Frame *Fram, *Fraaa1, *Fraaa2, *Frame1;
  frame::TextBox *txtm1, *Txtaa1, *Txtaa2;
  frame::Label *Lblmm, *lblt1, *lblp1, *lblr1, *lbla1;
  std::vector<frame::Label*> lblm, lblt, lblp, lblr, lbla;

  float g = 0;
  float sss = 0;
  double a = 0;
};

}  // namespace flowtables
