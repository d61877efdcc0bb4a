// The Fanno line window: single values from a Mach number or from a friction
// parameter on either branch, and a table of eleven rows.
#pragma once

#include "flowtables/fanno_flow.h"
#include "flowtables/line_window.h"

namespace flowtables {

class Fanno : public LineWindow {
 public:
  Fanno();

 protected:
  std::function<Row(float)> RowFormula(float g) const override;

 private:
  void Single() override;

  void Opts2_Click() { SelectInput(1); }
  void Opts3_Click() { SelectInput(2); }
};

}  // namespace flowtables
