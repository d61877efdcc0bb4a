#include "lib/engine_maps/map_boxes.h"

#include <exception>

#include "core/failure.h"
#include "lib/engine_maps/map_chart.h"

namespace engine_maps {

constexpr int kBoxH = 22;

BoxDesc InputBox(std::string label, std::string caption, std::string box, std::string text, int row,
                 int labelWidth, int boxWidth, bool single) {
  return {std::move(label),
          std::move(caption),
          std::move(box),
          std::move(text),
          {8, RowY(row) + 2, labelWidth, 20},
          {12 + labelWidth, RowY(row), boxWidth, kBoxH},
          {},
          single};
}

BoxDesc ResultBox(std::string label, std::string caption, std::string box, int x, int row,
                  int labelWidth) {
  return {std::move(label),
          std::move(caption),
          std::move(box),
          "",
          {x, RowY(row) + 2, labelWidth, 20},
          {x + labelWidth + 4, RowY(row), 86, kBoxH},
          {},
          false,
          true};
}

std::vector<FrameDesc> MapFrames(const MapLayout& l) {
  const auto& t = l.texts;
  const int lc = l.compressorLabelW;
  const int shaftY = l.top + FrameH(6) + 8;
  return {
      {"fracomp",
       {10, l.top, 250, FrameH(8)},
       {InputBox("Label8", "c1 (s/lbm)", "txtc1", t[0], 0, lc, l.boxW),
        InputBox("Label6", "c2 ((lbm/s)/rpm)", "txtc2", t[1], 1, lc, l.boxW),
        InputBox("Label10", "c3", "txtc3", t[2], 2, lc, l.boxW),
        InputBox("Label39", "c4 (1/rpm)", "txtc4", t[3], 3, lc, l.boxW),
        InputBox("Label40", "c5 ((lbm/s)^2/rpm)", "txtc5", t[4], 4, lc, l.boxW),
        InputBox("Label16", "Nc2d (rpm)", l.nc2dBox, t[5], 5, lc, l.boxW, l.nc2dSingle),
        InputBox("Label11", "etacd", "txtetacd", t[6], 6, lc, l.boxW, false),
        InputBox("Label38", "mu", "txtmu", t[7], 7, lc, l.boxW)}},
      {"fraburn",
       {10, l.top + FrameH(8) + 8, 250, FrameH(4)},
       {InputBox("Label44", "b1 (1/(lbm/s)^2)", "txtb1", t[8], 0, 170, 60),
        InputBox("Label43", "etabd", "txtetabd", t[9], 1, 170, 60, false),
        InputBox("Label41", "b2 ((lbm/s)^2)", "txtb2", t[10], 2, 170, 60),
        InputBox("Label23", "Heating value (BTU/lbm)", "txth", t[11], 3, 170, 60)}},
      {"fraturb",
       {270, l.top, l.turbineW, FrameH(6)},
       {InputBox("label19", "pitc", "txtpitc", t[12], 0, 120, l.boxW),
        InputBox("Label18", "mc4c (lbm/s)", "txtmc4c", t[13], 1, 120, l.boxW, false),
        InputBox("Label14", "Nc4d (rpm)", "txtNc4d", t[14], 2, 120, l.boxW, l.nc4dSingle),
        InputBox("Label13", "etatd", "txtetatd", t[15], 3, 120, l.boxW, false),
        InputBox("Label12", "k1", "txtk1", t[16], 4, 120, l.boxW),
        InputBox("Label7", "k2", "txtk2", t[17], 5, 120, l.boxW)}},
      {"frashft",
       {270, shaftY, l.turbineW, FrameH(2)},
       {InputBox("Label2", "s1", "txts1", t[18], 0, 120, l.boxW),
        InputBox("Label5", "s2", "txts2", t[19], 1, 120, l.boxW)}},
  };
}

MapInputs MapsOf(const std::vector<double>& v) {
  auto f = [&v](size_t i) { return static_cast<float>(v.at(i)); };
  MapInputs m;
  m.comp = {f(0), f(1), f(2), f(3), f(4), v.at(5), v.at(6), v.at(kMuBox)};
  m.burn = {f(8), f(10), f(11), v.at(9)};
  m.turb = {f(12), f(16), f(17), v.at(13), v.at(14), v.at(15)};
  m.s1 = f(18);
  m.s2 = f(19);
  return m;
}

MapInputs MapsOf(std::vector<double> values, double mu) {
  values.at(kMuBox) = mu;
  return MapsOf(values);
}

namespace {

std::string Text(const ShownText& shown, const char* id) { return shown(id).value_or(""); }

// Why the window has no operating point to mark: a match made on other
// maps, or a last Calculate that failed, or none yet.
std::string NoPoint(const ShownText& shown, bool matchedOnOtherMaps) {
  if (matchedOnOtherMaps)
    return "the map has changed: press Calculate to place the operating point";
  if (const auto failure = shown("lblError")) return "no operating point: " + *failure;
  if (const auto conv = shown("Label69")) return "no operating point: " + *conv;
  return "press Calculate to place the operating point";
}

}  // namespace

std::vector<std::string> MatchChartNames() { return {"compressor-map", "turbine-map"}; }

bool IsMatchChart(const std::string& name) {
  return name == "compressor-map" || name == "turbine-map";
}

core::ChartData MatchChart(const std::string& name, const std::function<MapInputs()>& now,
                           const std::optional<MatchedMaps>& last, const ShownText& shown,
                           std::vector<core::ChartPoint> running) {
  MapInputs maps;
  try {
    maps = now();
  } catch (const core::Failure& f) {
    return core::Unavailable(name, name, f.what());
  }
  return MatchChart(name, maps, last, shown, std::move(running));
}

core::ChartData MatchChart(const std::string& name, const MapInputs& now,
                           const std::optional<MatchedMaps>& last, const ShownText& shown,
                           std::vector<core::ChartPoint> running) {
  const bool compressor = name == "compressor-map";
  MapOverlay overlay;
  const bool same = last && (compressor ? last->comp == now.comp : last->turb == now.turb);
  if (same) {
    if (compressor)
      overlay.point =
          MapPoint{last->mc2, last->pic, last->nc2, Text(shown, "txtn2a"), last->surged};
    else
      overlay.point = MapPoint{last->pit, last->mc4, last->nc4, Text(shown, "txtn4"), false};
  } else {
    overlay.noPoint = NoPoint(shown, last.has_value());
  }
  try {
    if (!compressor) return TurbineMapChart(now.turb, overlay);
    overlay.running = std::move(running);
    return CompressorMapChart(now.comp, overlay);
  } catch (const std::exception& e) {
    return core::Unavailable(name, compressor ? "Compressor map" : "Turbine map", e.what());
  }
}

const std::vector<BoxQuantity>& MapBoxQuantities() {
  using core::Quantity;
  static const std::vector<BoxQuantity> boxes = {
      {"txtc1", Quantity::TimePerMass},    {"txtc2", Quantity::FlowPerSpeed},
      {"txtc5", Quantity::FlowSquaredPerSpeed}, {"txtb1", Quantity::PerFlowSquared},
      {"txtb2", Quantity::FlowSquared},    {"txth", Quantity::HeatingValue},
      {"txtmc4c", Quantity::CorrectedFlow},
  };
  return boxes;
}

}  // namespace engine_maps
