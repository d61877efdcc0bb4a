// The standard atmosphere window: temperature and pressure of one altitude, or
// a table of eleven altitudes between a minimum and a maximum.
#pragma once

#include <vector>

#include "frame/form.h"

namespace atmosphere {

inline constexpr int kRows = 11;

// Row i (0 to 10) of a table: the step and each altitude are Singles.
float TableAltitude(float minimum, float maximum, int i);

class Atmosphere : public frame::Form {
 public:
  Atmosphere();

 protected:
  void Form_Load() override;

 private:
  void optSingle_Click();
  void optTable_Click();
  void cmdScompute_Click();
  void cmdMcompute_Click();

  frame::Label *lblTitle, *lblAltitude, *lblTemp, *lblPressure;
  frame::Frame *fraSelect, *fraSingle, *fraMulti;
  frame::Option *optTable, *optSingle;
  frame::TextBox *txtAltitude, *txtMinAlt, *txtMaxAlt;
  frame::Button *cmdScompute, *cmdMcompute, *cmdend;
  frame::Label *lblMinAlt, *lblMaxAlt, *lblAlt2, *lblTemp2, *lblPress2;
  std::vector<frame::Label*> lblAltVal, lblTempVal, lblPressVal;

  float h = 0, T = 0, p = 0;
};

}  // namespace atmosphere
