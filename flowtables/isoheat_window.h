// The window of isothermal flow with heat transfer and area change: the ratios
// to the sonic state, for one Mach number or a table of eleven.
#pragma once

#include "flowtables/family.h"
#include "flowtables/isothermal_heat.h"

namespace flowtables {

class IsoHeat : public TableWindow {
 public:
  IsoHeat();

 protected:
  void cmdscompute_Click() override;
  std::function<Row(float)> RowFormula(float g) const override;
};

}  // namespace flowtables
