// Rayleigh line flow: frictionless flow with heat addition or removal in a
// duct of constant area, referred to the sonic state; single values from a
// Mach number or from a total temperature ratio on either branch, and a table
// of eleven rows.
#pragma once

#include "flowtables/family.h"

namespace flowtables {

struct RayleighConstants {
  explicit RayleighConstants(float g);
  double g, g1, g2, g3, g4, g5;
};

struct RayleighState {
  double ms, t, p, c, T0, pt;  // V/V*, T/T*, p/p*, 1 + g1·M², Tt/Tt*, pt/pt*
};

RayleighState RayleighRatios(double m, const RayleighConstants& k);
// Tt/Tt* as M grows without bound, taken at M = 10000.
double RayleighLimit(const RayleighConstants& k);

class Rayleigh : public TableWindow {
 public:
  Rayleigh();

 protected:
  void Form_Load() override;
  void cmdscompute_Click() override;
  void cmdMcompute_Click() override;

 private:
  void optSingle_Click();
  void Opttt1_Click();
  void Opttt2_Click();
  void optTable_Click();
  void txtm1_Change();
  void Show(const RayleighState& s, double m);

  frame::Option *Opttt1, *Opttt2;
  frame::Frame *Frame1, *Frame2, *Frame3, *Frame4, *Frame5;
  frame::TextBox *txtm1, *Txttt1, *Txttt2;
  frame::Label *Lblttmin, *Lblmm, *lblt1, *lblp1, *lblr1, *lbla1, *lblx1;
  std::vector<frame::Label*> lblm, lblt, lblp, lblr, lbla, lblx;

  float g = 0;
  float sss = 0;
  double m = 0;
};

}  // namespace flowtables
