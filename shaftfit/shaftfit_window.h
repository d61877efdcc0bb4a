// The power gas turbine matching window: map constants in, the operating
// point with its net power, efficiency and fuel consumption out, and a print
// file of every map.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/form.h"
#include "shaftfit/gt_matching.h"
#include "thrustfit/map_inputs.h"

namespace shaftfit {

class Form1 : public core::Form {
 public:
  Form1();
  std::vector<std::string> ChartNames() const override;
  core::ChartData Chart(const std::string& name) const override;

 protected:
  void Form_Load() override;

 private:
  void txtc2_Change();
  void txtc3_Change();
  void txtn2d_Change();
  void lstIRG_Click();
  void cmdCalculate_Click();
  void Command1_Click();
  void cmdEnd_Click();
  void SetStartGuesses();
  void ShowRegenFrames();
  void WriteResults(const GtResult& r);
  maps::MapBoxes MapBoxes(maps::Precision mu) const;

  core::TextBox* Input(core::Frame* in, const std::string& label, const std::string& caption,
                        const std::string& box, const std::string& text, int row, int labelWidth,
                        int boxWidth = 80);
  core::TextBox* Output(core::Frame* in, const std::string& label, const std::string& caption,
                         const std::string& box, int x, int row, int labelWidth);

  core::Frame *fracomp, *fraburn, *fraturb, *frashft, *fraInNoz, *Frame1, *fraover, *fraTJ1,
      *frarg2, *frarg, *Fraburn2, *fraframe2;
  core::Frame *Fracompo, *fraturbo, *Frathrust, *Fraconv, *frasurge, *fraregen;
  core::ListBox* lstIRG;
  core::TextBox *txtc1, *txtc2, *txtc3, *txtc4, *txtc5, *txtn2d, *txtetacd, *txtmu;
  core::TextBox *txtb1, *txtetabd, *txtb2, *txth;
  core::TextBox *txtpitc, *txtmc4c, *txtNc4d, *txtetatd, *txtk1, *txtk2, *txts1, *txts2;
  core::TextBox *txtd, *txta, *txtr1, *txtr2, *txtf, *txtp0, *txtT0;
  core::TextBox *txtetrg, *txtpirg3, *txtpirg5, *Txtt5, *txtn2, *txtm1in;
  core::TextBox *txtm1, *txtm2, *txtn2a, *txtppc, *txtetc;
  core::TextBox *Txtm3, *Txtt3, *Txtt4, *txtm4, *txtn4, *txtppt, *txtett, *Txtt5o, *Txtm5;
  core::TextBox *txtpower, *txtefth, *txtsfc, *Txtmen, *TxtNEN;
  core::Button *cmdCalculate, *Command1, *cmdEnd;

  // The matched speed and turbine exit temperature as last shown.
  float nc2 = 0, tt5 = 0;
  short counter = 0;  // print files of this run
  // The last match that settled, for the maps; none after one that failed.
  std::optional<maps::MatchedMaps> last_;
};

}  // namespace shaftfit
