#include "thrustfit/map_inputs.h"

#include <algorithm>
#include <exception>

#include "core/sweep.h"
#include "thrustfit/map_chart.h"

namespace maps {

double Read(const core::Form& form, BoxRead in) {
  const double value = form.Leading(in.box);
  return in.precision == Precision::Single ? static_cast<float>(value) : value;
}

MapInputs ReadMaps(const core::Form& form, const MapBoxes& b) {
  auto single = [&form](BoxRead in) { return static_cast<float>(Read(form, in)); };
  auto wide = [&form](BoxRead in) { return Read(form, in); };
  MapInputs m;
  m.comp = {single(b.c1), single(b.c2),    single(b.c3),     single(b.c4),
            single(b.c5), wide(b.nc2d),    wide(b.etacd),    wide(b.mu)};
  m.burn = {single(b.b1), single(b.b2), single(b.h), wide(b.etabd)};
  m.turb = {single(b.pitc), single(b.k1), single(b.k2), wide(b.mc4c), wide(b.nc4d), wide(b.etatd)};
  return m;
}

constexpr int kBoxH = 22;

core::TextBox* InputRow(core::Form& form, core::Frame* in, const std::string& label,
                         const std::string& caption, const std::string& box,
                         const std::string& text, int row, int labelWidth, int boxWidth) {
  form.AddLabel(label, caption, {8, RowY(row) + 2, labelWidth, 20}, in);
  core::TextBox* t = form.AddTextBox(box, {12 + labelWidth, RowY(row), boxWidth, kBoxH}, in);
  t->setText(text);
  return t;
}

core::TextBox* OutputRow(core::Form& form, core::Frame* in, const std::string& label,
                          const std::string& caption, const std::string& box, int x, int row,
                          int labelWidth) {
  form.AddLabel(label, caption, {x, RowY(row) + 2, labelWidth, 20}, in);
  core::TextBox* t = form.AddTextBox(box, {x + labelWidth + 4, RowY(row), 86, kBoxH}, in);
  t->readOnly = true;
  return t;
}

namespace {

// The result boxes and messages both windows name alike.
constexpr const char* kFlowBox = "txtm2";
constexpr const char* kRatioBox = "txtppc";

std::string Shown(const core::Form& form, const char* id) {
  const core::Control* c = form.FindById(id);
  return c ? c->text() : std::string();
}

// Why the window has no operating point to mark: a match made on other
// maps, or a last Calculate that failed, or none yet.
std::string NoPoint(const core::Form& form, bool matchedOnOtherMaps) {
  if (matchedOnOtherMaps) return "the map has changed: press Calculate to place the operating point";
  if (form.lblError->shown()) return "no operating point: " + form.lblError->caption();
  const core::Control* conv = form.FindById("Fraconv");
  if (conv && conv->shown()) return "no operating point: " + Shown(form, "Label69");
  return "press Calculate to place the operating point";
}

// The matched points of the last sweep that read both mc2 and pic, one per
// point that settled without a message.
std::vector<core::ChartPoint> RunningLine(const core::SweepTrace& sweep) {
  std::vector<core::ChartPoint> line;
  const int flow = sweep.Column(kFlowBox), ratio = sweep.Column(kRatioBox);
  if (flow < 0 || ratio < 0) return line;
  for (const core::SweepTrace::Point& p : sweep.points) {
    if (p.gap || p.texts.size() <= static_cast<size_t>(std::max(flow, ratio))) continue;
    const std::optional<double> x = core::ShownNumber(p.texts[flow]);
    const std::optional<double> y = core::ShownNumber(p.texts[ratio]);
    if (x && y) line.push_back(std::pair{*x, *y});
  }
  return line;
}

}  // namespace

std::vector<std::string> MatchChartNames() { return {"compressor-map", "turbine-map"}; }

core::ChartData MatchChart(const core::Form& form, const std::string& name,
                            const MapInputs& now, const std::optional<MatchedMaps>& last) {
  const bool compressor = name == "compressor-map";
  if (!compressor && name != "turbine-map") return form.Form::Chart(name);
  MapOverlay overlay;
  const bool same = last && (compressor ? last->comp == now.comp : last->turb == now.turb);
  if (same) {
    if (compressor)
      overlay.point = MapPoint{last->mc2, last->pic, last->nc2, Shown(form, "txtn2a"), last->surged};
    else
      overlay.point = MapPoint{last->pit, last->mc4, last->nc4, Shown(form, "txtn4"), false};
  } else {
    overlay.noPoint = NoPoint(form, last.has_value());
  }
  try {
    if (!compressor) return TurbineMapChart(now.turb, overlay);
    overlay.running = RunningLine(form.lastSweep());
    return CompressorMapChart(now.comp, overlay);
  } catch (const std::exception& e) {
    return core::Unavailable(name, compressor ? "Compressor map" : "Turbine map", e.what());
  }
}

}  // namespace maps
