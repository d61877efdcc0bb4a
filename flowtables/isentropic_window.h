// The isentropic flow window: T/Tt, p/pt, ρ/ρt and A/A* of a Mach number, the
// Mach number of an area ratio on either branch, and a table of eleven rows.
#pragma once

#include "flowtables/family.h"
#include "flowtables/isentropic_flow.h"

namespace flowtables {

class Isentropic : public TableWindow {
 public:
  Isentropic();

 protected:
  void cmdscompute_Click() override;
  std::function<Row(float)> RowFormula(float g) const override;

 private:
  void OptSingleAA_Click() { SelectInput(1); }
  void Optsingleaa2_Click() { SelectInput(2); }
};

}  // namespace flowtables
