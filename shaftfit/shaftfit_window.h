// The power gas turbine matching window: map constants in, the operating
// point with its net power, efficiency and fuel consumption out, and a print
// file of every map.
#pragma once

#include <string>

#include "frame/form.h"
#include "shaftfit/gt_matching.h"

namespace shaftfit {

class Form1 : public frame::Form {
 public:
  Form1();

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

  frame::TextBox* Input(frame::Frame* in, const std::string& label, const std::string& caption,
                        const std::string& box, const std::string& text, int row, int labelWidth,
                        int boxWidth = 80);
  frame::TextBox* Output(frame::Frame* in, const std::string& label, const std::string& caption,
                         const std::string& box, int x, int row, int labelWidth);

  frame::Frame *fracomp, *fraburn, *fraturb, *frashft, *fraInNoz, *Frame1, *fraover, *fraTJ1,
      *frarg2, *frarg, *Fraburn2, *fraframe2;
  frame::Frame *Fracompo, *fraturbo, *Frathrust, *Fraconv, *frasurge, *fraregen;
  frame::ListBox* lstIRG;
  frame::TextBox *txtc1, *txtc2, *txtc3, *txtc4, *txtc5, *txtn2d, *txtetacd, *txtmu;
  frame::TextBox *txtb1, *txtetabd, *txtb2, *txth;
  frame::TextBox *txtpitc, *txtmc4c, *txtNc4d, *txtetatd, *txtk1, *txtk2, *txts1, *txts2;
  frame::TextBox *txtd, *txta, *txtr1, *txtr2, *txtf, *txtp0, *txtT0;
  frame::TextBox *txtetrg, *txtpirg3, *txtpirg5, *Txtt5, *txtn2, *txtm1in;
  frame::TextBox *txtm1, *txtm2, *txtn2a, *txtppc, *txtetc;
  frame::TextBox *Txtm3, *Txtt3, *Txtt4, *txtm4, *txtn4, *txtppt, *txtett, *Txtt5o, *Txtm5;
  frame::TextBox *txtpower, *txtefth, *txtsfc, *Txtmen, *TxtNEN;
  frame::Button *cmdCalculate, *Command1, *cmdEnd;

  // Window-level Singles, kept from press to press.
  float c1 = 0, c2 = 0, c3 = 0, c4 = 0, c5 = 0, nc2d = 0, mu = 0;
  float b1 = 0, b2 = 0, h = 0, pitc = 0, k1 = 0, k2 = 0, s1 = 0, s2 = 0;
  float z1 = 0, z2 = 0, z3 = 0, z4 = 0, f = 0, p0 = 0, t0 = 0;
  float etrg = 0, b33x = 0, b55x = 0;
  float nc2 = 0, mc1 = 0, tt5 = 0;  // starting guesses
  std::string regen;
  short counter = 0;  // print files of this run
};

}  // namespace shaftfit
