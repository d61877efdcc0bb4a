// The window of isothermal flow with friction: the ratios to the state at the
// end of the longest duct, for one Mach number or a table of eleven.
#pragma once

#include "flowtables/family.h"
#include "flowtables/isothermal_friction.h"

namespace flowtables {

class IsoDrag : public TableWindow {
 public:
  IsoDrag();

 protected:
  void cmdscompute_Click() override;
  std::function<Row(float)> RowFormula(float g) const override;
};

}  // namespace flowtables
