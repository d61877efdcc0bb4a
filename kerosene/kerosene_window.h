// The window of the kerosene adiabatic flame temperature calculator.
#pragma once

#include <array>

#include "frame/form.h"

namespace kerosene {

class Kerosene : public frame::Form {
 public:
  Kerosene();

 private:
  void cmdCalculate_Click();
  void cmdEnd_Click();

  // Control arrays, indexed from 1 as on the window; element 0 is unused.
  std::array<frame::TextBox*, 3> txtt{};
  std::array<frame::TextBox*, 4> txtar{}, txtbr{};
  std::array<frame::TextBox*, 3> txtap{}, txtbp{};
  frame::TextBox *txtpa, *txts;
  frame::Frame *Frame1, *frainpt, *fraresults0;
  frame::Button *cmdCalculate, *cmdEnd;

  float pa = 0;  // percent of theoretical air as last read
};

}  // namespace kerosene
