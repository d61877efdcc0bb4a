// A table window whose single values are states on a line of the T/T*
// against entropy plane (the Fanno and Rayleigh lines): it keeps the last
// state computed, for its chart.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "flowtables/family.h"
#include "flowtables/ts_chart.h"

namespace flowtables {

class LineWindow : public TableWindow {
 public:
  std::vector<std::string> ChartNames() const override { return {kTsLineChart}; }
  core::ChartData Chart(const std::string& name) const override {
    if (name != kTsLineChart) return Form::Chart(name);
    if (!last_) return core::Unavailable(name, title_, WhyNothing(computing_, why_));
    return draw_(*last_);
  }

 protected:
  using Draw = core::ChartData (*)(const LineState&);
  LineWindow(const TableDesign& design, std::string title, Draw draw)
      : TableWindow(design), title_(std::move(title)), draw_(draw) {}

  void cmdscompute_Click() override {
    last_.reset();
    why_ = "The last computation failed";
    computing_ = runningAction();
    Single();
  }
  // The single value of the selected input: sets last_, or says in why_
  // why there is no state to mark.
  virtual void Single() = 0;

  std::optional<LineState> last_;
  std::string why_;

 private:
  std::string title_;
  Draw draw_;
  size_t computing_ = static_cast<size_t>(-1);  // the action that last computed
};

}  // namespace flowtables
