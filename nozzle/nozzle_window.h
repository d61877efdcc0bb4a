// The shockless nozzle flow window: the exit state for a given exit Mach
// number, area ratio or pressure ratio, the mass flows and the minimum area.
#pragma once

#include "core/form.h"

namespace nozzle {

class Nozzle : public core::Form {
 public:
  Nozzle();

 protected:
  void Form_Load() override;

 private:
  void lsttype_Click();
  void lstss_Click();
  void cmdCalculate_Click();
  [[noreturn]] void Fail(const std::string& message);

  core::Label* lblTitle;
  core::TextBox *txtk, *txtetn, *txttt6, *txtpt6, *txtar8, *txtm8, *txtaa, *txtppt;
  core::ListBox *lsttype, *lstss;
  core::Frame *frainpt1, *frainpt2, *frainpt3, *fraresults0, *FraMin, *FraAA;
  core::TextBox *txtmd8, *txtmc6, *txtm8o, *txtaao, *txtppto, *txtttt, *txtaan, *txtm8n;
  core::Button *cmdCalculate, *cmdEnd;

  float k = 0, etn = 0, tt6 = 0, pt6 = 0, ar8 = 0, m8 = 0, aa = 0, ppt = 0;
  int ch = 0, ss = 0;
};

}  // namespace nozzle
