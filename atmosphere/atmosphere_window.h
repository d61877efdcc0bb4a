// The standard atmosphere window: temperature and pressure of one altitude, or
// a table of eleven altitudes between a minimum and a maximum.
#pragma once

#include <vector>

#include "core/form.h"

namespace atmosphere {

inline constexpr int kRows = 11;

// Row i (0 to 10) of a table: the step and each altitude are Singles.
float TableAltitude(float minimum, float maximum, int i);

class Atmosphere : public core::Form {
 public:
  Atmosphere();

 protected:
  void Form_Load() override;

 private:
  void optSingle_Click();
  void optTable_Click();
  void cmdScompute_Click();
  void cmdMcompute_Click();

  core::Label *lblTitle, *lblAltitude, *lblTemp, *lblPressure;
  core::Frame *fraSelect, *fraSingle, *fraMulti;
  core::Option *optTable, *optSingle;
  core::TextBox *txtAltitude, *txtMinAlt, *txtMaxAlt;
  core::Button *cmdScompute, *cmdMcompute, *cmdend;
  core::Label *lblMinAlt, *lblMaxAlt, *lblAlt2, *lblTemp2, *lblPress2;
  std::vector<core::Label*> lblAltVal, lblTempVal, lblPressVal;

  float h = 0, T = 0, p = 0;
};

}  // namespace atmosphere
