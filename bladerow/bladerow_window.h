// The mean-line turbomachine window: machine and gas choice, the inlet state,
// the geometry of the chosen machine and the eighteen results.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "bladerow/meanline.h"
#include "core/form.h"

namespace bladerow {

class Bladerow : public core::Form {
 public:
  Bladerow();

  const Stage& stage() const { return st; }
  int passes() const { return lastPasses; }

  std::vector<std::string> ChartNames() const override;
  core::ChartData Chart(const std::string& name) const override;

 protected:
  void Form_Load() override;

 private:
  void RefreshFrames();
  void lsttype_Click();
  void lstgas_Click();
  void cmdCalculate_Click();
  void Calculate();

  core::ListBox *lsttype, *lstgas;
  core::Frame *frapt, *Fragas, *fraaxct, *frarc, *frart;
  core::Frame *fraresults1, *fraresults2, *fraresults3, *fraresults4, *fraresults5;
  core::TextBox *txtp1, *txtT1, *txtm, *txtom, *txte, *Txtrg, *Txtgm2;
  core::TextBox *txtr, *txtth1, *txtal1, *txtdl12, *txtcax;
  core::TextBox *txtrta, *txtrha, *txtal1a, *txtr2, *txttd2, *txtb2a;
  core::TextBox *txtrb, *txtthb, *txtal1b, *txtrtb, *txtrhb, *txtb2b;
  core::TextBox *txtpp21, *txtwsh, *txtm1, *txtm1r, *txtm2, *txtm2r, *txtcpr, *txtgm;
  core::TextBox *txtm3, *txtcps, *txtpr, *txtb1, *txtal2, *txtb2, *txtdl23, *txtal3;
  core::TextBox *txtth2, *txtth3;
  core::Button *cmdCalculate, *cmdEnd;

  short ct = 0;    // machine: list index of lsttype
  short cgas = 0;  // 0 air, 1 another gas
  Stage st;        // kept from one calculation to the next
  int lastPasses = 0;

  // The last calculation, for the charts: none before the first and after
  // a failed one (then failure says why).
  struct Computed {
    Stage stage;
    short ct = 0;
    bool settled = true;
  };
  std::optional<Computed> last_;
  size_t computing_ = static_cast<size_t>(-1);  // the action that last pressed Calculate
};

}  // namespace bladerow
