// The window of the generalized one-dimensional flow calculator.
#pragma once

#include <optional>
#include <string>

#include "flowmarch/duct.h"
#include "core/form.h"

namespace flowmarch {

class FlowMarch : public core::Form {
 public:
  FlowMarch();

  std::vector<std::string> ChartNames() const override;
  core::ChartData Chart(const std::string& name) const override;

 private:
  void cmdCalculate_Click();
  void Command1_Click();
  void cmdEnd_Click();

  core::TextBox *txtk, *txtm1, *txttt1, *txtpt1, *txtmd1, *txtm2, *txttt2, *txtpt2, *txtmd2;
  core::TextBox *txtcd, *txtapa, *txtcd2, *txtapa2, *txttt6, *txtf, *txtd, *txtl, *txta6a5;
  core::TextBox *txtm6, *txtt6, *txttt6o, *txtp6, *txtpt6;
  core::Frame *Frame1, *Frame2, *Frame4, *fraresults, *frachk, *frapic;
  core::Label* Label24;
  core::Picture* Picture1;
  core::Button *cmdCalculate, *Command1, *cmdEnd;

  // The last Calculate, choked or not, for the chart; nothing after a failed one.
  std::optional<Result> last_;
  std::string why_ = "Press Calculate to draw the duct";
  size_t computing_ = static_cast<size_t>(-1);  // the action that last computed
};

}  // namespace flowmarch
