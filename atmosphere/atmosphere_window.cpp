#include "atmosphere/atmosphere_window.h"

#include <cmath>
#include <string>

#include "core/failure.h"
#include "core/numtext.h"
#include "lib/atmosphere/standard_atmosphere.h"

namespace atmosphere {

using core::Look;

float TableAltitude(float minimum, float maximum, int i) {
  const float step = (maximum - minimum) / 10.0f;
  const float offset = static_cast<float>(i) * step;
  return offset + minimum;
}

namespace {

std::string Feet(float h) { return core::FormatPattern(core::NumberText(h), "###,###"); }
std::string Rankine(float t) { return core::FormatPattern(core::NumberText(t), "###.0"); }
std::string Psia(float p) { return core::FormatPattern(core::NumberText(p), "##0.000"); }

}  // namespace

Atmosphere::Atmosphere()
    : core::Form(core::Caption("Standard Atmosphere", 19,
                                 "FOR EDUCATIONAL PURPOSES ONLY ( See Disclaimer)"),
                  760, 450) {
  lblTitle = AddLabel("lblTitle", "Standard Atmosphere", {150, 8, 460, 38}, nullptr, Look::Title);

  fraSelect = AddFrame("fraSelect", "Selection", {8, 56, 220, 94});
  optTable = AddOption("optTable", "Table of Values", {12, 58, 196, 26}, fraSelect);
  optSingle = AddOption("optSingle", "Single Value", {12, 26, 196, 26}, fraSelect);

  fraSingle = AddFrame("fraSingle", "Single Value", {240, 56, 512, 384});
  lblAltitude = AddLabel("lblAltitude", "Altitude (ft) =", {16, 34, 112, 24}, fraSingle);
  txtAltitude = AddTextBox("txtAltitude", {130, 32, 110, 26}, fraSingle);
  txtAltitude->what = "Altitude (ft)";
  cmdScompute = AddButton("cmdScompute", "Compute", {280, 29, 100, 32}, fraSingle, Look::Compute);
  lblTemp = AddLabel("lblTemp", "Temperature =", {16, 90, 300, 24}, fraSingle);
  lblPressure = AddLabel("lblPressure", "Pressure =", {16, 120, 300, 24}, fraSingle);

  fraMulti = AddFrame("fraMulti", "Multiple Values", {240, 56, 512, 384});
  lblMinAlt = AddLabel("lblMinAlt", "Min Altitude (ft)", {16, 22, 140, 22}, fraMulti);
  txtMinAlt = AddTextBox("txtMinAlt", {16, 44, 110, 26}, fraMulti);
  txtMinAlt->what = "Min Altitude (ft)";
  lblMaxAlt = AddLabel("lblMaxAlt", "Max Altitude (ft)", {176, 22, 140, 22}, fraMulti);
  txtMaxAlt = AddTextBox("txtMaxAlt", {176, 44, 110, 26}, fraMulti);
  txtMaxAlt->what = "Max Altitude (ft)";
  cmdMcompute = AddButton("cmdMcompute", "Compute", {360, 41, 100, 32}, fraMulti, Look::Compute);
  lblAlt2 = AddLabel("lblAlt2", "Altitude (ft)", {16, 88, 150, 22}, fraMulti, Look::Heading);
  lblTemp2 = AddLabel("lblTemp2", "Temp (deg R)", {180, 88, 150, 22}, fraMulti, Look::Heading);
  lblPress2 = AddLabel("lblPress2", "Pressure (psia)", {344, 88, 150, 22}, fraMulti, Look::Heading);
  lblAltVal = AddLabelArray("lblAltVal", kRows, "0.00", {16, 114, 150, 24}, 24, fraMulti);
  lblTempVal = AddLabelArray("lblTempVal", kRows, "0.00", {180, 114, 150, 24}, 24, fraMulti);
  lblPressVal = AddLabelArray("lblPressVal", kRows, "0.00", {344, 114, 150, 24}, 24, fraMulti);

  cmdend = AddButton("cmdend", "Done!", {24, 396, 110, 36});

  optSingle->Click = [this] { optSingle_Click(); };
  optTable->Click = [this] { optTable_Click(); };
  cmdScompute->Click = [this] { cmdScompute_Click(); };
  cmdMcompute->Click = [this] { cmdMcompute_Click(); };
  cmdend->Click = [this] { End(); };

  using core::Quantity;
  for (const char* name : {"lblAltitude", "txtAltitude", "lblMinAlt", "txtMinAlt", "lblMaxAlt",
                           "txtMaxAlt", "lblAlt2", "lblAltVal"})
    Measure(name, Quantity::Altitude);
  Measure("lblTemp2", Quantity::Temperature, "deg R");
  Measure("lblTempVal", Quantity::Temperature);
  MeasureValue("lblTemp", Quantity::Temperature, "degR");
  for (const char* name : {"lblPress2", "lblPressVal", "lblPressure"})
    MeasureValue(name, Quantity::Pressure);
}

void Atmosphere::Form_Load() {
  optTable->setValue(false);
  optSingle->setValue(true);
  fraSingle->setVisible(true);
  fraMulti->setVisible(false);
  txtAltitude->setText(core::FormatPattern(3000.0, "###,###"));
  txtMinAlt->setText(core::FormatPattern(3000.0, "###,###"));
  txtMaxAlt->setText(core::FormatPattern(50000.0, "###,###"));
  cmdScompute_Click();
}

void Atmosphere::optSingle_Click() {
  fraSingle->setVisible(true);
  fraMulti->setVisible(false);
}

void Atmosphere::optTable_Click() {
  fraSingle->setVisible(false);
  fraMulti->setVisible(true);
  cmdMcompute_Click();
}

void Atmosphere::cmdScompute_Click() {
  // The lines keep their names but lose the values of the last altitude,
  // should this one fail.
  lblTemp->setCaption("Temperature =");
  lblPressure->setCaption("Pressure =");
  const float altitude = Strict(txtAltitude);
  const AirState air = StandardAtmosphere(altitude);
  // Far below sea level the pressure leaves the Single range: nothing is
  // written then, so the lines still belong to the altitude shown.
  if (!std::isfinite(air.t) || !std::isfinite(air.p))
    throw core::Failure("No finite pressure at " + CaptionOf(*txtAltitude) + " = " +
                         txtAltitude->text());
  h = altitude;
  T = air.t;
  p = air.p;
  txtAltitude->setText(Feet(h), h);
  lblTemp->setCaption("Temperature = " + Rankine(T) + " degR", T);
  lblPressure->setCaption("Pressure = " + Psia(p) + " psia", p);
}

void Atmosphere::cmdMcompute_Click() {
  Writes(lblAltVal);
  Writes(lblTempVal);
  Writes(lblPressVal);
  const float minimum = Strict(txtMinAlt);
  const float maximum = Strict(txtMaxAlt);
  // Every row is formatted before any is shown: a row that has no finite
  // value leaves the whole table blank.
  std::vector<std::string> alt(kRows), temp(kRows), press(kRows);
  std::vector<float> altValue(kRows), tempValue(kRows), pressValue(kRows);
  for (int i = 0; i < kRows; ++i) {
    const float row = TableAltitude(minimum, maximum, i);
    const AirState air = StandardAtmosphere(row);
    if (!std::isfinite(row) || !std::isfinite(air.t) || !std::isfinite(air.p))
      throw core::Failure("No finite table between " + CaptionOf(*txtMinAlt) + " and " +
                           CaptionOf(*txtMaxAlt));
    h = row;
    T = air.t;
    p = air.p;
    alt[i] = Feet(h);
    temp[i] = Rankine(T);
    press[i] = Psia(p);
    altValue[i] = h;
    tempValue[i] = T;
    pressValue[i] = p;
  }
  for (int i = 0; i < kRows; ++i) {
    lblAltVal[i]->setCaption(alt[i], altValue[i]);
    lblTempVal[i]->setCaption(temp[i], tempValue[i]);
    lblPressVal[i]->setCaption(press[i], pressValue[i]);
  }
}

}  // namespace atmosphere
