// The window of the generalized one-dimensional flow calculator.
#pragma once

#include <optional>
#include <string>

#include "flowmarch/duct.h"
#include "frame/form.h"

namespace flowmarch {

class FlowMarch : public frame::Form {
 public:
  FlowMarch();

  std::vector<std::string> ChartNames() const override;
  frame::ChartData Chart(const std::string& name) const override;

 private:
  void cmdCalculate_Click();
  void Command1_Click();
  void cmdEnd_Click();

  frame::TextBox *txtk, *txtm1, *txttt1, *txtpt1, *txtmd1, *txtm2, *txttt2, *txtpt2, *txtmd2;
  frame::TextBox *txtcd, *txtapa, *txtcd2, *txtapa2, *txttt6, *txtf, *txtd, *txtl, *txta6a5;
  frame::TextBox *txtm6, *txtt6, *txttt6o, *txtp6, *txtpt6;
  frame::Frame *Frame1, *Frame2, *Frame4, *fraresults, *frachk, *frapic;
  frame::Label* Label24;
  frame::Picture* Picture1;
  frame::Button *cmdCalculate, *Command1, *cmdEnd;

  // The last Calculate, choked or not, for the chart; nothing after a failed one.
  std::optional<Result> last_;
  std::string why_ = "Press Calculate to draw the duct";
  size_t computing_ = static_cast<size_t>(-1);  // the action that last computed
};

}  // namespace flowmarch
