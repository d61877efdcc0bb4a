// The Fanno line window: single values from a Mach number or from a friction
// parameter on either branch, and a table of eleven rows.
#pragma once

#include "flowtables/family.h"
#include "flowtables/fanno_flow.h"

namespace flowtables {

class Fanno : public TableWindow {
 public:
  Fanno();

 protected:
  void cmdscompute_Click() override;
  std::function<Row(float)> RowFormula(float g) const override;

 private:
  void Opts2_Click() { SelectInput(1); }
  void Opts3_Click() { SelectInput(2); }
};

}  // namespace flowtables
