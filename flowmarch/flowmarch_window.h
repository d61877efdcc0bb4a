// The window of the generalized one-dimensional flow calculator.
#pragma once

#include "frame/form.h"

namespace flowmarch {

class FlowMarch : public frame::Form {
 public:
  FlowMarch();

 private:
  void cmdCalculate_Click();
  void Command1_Click();
  void cmdEnd_Click();

  frame::TextBox *txtk, *txtm1, *txttt1, *txtpt1, *txtmd1, *txtm2, *txttt2, *txtpt2, *txtmd2;
  frame::TextBox *txtcd, *txtapa, *txtcd2, *txtapa2, *txttt6, *txtf, *txtd, *txtl, *txta6a5;
  frame::TextBox *txtm6, *txtt6, *txttt6o, *txtp6, *txtpt6;
  frame::Frame *Frame1, *Frame2, *Frame4, *fraresults, *frachk, *frapic;
  frame::Label* Label24;
  frame::Picture* Picture1;
  frame::Button *cmdCalculate, *Command1, *cmdEnd;
};

}  // namespace flowmarch
