// The window of the single-stage compressor performance calculator.
#pragma once

#include "core/form.h"

namespace stagemap {

class StageMap : public core::Form {
 public:
  StageMap();

 private:
  void cmdCalculate_Click();
  void cmdEnd_Click();

  core::TextBox *txtb1p, *txtb2p, *txta2p, *txta3p, *txtinc, *txtac, *txtsc, *txtsh, *txtpr;
  core::TextBox *txteta, *txtphi, *txtb1, *txtb2, *txtal2, *txtal3, *txtincs, *txtcd, *txtcl,
      *txtcdst, *txtclst;
  core::Frame *frainput, *fraresults0;
  core::Button *cmdCalculate, *cmdEnd;
};

}  // namespace stagemap
