// The jet engine matching window: map constants in, the operating point of
// the gas generator, the engine or the engine-airframe pair out, and a print
// file of every map.
#pragma once

#include <string>

#include "frame/form.h"
#include "thrustfit/jet_matching.h"

namespace thrustfit {

class Form1 : public frame::Form {
 public:
  Form1();

 protected:
  void Form_Load() override;

 private:
  void lstge_Click();
  void cmdCalculate_Click();
  void Command1_Click();
  void cmdEnd_Click();
  void ShowModeFrames();
  void ReadInputs();
  JetInputs Inputs() const;
  void WriteResults(const JetResult &r);

  frame::TextBox *Input(frame::Frame *in, const std::string &label, const std::string &caption,
                        const std::string &box, const std::string &text, int row, int labelWidth,
                        int boxWidth = 70);
  frame::TextBox *Output(frame::Frame *in, const std::string &label, const std::string &caption,
                         const std::string &box, int x, int row, int labelWidth);

  frame::Label *Label37;
  frame::Frame *Frame1, *fracomp, *fraburn, *fraturb, *frashft, *fraover, *fraInNoz, *fragg,
      *fraTJ1, *fraTJ2, *fraframe2, *fraframe1;
  frame::Frame *Fracompo, *fraturbo, *Franoz, *Frathrust, *Framach, *Fraconv, *frasurge;
  frame::ListBox *lstge, *lstntyp;
  frame::TextBox *txtc1, *txtc2, *txtc3, *txtc4, *txtc5, *txtnc2d, *txtetacd, *txtmu;
  frame::TextBox *txtb1, *txtetabd, *txtb2, *txth;
  frame::TextBox *txtpitc, *txtmc4c, *txtNc4d, *txtetatd, *txtk1, *txtk2;
  frame::TextBox *txts1, *txts2, *txtf, *txtpidd, *txtmn, *txtetand, *txta;
  frame::TextBox *txttt2, *txtn2i, *txtp0, *txtT0, *txtmach, *txtn2, *txtmach2, *txtn22;
  frame::TextBox *txtdrg, *txtneng;
  frame::TextBox *txtn2a, *txtm2, *txtppc, *txtetc;
  frame::TextBox *txtm3, *txtppb, *txtetb, *Txtt4, *txtn4, *txtm4, *txtppt, *txtett;
  frame::TextBox *txtmex, *txtm5, *txtetn;
  frame::TextBox *txtfdm, *txttnd, *txttsfc, *Txtmen, *TxtNEN, *txtmacho;
  frame::Button *cmdCalculate, *Command1, *cmdEnd;

  // Window-level Singles, kept from press to press.
  float c1 = 0, c2 = 0, c3 = 0, c4 = 0, c5 = 0, mu = 0;
  float b1 = 0, b2 = 0, h = 0;
  float pitc = 0, nc4d = 0, k1 = 0, k2 = 0;
  float s1 = 0, s2 = 0, f = 0, pidd = 0, mn = 0, a = 0;
  float nc2 = 0, p0 = 0, t0 = 0, m0 = 0, neng = 0;
  std::string mode;
  short counter = 0;  // print files of this run
};

}  // namespace thrustfit
