// The window of the single-stage compressor performance calculator.
#pragma once

#include "frame/form.h"

namespace stagemap {

class StageMap : public frame::Form {
 public:
  StageMap();

 private:
  void cmdCalculate_Click();
  void cmdEnd_Click();

  frame::TextBox *txtb1p, *txtb2p, *txta2p, *txta3p, *txtinc, *txtac, *txtsc, *txtsh, *txtpr;
  frame::TextBox *txteta, *txtphi, *txtb1, *txtb2, *txtal2, *txtal3, *txtincs, *txtcd, *txtcl,
      *txtcdst, *txtclst;
  frame::Frame *frainput, *fraresults0;
  frame::Button *cmdCalculate, *cmdEnd;
};

}  // namespace stagemap
