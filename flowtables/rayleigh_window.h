// The Rayleigh line window: single values from a Mach number or from a stagnation
// temperature ratio on either branch, and a table of eleven rows.
#pragma once

#include "flowtables/rayleigh_flow.h"
#include "flowtables/line_window.h"

namespace flowtables {

class Rayleigh : public LineWindow {
 public:
  Rayleigh();

 protected:
  std::function<Row(float)> RowFormula(float g) const override;

 private:
  void Single() override;

  void Opttt1_Click() { SelectInput(1); }
  void Opttt2_Click() { SelectInput(2); }
};

}  // namespace flowtables
