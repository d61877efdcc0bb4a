// The Rayleigh line window: single values from a Mach number or from a stagnation
// temperature ratio on either branch, and a table of eleven rows.
#pragma once

#include "flowtables/family.h"
#include "flowtables/rayleigh_flow.h"

namespace flowtables {

class Rayleigh : public TableWindow {
 public:
  Rayleigh();

 protected:
  void cmdscompute_Click() override;
  std::function<Row(float)> RowFormula(float g) const override;

 private:
  void Opttt1_Click() { SelectInput(1); }
  void Opttt2_Click() { SelectInput(2); }
};

}  // namespace flowtables
