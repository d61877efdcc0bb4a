// The map boxes of both matching windows as plain data: the compressor,
// burner, turbine and shaft frames, laid out once (captions, names, places),
// each window giving its own defaults; the maps from the values read from
// them; and the two map charts from what a window shows.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/chart.h"
#include "core/units.h"
#include "lib/engine_maps/component_maps.h"

namespace engine_maps {

// The rows the windows set their boxes in: row n of a frame, and the height
// of a frame of n rows.
inline int RowY(int row) { return 14 + row * 26; }
inline int FrameH(int rows) { return RowY(rows) + 6; }

struct Place {
  int x = 0, y = 0, w = 0, h = 0;
};

// A caption and its box.
struct BoxDesc {
  std::string label, caption, box, text;
  Place labelAt, boxAt;
  std::string what = {};
  bool single = false;    // read as a Single
  bool readOnly = false;  // a result
};
// An input on row n of a frame, the box right of a caption labelWidth wide.
BoxDesc InputBox(std::string label, std::string caption, std::string box, std::string text, int row,
                 int labelWidth, int boxWidth, bool single = true);
// A read-only result box on row n of a frame, its caption at x.
BoxDesc ResultBox(std::string label, std::string caption, std::string box, int x, int row,
                  int labelWidth);

struct FrameDesc {
  std::string name;
  Place at;
  std::vector<BoxDesc> rows;
};

// Where a window sets the map frames, how it holds two design speeds, and
// its defaults, in the order of the boxes: c1..c5, Nc2d, etacd, mu; b1,
// etabd, b2, h; pitc, mc4c, Nc4d, etatd, k1, k2; s1, s2.
struct MapLayout {
  int top;               // of the compressor and turbine frames
  int compressorLabelW;  // the compressor's captions
  int turbineW;          // the turbine and shaft frames
  int boxW;              // the boxes but the burner's
  const char* nc2dBox;   // the name of the compressor's design speed box
  bool nc2dSingle, nc4dSingle;
  std::array<const char*, 20> texts;
};
inline constexpr size_t kMapBoxes = 20;

// The compressor, burner, turbine and shaft frames.
std::vector<FrameDesc> MapFrames(const MapLayout& layout);

struct MapInputs {
  Compressor comp;
  Burner burn;
  Turbine turb;
  float s1 = 0, s2 = 0;
};
// The maps from the values of the map boxes, in their order, each already
// in the precision its row reads it in.
MapInputs MapsOf(const std::vector<double>& values);
// The same with mu as read for the use at hand.
MapInputs MapsOf(std::vector<double> values, double mu);
// Sets the maps of a matcher's or a print file's inputs (comp, burn, turb,
// s1, s2).
template <class Inputs>
void SetMaps(Inputs& in, const MapInputs& m) {
  in.comp = m.comp;
  in.burn = m.burn;
  in.turb = m.turb;
  in.s1 = m.s1;
  in.s2 = m.s2;
}
// The box of mu in that order (matching reads it as a Single, the print
// file as typed).
inline constexpr size_t kMuBox = 7;

// The maps a match settled on, and where it settled on them.
struct MatchedMaps {
  Compressor comp;
  Turbine turb;
  double mc2 = 0, pic = 0, nc2 = 0;
  double pit = 0, mc4 = 0, nc4 = 0;
  bool surged = false;
};

// The maps a match on the inputs in settled on, from its result r.
template <class Inputs, class Result>
MatchedMaps MatchedOf(const Inputs& in, const Result& r) {
  return {in.comp, in.turb, r.mc2, r.pic, r.nc2, r.pit, r.mc4, r.nc4, r.surged};
}

// The result boxes both windows name alike: the matched flow and pressure
// ratio (the running line of a sweep goes through them).
inline const std::string kFlowBox = "txtm2";
inline const std::string kRatioBox = "txtppc";

// The charts of both matching windows.
std::vector<std::string> MatchChartNames();
bool IsMatchChart(const std::string& name);
// The text of a window's control by id while a person sees it.
using ShownText = std::function<std::optional<std::string>(const std::string& id)>;
// Chart name of a matching window: the maps as its boxes give them now;
// the matched point of its last Calculate (as it shows it) while those are
// still the maps it was matched on; on the compressor map, the running line
// of the window's last sweep of mc2 and pic.
core::ChartData MatchChart(const std::string& name, const MapInputs& now,
                           const std::optional<MatchedMaps>& last, const ShownText& shown,
                           std::vector<core::ChartPoint> running);
// The same with the maps read from the boxes as they stand: a box that does
// not read (now throws core::Failure) leaves the chart undrawn, saying why.
core::ChartData MatchChart(const std::string& name, const std::function<MapInputs()>& now,
                           const std::optional<MatchedMaps>& last, const ShownText& shown,
                           std::vector<core::ChartPoint> running);

// The quantities of the map boxes both windows show in either unit system:
// the coefficients act on flows in lbm/s, so each has a unit of its own.
struct BoxQuantity {
  const char* box;
  core::Quantity quantity;
};
const std::vector<BoxQuantity>& MapBoxQuantities();

}  // namespace engine_maps
