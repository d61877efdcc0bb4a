// The normal shock window: the downstream state of one upstream Mach number
// or a table of eleven.
#pragma once

#include "flowtables/family.h"
#include "flowtables/normal_shock.h"

namespace flowtables {

class PlaneJump : public TableWindow {
 public:
  PlaneJump();

 protected:
  void cmdscompute_Click() override;
  std::function<Row(float)> RowFormula(float g) const override;
};

}  // namespace flowtables
