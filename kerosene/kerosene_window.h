// The window of the kerosene adiabatic flame temperature calculator.
#pragma once

#include <array>

#include "core/form.h"

namespace kerosene {

class Kerosene : public core::Form {
 public:
  Kerosene();

 private:
  void cmdCalculate_Click();
  void cmdEnd_Click();

  // Control arrays, indexed from 1 as on the window; element 0 is unused.
  std::array<core::TextBox*, 3> txtt{};
  std::array<core::TextBox*, 4> txtar{}, txtbr{};
  std::array<core::TextBox*, 3> txtap{}, txtbp{};
  core::TextBox *txtpa, *txts;
  core::Frame *Frame1, *frainpt, *fraresults0;
  core::Button *cmdCalculate, *cmdEnd;

  float pa = 0;  // percent of theoretical air as last read
};

}  // namespace kerosene
