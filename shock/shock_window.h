// The shock analysis window: normal, weak and strong oblique planar, and
// conical shocks for an upstream Mach number and ratio of specific heats.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/form.h"
#include "shock/polar_chart.h"

namespace shock {

class Shock : public core::Form {
 public:
  Shock();

 public:
  std::vector<std::string> ChartNames() const override { return {kPolarChart}; }
  core::ChartData Chart(const std::string& name) const override;

 protected:
  void Form_Load() override;

 private:
  void lsttype_Click();
  void txtm1_Change();
  void txtg_Change();
  void txtdl_Change();
  void cmdCalculate_Click();
  void RefreshFrames();
  [[noreturn]] void Fail(const std::string& message);

  core::Label* lblTitle;
  core::ListBox* lsttype;
  core::Frame *frainpt, *frainpt2, *frashang, *fraresults1, *fraresults2, *fraresults3, *fradet;
  core::TextBox *txtg, *txtm1, *txtdl, *txteps, *txte2, *txte3, *txte4, *txtdr, *txtdx;
  core::Button *cmdCalculate, *cmdEnd;

  float m1 = 0, g = 0, dl = 0, mm = 0, g2 = 0;
  std::int16_t ij = 0, detshk = 0;

  // The last Calculate, for the chart; nothing after a failed one.
  std::optional<ShockSolution> last_;
  std::string why_ = "Press Calculate to draw the shock polar";
  size_t computing_ = static_cast<size_t>(-1);  // the action that last computed
  // The cone curve takes tens of milliseconds: kept for its Mach number and γ.
  mutable std::optional<std::pair<std::pair<float, float>, ConeCurve>> cone_;
};

}  // namespace shock
