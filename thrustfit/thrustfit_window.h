// The jet engine matching window: map constants in, the operating point of
// the gas generator, the engine or the engine-airframe pair out, and a print
// file of every map.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/form.h"
#include "thrustfit/jet_matching.h"
#include "thrustfit/map_inputs.h"

namespace thrustfit {

class Form1 : public core::Form {
 public:
  Form1();
  std::vector<std::string> ChartNames() const override;
  core::ChartData Chart(const std::string& name) const override;

 protected:
  void Form_Load() override;

 private:
  void lstge_Click();
  void cmdCalculate_Click();
  void Command1_Click();
  void cmdEnd_Click();
  void ShowModeFrames();
  maps::MapBoxes MapBoxes(maps::Precision mu) const;
  JetInputs Inputs() const;
  void WriteResults(const JetResult &r);

  core::TextBox *Input(core::Frame *in, const std::string &label, const std::string &caption,
                        const std::string &box, const std::string &text, int row, int labelWidth,
                        int boxWidth = 70);
  core::TextBox *Output(core::Frame *in, const std::string &label, const std::string &caption,
                         const std::string &box, int x, int row, int labelWidth);

  core::Label *Label37;
  core::Frame *Frame1, *fracomp, *fraburn, *fraturb, *frashft, *fraover, *fraInNoz, *fragg,
      *fraTJ1, *fraTJ2, *fraframe2, *fraframe1;
  core::Frame *Fracompo, *fraturbo, *Franoz, *Frathrust, *Framach, *Fraconv, *frasurge;
  core::ListBox *lstge, *lstntyp;
  core::TextBox *txtc1, *txtc2, *txtc3, *txtc4, *txtc5, *txtnc2d, *txtetacd, *txtmu;
  core::TextBox *txtb1, *txtetabd, *txtb2, *txth;
  core::TextBox *txtpitc, *txtmc4c, *txtNc4d, *txtetatd, *txtk1, *txtk2;
  core::TextBox *txts1, *txts2, *txtf, *txtpidd, *txtmn, *txtetand, *txta;
  core::TextBox *txttt2, *txtn2i, *txtp0, *txtT0, *txtmach, *txtn2, *txtmach2, *txtn22;
  core::TextBox *txtdrg, *txtneng;
  core::TextBox *txtn2a, *txtm2, *txtppc, *txtetc;
  core::TextBox *txtm3, *txtppb, *txtetb, *Txtt4, *txtn4, *txtm4, *txtppt, *txtett;
  core::TextBox *txtmex, *txtm5, *txtetn;
  core::TextBox *txtfdm, *txttnd, *txttsfc, *Txtmen, *TxtNEN, *txtmacho;
  core::Button *cmdCalculate, *Command1, *cmdEnd;

  // The matched speed and flight Mach number as last shown.
  float nc2 = 0, m0 = 0;
  short counter = 0;  // print files of this run
  // The last match that settled, for the maps; none after one that failed.
  std::optional<maps::MatchedMaps> last_;
};

}  // namespace thrustfit
