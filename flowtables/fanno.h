// Fanno line flow: adiabatic flow with wall friction in a duct of constant
// area, referred to the sonic state; single values from a Mach number or from
// a friction parameter on either branch, and a table of eleven rows.
#pragma once

#include "flowtables/family.h"

namespace flowtables {

struct FannoConstants {
  explicit FannoConstants(double g);
  double g, g1, g2, g3, g4, g5, g7;
};

struct FannoState {
  double c, t, p, pt, ms, fld;  // 1 + g1·M², T/T*, p/p*, pt/pt*, V/V*, 4fL*/D
};

FannoState FannoRatios(double m, const FannoConstants& k);
// 4fL*/D as M grows without bound, taken at M = 1000000.
double FannoLimit(const FannoConstants& k);

class Fanno : public TableWindow {
 public:
  Fanno();

 protected:
  void Form_Load() override;
  void cmdscompute_Click() override;
  void cmdMcompute_Click() override;

 private:
  void optSingle_Click();
  void Opts2_Click();
  void Opts3_Click();
  void optTable_Click();
  void txtm1_Change();
  void Show(const FannoState& s, double m);

  frame::Option *Opts2, *Opts3;
  frame::Frame *Frame1, *Frame2, *Frame3, *Frame4, *Frame5;
  frame::TextBox *txtm1, *Txtfld1, *txtfld2;
  frame::Label *lblxmax, *lblmm, *lblt1, *lblp1, *lblr1, *lbla1, *lblx1;
  std::vector<frame::Label*> lblm, lblt, lblp, lblr, lbla, lblx;

  double g = 0;  // holds the Single read from txtg
  float sss = 0;
  double m = 0;
};

}  // namespace flowtables
