// The Rayleigh line window: single values from a Mach number or from a stagnation
// temperature ratio on either branch, and a table of eleven rows.
#pragma once

#include <optional>
#include <string>

#include "flowtables/family.h"
#include "flowtables/rayleigh_flow.h"
#include "flowtables/ts_line.h"

namespace flowtables {

class Rayleigh : public TableWindow {
 public:
  Rayleigh();

  std::vector<std::string> ChartNames() const override { return {kTsLineChart}; }
  frame::ChartData Chart(const std::string& name) const override;

 protected:
  void cmdscompute_Click() override;
  std::function<Row(float)> RowFormula(float g) const override;

 private:
  void Single();

  // The state of the last single-value computation, for the chart; nothing
  // after a failed one or a warning.
  std::optional<LineState> last_;
  std::string why_;
  size_t computing_ = static_cast<size_t>(-1);  // the action that last computed
  void Opttt1_Click() { SelectInput(1); }
  void Opttt2_Click() { SelectInput(2); }
};

}  // namespace flowtables
